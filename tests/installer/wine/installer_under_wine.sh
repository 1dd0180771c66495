#!/usr/bin/env bash
# The installer helpers against real Windows Installer and shell calls, under Wine.
#   installer_under_wine.sh CHECK HoldOff.dll autorun.exe medium_probe.exe test_product.wxs
# CHECK: exports | msi_pause | autorun_medium. Uses WINEPREFIX from the caller (a fresh one
# when unset); msi_pause and autorun_medium install test products into it and remove them.
set -euo pipefail

check=$1 holdoff=$2 autorun=$3 probe=$4 wxs=$5
export WINEDEBUG=${WINEDEBUG:--all}

work=$(mktemp -d /tmp/kvx-installer-test.XXXXXX)
own_prefix=""
use_wine_prefix() {
  [ -n "${WINEPREFIX:-}" ] && return
  own_prefix=$work/prefix
  export WINEPREFIX=$own_prefix
  wineboot -i >/dev/null 2>&1
}
cleanup() {
  [ -n "$own_prefix" ] && wineserver -k 2>/dev/null || true
  rm -rf "$work"
}
trap cleanup EXIT

fail() { echo "FAIL: $*" >&2; exit 1; }

now_ms() { echo $(( $(date +%s%N) / 1000000 )); }

# build_msi NAME PAUSE: a test product whose codes end in the pause, so each pause is its own product.
build_msi() {
  local name=$1 pause=$2 tail
  tail=$(printf '%012d' "$pause")
  local stage=$work/msi-$name
  mkdir -p "$stage"
  cp "$wxs" "$stage/product.wxs"
  cp "$holdoff" "$stage/HoldOff.dll"
  cp "$probe" "$stage/medium_probe.exe"
  # wixl takes sources relative to the .wxs only.
  (cd "$stage" && wixl -a x64 -o "$work/$name.msi" \
    -D "ProductCode=6B5C0A10-0000-4000-8000-$tail" -D "UpgradeCode=6B5C0A10-0001-4000-8000-$tail" \
    -D "ComponentCode=6B5C0A10-0002-4000-8000-$tail" -D "Name=$name" -D "Pause=$pause" \
    -D ProbeExe=medium_probe.exe -D HoldOffDll=HoldOff.dll product.wxs 2>"$stage/wixl.log") ||
    { cat "$stage/wixl.log" >&2; fail "wixl could not build $name.msi"; }
  echo "{6B5C0A10-0000-4000-8000-$tail}"
}

msiexec_quiet() { timeout 120 wine msiexec /qn "$@"; }

check_exports() {
  local table functions names
  table=$(x86_64-w64-mingw32-objdump -p "$holdoff")
  # Every exported function, named or by ordinal only, is one address-table entry.
  functions=$(sed -n 's/^\s*Export Address Table\s\+\([0-9a-f]\{8\}\)$/\1/p' <<<"$table")
  names=$(sed -n '/\[Ordinal\/Name Pointer\] Table/,/^$/p' <<<"$table" | grep -E '^\s*\[ *[0-9]+\]' | awk '{print $NF}' || true)
  [ "$functions" = 00000001 ] && [ "$names" = HoldOff ] ||
    fail "HoldOff.dll exports ${functions:-no} functions named '$names', expected exactly HoldOff"
  echo "HoldOff.dll exports exactly: $names"
}

fastest() { printf '%s\n' "$@" | sort -n | head -n 1; }
median() { printf '%s\n' "$@" | sort -n | sed -n "$(( ($# + 1) / 2 ))p"; }

# Milliseconds between the probe's stamps taken right before and right after the HoldOff
# action of the last installation.
stamped_pause_ms() {
  local drive_c=$WINEPREFIX/drive_c before after
  before=$(date -r "$drive_c/kvx-stamp-before.txt" +%s%N) || fail "no stamp before the hold-off"
  after=$(date -r "$drive_c/kvx-stamp-after.txt" +%s%N) || fail "no stamp after the hold-off"
  echo $(( (after - before) / 1000000 ))
}

