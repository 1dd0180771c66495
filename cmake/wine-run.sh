#!/usr/bin/env bash
# Runs a Windows binary under Wine for CTest and for tools the build runs. Its carriage returns are dropped so the
# GoogleTest listing parses as it does on Linux; the exit code is the program's.
# Now and then Wine fails to start a process at all (a failure with no output): that one
# start is tried once more, so a test is never judged on a program that did not run.
set -o pipefail
run() { wine "$@" | tr -d '\r'; }

# KVX_WINE_DLL_PATH: the folders (colon-separated) of the DLLs the program needs beyond
# Windows' own; Wine searches them as the program's PATH.
if [ -n "${KVX_WINE_DLL_PATH:-}" ]; then
  IFS=: read -ra folders <<<"$KVX_WINE_DLL_PATH"
  WINEPATH=$(printf 'Z:%s;' "${folders[@]}")${WINEPATH:-}
  export WINEPATH
fi

out=$(run "$@")
rc=$?
if [ "$rc" -ne 0 ] && [ -z "$out" ]; then
  echo "wine-run: $1 gave no output and exit code $rc; starting it once more" >&2
  out=$(run "$@")
  rc=$?
fi
[ -n "$out" ] && printf '%s\n' "$out"
exit "$rc"
