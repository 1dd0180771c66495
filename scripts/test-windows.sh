#!/usr/bin/env bash
# The Windows stage: cross-builds build-win/ (or the folder given) with mingw-w64, without the
# UI, and runs under Wine, in a throw-away prefix: the core and installer tests as Windows
# binaries, the installer helpers against Windows Installer (HoldOff.dll in an MSI, autorun.exe
# from a mapped medium), and kvxctl.exe reading the simulated unit through kvxsim.dll.
set -euo pipefail
cd "$(dirname "$0")/.."

build=${1:-build-win}
jobs=${JOBS:-$(nproc)}

export WINEDEBUG=-all
WINEPREFIX=$(mktemp -d /tmp/kvx-wine.XXXXXX)
export WINEPREFIX
# Wine keeps its server and helper processes per prefix; end exactly those, then the prefix.
trap 'wineserver -k 2>/dev/null || true; rm -rf "$WINEPREFIX"' EXIT

stage() { printf '\n== %s ==\n' "$*"; }
started=$SECONDS

stage "Wine prefix"
# One server for the whole stage instead of one per short test run; it must start first.
wineserver -p
wineboot -i >/dev/null 2>&1

stage "cross build ($build)"
cmake -S . -B "$build" -G Ninja -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64-x86_64.cmake \
  -DCMAKE_BUILD_TYPE=Release -DKVX_WITH_UI=OFF -DKVX_WITH_BENCH=OFF >/dev/null
cmake --build "$build" -j "$jobs"

stage "Windows tests under Wine"
ctest --test-dir "$build" -j "$jobs" --output-on-failure
# What the installer checks saw: the export, the launches, the timed installs.
grep -E '^(HoldOff.dll exports|not installed:|installed:|installs with|fastest:)' \
  "$build/Testing/Temporary/LastTest.log" || true

stage "kvxctl.exe --usb-library kvxsim.dll read"
# The Windows run-time binding end to end: kvxctl loads the simulated dongle by file name.
template=$WINEPREFIX/read.kvx
(cd "$build/bin" && timeout 120 wine kvxctl.exe --usb-library kvxsim.dll read -o "$(winepath -w "$template")" </dev/null)
size=$(stat -c %s "$template")
[ "$size" -eq 31872 ] || { echo "FAIL: kvxctl.exe read wrote $size bytes, not 31872" >&2; exit 1; }

stage "Windows stage took $(( SECONDS - started ))s"
