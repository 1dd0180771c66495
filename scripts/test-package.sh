#!/usr/bin/env bash
# The package stage: packs the default build (build/, or the folder given) as a .deb, and the
# release before it from the same build by overriding the one version number. Installs the
# older, upgrades it with the newer and checks that only the newer's files are there, runs
# what it installed (kvxctl --simulate read, kvxconf --version), checks the desktop entry and
# the package (lintian: no errors), purges it and checks that nothing is left.
set -euo pipefail
cd "$(dirname "$0")/.."
source scripts/release-version.sh

build=${1:-build}
sudo=""
[ "$(id -u)" -eq 0 ] || sudo="sudo"
stage() { printf '\n== %s (at %ss) ==\n' "$*" "$(( SECONDS - started ))"; }
fail() { echo "FAIL: $*" >&2; exit 1; }
started=$SECONDS
work=$(mktemp -d /tmp/kvx-package.XXXXXX)
trap 'rm -rf "$work"' EXIT

# pack [VERSION]: builds what the package holds at VERSION (none: the build's own) and packs it
# into $build/package.
pack() {
  if [ -n "${1:-}" ]; then cmake -DKVX_VERSION="$1" "$build" >/dev/null; else cmake -UKVX_VERSION "$build" >/dev/null; fi
  cmake --build "$build" --target kvxconf_package_contents >/dev/null
  rm -rf "$build/package"
  (cd "$build" && cpack -G DEB >/dev/null)
  find "$build/package" -maxdepth 1 -name 'kvxconf_*_amd64.deb'
}

cmake -UKVX_VERSION "$build" >/dev/null
version=$(build_version "$build")
older=$(older_version "$version")

stage "cpack -G DEB ($build): $older, then $version"
old_deb=$work/$(basename "$(pack "$older")")
mv "$build"/package/kvxconf_*.deb "$old_deb"
deb=$(pack)
[ -n "$deb" ] || fail "cpack made no kvxconf_*_amd64.deb in $build/package"
echo "$old_deb"
echo "$deb"
dpkg-deb --field "$deb" Version Depends
[ "$(dpkg-deb --field "$deb" Version)" = "$version" ] || fail "the package is not version $version"
[ "$(dpkg-deb --field "$old_deb" Version)" = "$older" ] || fail "the older package is not version $older"

stage "lintian"
lintian --fail-on error "$deb"

install_deb() { DEBIAN_FRONTEND=noninteractive $sudo apt-get install -o DPkg::Lock::Timeout=300 -y -qq --no-install-recommends "$(realpath "$1")" >/dev/null; }
remove() { DEBIAN_FRONTEND=noninteractive $sudo apt-get purge -o DPkg::Lock::Timeout=300 -y -qq kvxconf >/dev/null; }
trap 'remove; rm -rf "$work"' EXIT
# Every place that names the version: the programs, the manual pages, the changelog.
says_version() {
  local v=$1 program said
  for program in kvxconf kvxctl; do
    said=$(/usr/bin/$program --version)
    [ "$said" = "$program $v" ] || fail "$program --version said '$said', not '$program $v'"
    zcat /usr/share/man/man1/$program.1.gz | head -n 1 | grep -qF "\"$program $v\"" || fail "man $program does not name $v"
  done
  zcat /usr/share/doc/kvxconf/changelog.gz | head -n 1 | grep -qF "kvxconf ($v)" || fail "the changelog does not begin with $v"
}

stage "upgraded from $older"
install_deb "$old_deb"
says_version "$older"
install_deb "$deb"
[ "$(dpkg-query -W -f '${Version}' kvxconf)" = "$version" ] || fail "after the upgrade dpkg knows kvxconf $(dpkg-query -W -f '${Version}' kvxconf)"
says_version "$version"
$sudo dpkg --verify kvxconf || fail "installed files differ from the $version package's"
# Nothing in the package's own folders that the new package does not hold.
dpkg -L kvxconf | sort >"$work/listed"
stale=$(find /usr/lib/kvxconf /usr/share/kvxconf /usr/share/doc/kvxconf -type f | sort | comm -23 - "$work/listed")
[ -z "$stale" ] || fail "files of no package left after the upgrade: $stale"
echo "kvxconf $version replaced $older: its files, manual pages and changelog, nothing stale"

stage "installed"
echo "$(/usr/bin/kvxconf --version), $(/usr/bin/kvxctl --version)"
(cd "$work" && timeout 60 /usr/bin/kvxctl --simulate read -o unit.kvx </dev/null)
size=$(stat -c %s "$work/unit.kvx")
[ "$size" -eq 31872 ] || fail "the installed kvxctl --simulate read wrote $size bytes, not 31872"
echo "the installed kvxctl --simulate read the simulated unit"
desktop-file-validate /usr/share/applications/kvxconf.desktop
echo "desktop entry valid"

stage "purged"
remove
trap 'rm -rf "$work"' EXIT
left=$(while read -r path; do if [ -f "$path" ]; then echo "$path"; fi; done <"$work/listed")
[ -z "$left" ] || fail "files left after purging the package: $left"
[ ! -e /usr/lib/kvxconf ] && [ ! -e /usr/share/kvxconf ] && [ ! -e /usr/share/doc/kvxconf ] || fail "folders left after purging"
[ -z "$(find /var/lib/dpkg/info -name 'kvxconf.*')" ] || fail "dpkg still keeps kvxconf's control files"
echo "no files left"

printf '\n== package stage took %ss ==\n' "$(( SECONDS - started ))"
