#!/usr/bin/env bash
# Runs a Windows binary under Wine for CTest. Its carriage returns are dropped so the
# GoogleTest listing parses as it does on Linux; the exit code is the program's.
set -o pipefail
wine "$@" | tr -d '\r'
