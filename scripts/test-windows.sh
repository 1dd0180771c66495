#!/usr/bin/env bash
# The Windows stage: cross-builds build-win/ (or the folder given) with mingw-w64 and runs it
# under Wine, in a throw-away prefix: the core and installer tests as Windows binaries, the
# installer helpers against Windows Installer (HoldOff.dll in an MSI, autorun.exe from a mapped
# medium), kvxctl.exe reading the simulated unit through kvxsim.dll, and the installation
# medium installed, used and removed. With a Qt for mingw-w64 (KVX_QT_MINGW_PREFIX, or
# ../shared/toolchains/qt6-mingw-*.tar.xz unpacked into the build folder) it builds the program
# too: kvxconf.exe, the screenshot tool and the GUI tests, all run under Wine.
set -euo pipefail
cd "$(dirname "$0")/.."
source scripts/release-version.sh

build=${1:-build-win}
jobs=${JOBS:-$(nproc)}

export WINEDEBUG=-all
WINEPREFIX=$(mktemp -d /tmp/kvx-wine.XXXXXX)
export WINEPREFIX
# Wine keeps its server and helper processes per prefix; end exactly those, then the prefix.
trap 'wineserver -k 2>/dev/null || true; rm -rf "$WINEPREFIX"' EXIT

stage() { printf '\n== %s ==\n' "$*"; }
started=$SECONDS

# The Qt prefix to build the program with, or nothing.
windows_qt() {
  if [ -n "${KVX_QT_MINGW_PREFIX:-}" ]; then
    echo "$KVX_QT_MINGW_PREFIX"
    return
  fi
  local tarball name
  tarball=$(find ../shared/toolchains -maxdepth 1 -name 'qt6-mingw-*.tar.xz' 2>/dev/null | sort -V | tail -n 1)
  [ -n "$tarball" ] || return 0
  name=$(basename "$tarball" .tar.xz)
  if [ ! -f "$build/$name/lib/cmake/Qt6/qt.toolchain.cmake" ]; then
    mkdir -p "$build"
    tar -C "$build" -xJf "$tarball"
  fi
  echo "$PWD/$build/$name"
}

stage "Wine prefix"
# One server for the whole stage instead of one per short test run; it must start first.
wineserver -p
wineboot -i >/dev/null 2>&1

stage "cross build ($build)"
qt=$(windows_qt)
toolchain=$PWD/cmake/mingw-w64-x86_64.cmake
if [ -n "$qt" ]; then
  echo "with Qt from $qt: kvxconf.exe, the screenshot tool and the GUI tests"
  configure=(-DCMAKE_TOOLCHAIN_FILE="$qt/lib/cmake/Qt6/qt.toolchain.cmake" -DQT_CHAINLOAD_TOOLCHAIN_FILE="$toolchain"
             -DKVX_WITH_UI=ON)
else
  echo "no Qt for mingw-w64 (KVX_QT_MINGW_PREFIX or ../shared/toolchains/qt6-mingw-*.tar.xz): without the program"
  configure=(-DCMAKE_TOOLCHAIN_FILE="$toolchain" -DKVX_WITH_UI=OFF)
fi
# A build folder configured with the other toolchain starts afresh.
cached=$(sed -n 's/^CMAKE_TOOLCHAIN_FILE:[A-Z]*=//p' "$build/CMakeCache.txt" 2>/dev/null || true)
fresh=()
[ -z "$cached" ] || [ "$cached" = "${configure[0]#*=}" ] || fresh=(--fresh)
configure_build() { cmake "$@" -S . -B "$build" -G Ninja "${configure[@]}" -DCMAKE_BUILD_TYPE=Release -DKVX_WITH_BENCH=OFF >/dev/null; }
configure_build "${fresh[@]}" -UKVX_VERSION
version=$(build_version "$build")
older=$(older_version "$version")
# The release before, for the upgrade: the same build with the one version number overridden.
configure_build -DKVX_VERSION="$older"
cmake --build "$build" -j "$jobs" --target medium
rm -rf "$build/medium-$older"
mv "$build/medium" "$build/medium-$older"
echo "the $older medium in $build/medium-$older"
configure_build -UKVX_VERSION
cmake --build "$build" -j "$jobs"
cmake --build "$build" --target medium

stage "Windows tests under Wine"
ctest --test-dir "$build" -j "$jobs" --output-on-failure
# What the installer checks saw: the export, the launches, the timed installs.
grep -E '^(HoldOff.dll exports|not installed:|installed:|installs with|fastest:)' \
  "$build/Testing/Temporary/LastTest.log" || true

stage "kvxctl.exe --usb-library kvxsim.dll read"
# The Windows run-time binding end to end: kvxctl loads the simulated dongle by file name.
# With Qt, kvxctl links Qt's painter for the report: run it as deployed, beside Qt's DLLs.
template=$WINEPREFIX/read.kvx
bin=$build/bin
[ -z "$qt" ] || bin=$build/deploy
(cd "$bin" && timeout 120 wine kvxctl.exe --usb-library kvxsim.dll read -o "$(winepath -w "$template")" </dev/null)
size=$(stat -c %s "$template")
[ "$size" -eq 31872 ] || { echo "FAIL: kvxctl.exe read wrote $size bytes, not 31872" >&2; exit 1; }

if [ -n "$qt" ]; then
  stage "kvxconf.exe --simulate, as deployed"
  bash tests/installer/wine/program_smoke.sh "$build/deploy/kvxconf.exe"
fi

stage "installation medium under Wine, over $older"
bash tests/installer/wine/medium_under_wine.sh "$build/medium" "$([ -n "$qt" ] && echo yes || echo no)" "$build/medium-$older"

stage "Windows stage took $(( SECONDS - started ))s"
