#!/usr/bin/env bash
# The installation medium as a user meets it, under Wine, mapped as drive M:. autorun.inf's own
# command installs the product while it is missing (this version of it: the release before,
# from OLDER_MEDIUM, is installed first and replaced) and starts nothing once it is there; mode 4
# starts the installed kvxctl.exe from its component path; the installed kvxctl.exe reads the
# simulated unit; a pause given to the installer holds it off; removing it removes the files.
#   medium_under_wine.sh MEDIUM WITH_PROGRAM(yes|no) [OLDER_MEDIUM]    (uses the caller's WINEPREFIX)
set -euo pipefail
medium=$(realpath "$1") with_program=$2 older=${3:+$(realpath "$3")}
export WINEDEBUG=-all

fail() { echo "FAIL: $*" >&2; exit 1; }
msi=$(winepath -w "$medium/kvxconf.msi")
drive=$WINEPREFIX/dosdevices/m:
folder="$WINEPREFIX/drive_c/Program Files/KVX"
# The Start menu entry, wherever this Wine keeps the menu.
menu_entry() { find "$WINEPREFIX/drive_c" -path '*Start Menu/Programs/KVX/KVX configuration.lnk' 2>/dev/null; }
ln -sfn "$medium" "$drive"
trap 'timeout 120 wine msiexec /qn /x "$msi" >/dev/null 2>&1 || true; rm -f "$drive"' EXIT

# Runs a command line from the medium's root; prints every program it started.
started_by() {
  local line=$1 words
  read -ra words <<<"$line"
  WINEDEBUG=trace+process timeout 300 wine "m:\\${words[0]}" "${words[@]:1}" 2>&1 >/dev/null </dev/null |
    sed -n 's/.*CreateProcessInternalW app [^ ]* cmdline \(L".*"\).*/\1/p'
}

# The version a medium holds, as its label names it; the versions of the product installed.
medium_version() { sed -n 's/^label=KVX configuration //p' "$1/autorun.inf" | tr -d '\r'; }
installed_versions() {
  wine reg query 'HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall' /s 2>/dev/null | tr -d '\r' |
    awk '/^HKEY/ { if (name == "KVX configuration") print version; name = version = "" }
         $1 == "DisplayName" { name = $0; sub(/.*REG_SZ[ \t]+/, "", name) }
         $1 == "DisplayVersion" { version = $3 }
         END { if (name == "KVX configuration") print version }'
}
version=$(medium_version "$medium")

if [ -n "$older" ]; then
  timeout 120 wine msiexec /qn /i "$(winepath -w "$older/kvxconf.msi")" || fail "installing the older release failed"
  [ "$(installed_versions)" = "$(medium_version "$older").0" ] || fail "the older release is not installed: $(installed_versions)"
  echo "installed the release before: $(medium_version "$older")"
fi

open=$(sed -n 's/^open=//p' "$medium/autorun.inf" | tr -d '\r')
[ -n "$open" ] || fail "autorun.inf has no open= line"
ran=$(started_by "$open")
grep -qi 'msiexec' <<<"$ran" || fail "'$open' did not start the installer; it started: ${ran:-nothing}"
for file in kvxctl.exe kvxsim.dll SMSC.ini CIDList.txt README.txt; do
  [ -f "$folder/$file" ] || fail "$file was not installed"
done
if [ "$with_program" = yes ]; then
  for file in kvxconf.exe Qt6Core.dll Qt6Widgets.dll platforms/qwindows.dll; do
    [ -f "$folder/$file" ] || fail "$file was not installed"
  done
  [ -n "$(menu_entry)" ] || fail "no Start menu entry"
fi
echo "installed by '$open': $(cd "$folder" && find . -type f | wc -l) files"
[ "$(installed_versions | xargs)" = "$version.0" ] || fail "installed: $(installed_versions | xargs), not $version.0 alone"
said=$( (cd "$folder" && wine kvxctl.exe --version </dev/null) | tr -d '\r')
[ "$said" = "kvxctl $version" ] && [ "$(head -n 1 "$folder/README.txt" | tr -d '\r')" = "KVX configuration $version" ] ||
  fail "the installed files are not $version's: kvxctl.exe says '$said'"
echo "one product, $version${older:+, in place of $(medium_version "$older")}: its kvxctl.exe and README.txt"

ran=$(started_by "$open")
[ -z "$ran" ] || fail "'$open' with the product installed started: $ran"
echo "'$open' once installed started nothing"

template='C:\medium-read.kvx'
rm -f "$WINEPREFIX/drive_c/medium-read.kvx"
ran=$(started_by "autorun.exe [Kvxctl][4] kvxctl.exe --usb-library kvxsim.dll read -o $template")
grep -qi 'program files\\\\kvx\\\\kvxctl.exe' <<<"$ran" || fail "mode 4 did not start the installed kvxctl.exe: ${ran:-nothing}"
size=$(stat -c %s "$WINEPREFIX/drive_c/medium-read.kvx" 2>/dev/null || echo none)
[ "$size" = 31872 ] || fail "the installed kvxctl.exe started by mode 4 wrote $size bytes, not 31872"
echo "mode 4 started the installed kvxctl.exe, which read the simulated unit"

(cd "$folder" && timeout 120 wine kvxctl.exe --usb-library kvxsim.dll read -o 'C:\installed-read.kvx' </dev/null)
size=$(stat -c %s "$WINEPREFIX/drive_c/installed-read.kvx")
[ "$size" = 31872 ] || fail "the installed kvxctl.exe wrote $size bytes, not 31872"
echo "the installed kvxctl.exe --usb-library kvxsim.dll read the simulated unit"

timeout 120 wine msiexec /qn /x "$msi" || fail "removing the product failed"
left=$( (find "$folder" -type f 2>/dev/null || true) | wc -l)
[ "$left" -eq 0 ] && [ -z "$(menu_entry)" ] || fail "$left files and '$(menu_entry)' left after removing the product"
echo "removed: no files left"

# The hold-off pause, given to the installer as a property: the action runs and holds it.
log="$WINEPREFIX/drive_c/kvx-install.log"
start=$(date +%s%N)
timeout 120 wine msiexec /qn /i "$msi" HOLDOFFPAUSE=1000 /l*v 'C:\kvx-install.log' || fail "installing with a pause failed"
took=$(( ($(date +%s%N) - start) / 1000000 ))
iconv -f UTF-16 -t UTF-8 "$log" 2>/dev/null | grep -q 'Action start .*: HoldOffPause' ||
  grep -aq 'Action start .*: HoldOffPause' "$log" || fail "the installation ran no HoldOffPause action"
(( took >= 1000 )) || fail "an installation with HOLDOFFPAUSE=1000 took only $took ms"
timeout 120 wine msiexec /qn /x "$msi" || fail "removing the product failed"
echo "installed with HOLDOFFPAUSE=1000: the hold-off action ran, the installation took $took ms"
