#!/usr/bin/env bash
# The package stage: packs the default build (build/, or the folder given) as a .deb, installs
# it into this machine, runs what it installed (kvxctl --simulate read, kvxconf --version),
# checks the desktop entry and the package (lintian: no errors), and removes it again.
set -euo pipefail
cd "$(dirname "$0")/.."

build=${1:-build}
sudo=""
[ "$(id -u)" -eq 0 ] || sudo="sudo"
stage() { printf '\n== %s ==\n' "$*"; }
fail() { echo "FAIL: $*" >&2; exit 1; }
started=$SECONDS

stage "cpack -G DEB ($build)"
rm -rf "$build/package"
(cd "$build" && cpack -G DEB >/dev/null)
deb=$(find "$build/package" -maxdepth 1 -name 'kvxconf_*_amd64.deb')
[ -n "$deb" ] || fail "cpack made no kvxconf_*_amd64.deb in $build/package"
echo "$deb"
dpkg-deb --field "$deb" Version Depends

stage "lintian"
lintian --fail-on error "$deb"

stage "installed"
remove() { DEBIAN_FRONTEND=noninteractive $sudo apt-get purge -y -qq kvxconf >/dev/null; }
work=$(mktemp -d /tmp/kvx-package.XXXXXX)
trap 'remove; rm -rf "$work"' EXIT
DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "$(realpath "$deb")" >/dev/null
version=$(dpkg-deb --field "$deb" Version)
for program in kvxconf kvxctl; do
  said=$(/usr/bin/$program --version)
  [ "$said" = "$program $version" ] || fail "$program --version said '$said', not '$program $version'"
  echo "$said"
done
(cd "$work" && timeout 60 /usr/bin/kvxctl --simulate read -o unit.kvx </dev/null)
size=$(stat -c %s "$work/unit.kvx")
[ "$size" -eq 31872 ] || fail "the installed kvxctl --simulate read wrote $size bytes, not 31872"
echo "the installed kvxctl --simulate read the simulated unit"
desktop-file-validate /usr/share/applications/kvxconf.desktop
echo "desktop entry valid"

stage "removed"
remove
trap 'rm -rf "$work"' EXIT
[ ! -e /usr/bin/kvxctl ] && [ ! -e /usr/lib/kvxconf ] && [ ! -e /usr/share/kvxconf ] || fail "files left after removing the package"
echo "no files left"

stage "package stage took $(( SECONDS - started ))s"