check_msi_pause() {
  use_wine_prefix
  local pause=250 rounds=3 round msi start took
  build_msi pause0 0 >/dev/null
  build_msi "pause$pause" "$pause" >/dev/null
  msiexec_quiet /x "$work/pause0.msi" || true
  msiexec_quiet /x "$work/pause$pause.msi" || true
  # Whole installations vary by a few hundred ms under Wine (process start-up), so the pause
  # is timed inside them too: between probe stamps written right before and after HoldOff.
  local -A took_ms=([pause0]="" ["pause$pause"]="") inside_ms=([pause0]="" ["pause$pause"]="")
  for (( round = 1; round <= rounds; round++ )); do
    for msi in pause0 "pause$pause"; do
      rm -f "$WINEPREFIX"/drive_c/kvx-stamp-*.txt
      start=$(now_ms)
      msiexec_quiet /i "$work/$msi.msi" || fail "installing $msi.msi failed"
      took=$(( $(now_ms) - start ))
      took_ms[$msi]+=" $took"
      inside_ms[$msi]+=" $(stamped_pause_ms)"
      msiexec_quiet /x "$work/$msi.msi" || fail "removing $msi.msi failed"
    done
  done
  local shortest_pause median0 median_pause
  shortest_pause=$(fastest ${inside_ms[pause$pause]})
  median0=$(median ${inside_ms[pause0]})
  median_pause=$(median ${inside_ms[pause$pause]})
  echo "whole installs with CustomActionData 0 (ms):${took_ms[pause0]}"
  echo "whole installs with CustomActionData $pause (ms):${took_ms[pause$pause]}"
  echo "fastest whole installs differ by $(( $(fastest ${took_ms[pause$pause]}) - $(fastest ${took_ms[pause0]}) )) ms"
  echo "around the hold-off with 0 (ms):${inside_ms[pause0]}; with $pause (ms):${inside_ms[pause$pause]}"
  echo "medians around the hold-off differ by $(( median_pause - median0 )) ms"
  # The pause lies between the stamps, so with 250 they are never closer than 250 ms. The
  # differences above are shown, not judged: the probe's own start under Wine varies by
  # hundreds of ms on a busy machine, as much as the pause itself.
  (( shortest_pause >= pause )) || fail "the $pause ms hold-off kept the installation only $shortest_pause ms"
}

# run_autorun MODE: starts autorun.exe from the mapped medium with "[Main][MODE] medium_probe.exe OUT /x"
# and prints what the probe reported (nothing when no probe ran). The command stays unquoted:
# Wine would escape quotes inside an argument when it builds the Windows command line.
run_autorun() {
  local out=$work/probe-ran.txt
  rm -f "$out"
  timeout 60 wine 'm:\autorun.exe' "[Main][$1]" medium_probe.exe "$(winepath -w "$out")" /x 2>/dev/null ||
    fail "autorun.exe [Main][$1] did not finish"
  [ -f "$out" ] && tr -d '\r' <"$out"
  return 0
}

check_autorun_medium() {
  use_wine_prefix
  local product component medium=$work/medium report
  product=$(build_msi medium 1)
  component=${product/-0000-/-0002-}
  msiexec_quiet /x "$work/medium.msi" || true

  mkdir -p "$medium"
  cp "$autorun" "$medium/autorun.exe"
  cp "$probe" "$medium/medium_probe.exe"
  printf '[autorun]\r\nopen=autorun.exe [Main][1] medium_probe.exe\r\n[Installed]\r\nProductCode=%s\r\nMain=%s\r\n' \
    "$product" "$component" >"$medium/autorun.inf"
  drive=$WINEPREFIX/dosdevices/m:
  ln -sfn "$medium" "$drive"
  trap 'rm -f "$drive"; wine msiexec /qn /x "$work/medium.msi" >/dev/null 2>&1 || true; cleanup' EXIT

  report=$(run_autorun 1)
  [[ "${report,,}" == 'm:\medium_probe.exe /x' ]] || fail "[Main][1] before installing: expected the medium's probe, got '$report'"
  report=$(run_autorun 4)
  [ -z "$report" ] || fail "[Main][4] before installing ran '$report'"
  echo "not installed: [Main][1] ran the medium's probe, [Main][4] ran nothing"

  msiexec_quiet /i "$work/medium.msi" || fail "installing medium.msi failed"
  report=$(run_autorun 1)
  [ -z "$report" ] || fail "[Main][1] after installing ran '$report'"
  report=$(run_autorun 4)
  [[ "${report,,}" == *'\kvx test medium\medium_probe.exe /x' ]] ||
    fail "[Main][4] after installing: expected the installed probe with /x, got '$report'"
  echo "installed: [Main][1] ran nothing, [Main][4] ran $report"
}

case $check in
  exports) check_exports ;;
  msi_pause) check_msi_pause ;;
  autorun_medium) check_autorun_medium ;;
  *) fail "unknown check '$check'" ;;
esac
