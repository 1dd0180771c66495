#!/usr/bin/env bash
# Runs every fuzz target briefly from its seeds; a crash fails the run.
set -euo pipefail
build=${1:-build-sanitize}
seconds=${FUZZ_SECONDS:-15}
shopt -s nullglob
for target in "$build"/bin/fuzz_*; do
  name=$(basename "$target")
  corpus=$(mktemp -d)
  seeds="tests/fuzz/seeds/${name#fuzz_}"
  [ -d "$seeds" ] && cp -r "$seeds"/. "$corpus"/
  echo "fuzzing $name for ${seconds}s"
  "$target" -max_total_time="$seconds" -print_final_stats=0 "$corpus" >"$corpus.log" 2>&1 || {
    tail -n 40 "$corpus.log"; exit 1; }
  rm -rf "$corpus" "$corpus.log"
done
