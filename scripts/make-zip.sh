#!/bin/sh
# make-zip.sh BUILD32 BUILD64 OUT_DIR: the release zip of two built trees; prints its path.
set -eu
b32=$(cd "$1" && pwd) b64=$(cd "$2" && pwd) out=$3
mkdir -p "$out"
cpack -G ZIP --config "$b64/CPackConfig.cmake" -B "$out" \
  -D "CPACK_INSTALL_CMAKE_PROJECTS=$b32;zavsys;ALL;/;$b64;zavsys;ALL;/" >"$out/cpack.log"
rm -rf "$out/_CPack_Packages"
ls "$out"/zavsys-*.zip
