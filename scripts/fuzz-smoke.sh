#!/usr/bin/env bash
# Runs every fuzz target briefly from its seeds (and its dictionary, if it has one); a crash
# fails the run. FUZZ_SECONDS sets the time each target gets.
set -euo pipefail
build=${1:-build-sanitize}
seconds=${FUZZ_SECONDS:-12}
shopt -s nullglob
for target in "$build"/bin/fuzz_*; do
  name=$(basename "$target")
  corpus=$(mktemp -d)
  seeds="tests/fuzz/seeds/${name#fuzz_}"
  [ -d "$seeds" ] && cp -r "$seeds"/. "$corpus"/
  options=(-max_total_time="$seconds" -print_final_stats=0)
  dictionary="tests/fuzz/${name#fuzz_}.dict"
  [ -f "$dictionary" ] && options+=(-dict="$dictionary")
  echo "fuzzing $name for ${seconds}s"
  "$target" "${options[@]}" "$corpus" >"$corpus.log" 2>&1 || {
    tail -n 40 "$corpus.log"; exit 1; }
  rm -rf "$corpus" "$corpus.log"
done
