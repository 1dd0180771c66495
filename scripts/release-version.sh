# Sourced by the package and Windows stages, which prove an upgrade from the release before.
#   build_version BUILD   the version a configured build folder builds (KVX_VERSION, set once in CMakeLists.txt)
#   older_version 1.3     the release before it: 1.2 (2.0 gives 1.9)

build_version() { sed -n 's/^KVX_VERSION:[A-Z]*=//p' "$1/CMakeCache.txt"; }

older_version() {
  local major=${1%%.*} minor=${1#*.}
  if [ "$minor" -gt 0 ]; then echo "$major.$((minor - 1))"; else echo "$((major - 1)).9"; fi
}
