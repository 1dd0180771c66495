#!/usr/bin/env bash
# Builds the installation medium: the deployment (cmake --install) packed into kvxconf.msi by
# wixl, beside autorun.exe and autorun.inf.
#   make_medium.sh BUILD MEDIUM WITH_PROGRAM(yes|no) kvxconf.wxs autorun.inf autorun.exe HoldOff.dll
set -euo pipefail
build=$1 medium=$2 with_program=$3 wxs=$4 inf=$5 autorun=$6 holdoff=$7
deploy=$build/deploy
fragment=$(dirname "$wxs")/deployment.wxs
# wixl finds sources only by paths relative to the .wxs files.
relative() { realpath --relative-to="$(dirname "$wxs")" "$1"; }

rm -rf "$deploy" "$medium"
cmake --install "$build" --prefix "$deploy" >/dev/null
# Every deployed file but the programs, which have components of their own.
find "$deploy" -type f | sort |
  wixl-heat -p "$deploy/" -x kvxconf.exe -x kvxctl.exe --directory-ref INSTALLDIR \
    --component-group Deployment --var var.Deploy --win64 >"$fragment"
mkdir -p "$medium"
wixl -a x64 -o "$medium/kvxconf.msi" -D Deploy="$(relative "$deploy")" -D Win64=yes -D WithProgram="$with_program" \
  -D HoldOffDll="$(relative "$holdoff")" "$wxs" "$fragment"
cp "$autorun" "$medium/autorun.exe"
cp "$inf" "$medium/autorun.inf"
echo "medium: $(cd "$medium" && echo *)"
