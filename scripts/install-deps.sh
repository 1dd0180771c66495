#!/usr/bin/env bash
# Installs the Debian packages the build, the tests and the Windows cross-build need.
set -euo pipefail

packages=(
  cmake ninja-build g++ clang-14 libclang-rt-14-dev
  libgtest-dev libgmock-dev googletest libbenchmark-dev
  libcli11-dev nlohmann-json3-dev qt6-base-dev
  g++-mingw-w64-x86-64-posix wine wine64 wixl msitools fonts-dejavu-core
  dpkg-dev file lintian desktop-file-utils xz-utils poppler-utils
)

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0

sudo=""
[ "$(id -u)" -eq 0 ] || sudo="sudo"
$sudo apt-get update -qq
DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"
