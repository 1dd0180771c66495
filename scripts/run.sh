#!/usr/bin/env bash
# Builds the program and starts it against the simulated dongle and unit.
set -euo pipefail
cd "$(dirname "$0")/.."

bash scripts/install-deps.sh
cmake --preset default >/dev/null
cmake --build --preset default -j "$(nproc)" --target kvxconf kvxsim
exec build/bin/kvxconf --simulate "$@"
