#!/usr/bin/env bash
# kvxconf.exe as deployed, under Wine: started with --simulate it loads kvxsim.dll from beside
# itself, opens the simulated dongle and stays up.
#   program_smoke.sh PATH/kvxconf.exe     (uses the caller's WINEPREFIX)
set -euo pipefail
program=$(realpath "$1")
seconds=${SMOKE_SECONDS:-5}
log=$(mktemp /tmp/kvx-smoke.XXXXXX)
pid=""
trap '[ -z "$pid" ] || kill "$pid" 2>/dev/null || true; rm -f "$log"' EXIT

fail() { echo "FAIL: $*" >&2; grep -i 'kvx\|qt6\|err' "$log" >&2 || true; exit 1; }

(cd "$(dirname "$program")" && WINEDEBUG=-all,+loaddll exec wine "$(basename "$program")" --simulate -platform windows \
  </dev/null >"$log" 2>&1) &
pid=$!
# Wine's start-up time varies with the machine's load: wait for the library, then watch.
for (( waited = 0; waited < 60; waited++ )); do
  grep -qi 'kvxsim.dll' "$log" && break
  kill -0 "$pid" 2>/dev/null || fail "kvxconf.exe --simulate ended before loading kvxsim.dll"
  sleep 1
done
loaded=$(grep -io '[a-z]:\\[^"]*kvxsim.dll' "$log" | head -n 1 | sed 's/\\\\/\\/g')
[ -n "$loaded" ] || fail "kvxconf.exe did not load kvxsim.dll within 60 s"
sleep "$seconds"
kill -0 "$pid" 2>/dev/null || fail "kvxconf.exe --simulate ended within $seconds s of loading kvxsim.dll"
echo "kvxconf.exe --simulate loaded the simulated dongle from $loaded and stayed up"
