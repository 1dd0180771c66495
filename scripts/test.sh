#!/usr/bin/env bash
# Builds every configuration once and runs every test: native with the UI (and its Debian
# package, installed and removed), clang with sanitizers and a short fuzz run (this build also
# proves the core builds without Qt), and the Windows cross-build under Wine.
set -euo pipefail
cd "$(dirname "$0")/.."

bash scripts/install-deps.sh
jobs=$(nproc)

stage() { printf '\n== %s ==\n' "$*"; }

stage "native build and tests"
cmake --preset default >/dev/null
cmake --build --preset default -j "$jobs"
ctest --preset default -j "$jobs"

stage "Debian package"
bash scripts/test-package.sh build

stage "sanitizer build (no Qt) and tests"
cmake --preset sanitize >/dev/null
cmake --build --preset sanitize -j "$jobs"
ctest --preset sanitize -j "$jobs"

stage "fuzz smoke run"
bash scripts/fuzz-smoke.sh build-sanitize

stage "Windows build under Wine"
bash scripts/test-windows.sh build-win
