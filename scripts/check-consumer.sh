#!/bin/sh
# check-consumer.sh BUILD BITS LOADER: installs the built tree into an empty folder and, as a consumer
# project elsewhere would, builds a C caller through find_package(zavsys) and another through pkg-config
# with the mingw compiler of that width, then runs both under Wine (LOADER) beside the installed DLL.
set -eu
build=$(cd "$1" && pwd) bits=$2 loader=$3
src=$(cd "$(dirname "$0")/.." && pwd)
case $bits in
  32) arch=x86 triplet=i686-w64-mingw32 toolchain=mingw-i686 ;;
  64) arch=x64 triplet=x86_64-w64-mingw32 toolchain=mingw-x86_64 ;;
  *) echo "usage: check-consumer.sh BUILD 32|64 LOADER"; exit 2 ;;
esac
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
installed=$work/installed
cmake --install "$build" --prefix "$installed" >/dev/null
mkdir "$work/consumer" "$work/pkgconfig-build"
cp "$src/tests/consumer/CMakeLists.txt" "$src/tests/c/import_link.c" "$work/consumer/"

# run NAME FOLDER: the caller under Wine; it prints a line per check and exits 0 when all passed.
run() {
  if ! (cd "$2" && $loader "./$1.exe") >"$work/$1.log" 2>&1; then
    echo "$1 ($arch) failed:"; cat "$work/$1.log"; exit 1
  fi
  echo "$1 ($arch): $(tr -d '\r' <"$work/$1.log" | tail -n 1)"
}

# find_package. A cross toolchain searches packages only below its own root, so the package folder is named.
if ! { cmake -S "$work/consumer" -B "$work/cmake-build" -G Ninja -DCMAKE_BUILD_TYPE=Release \
         -DCMAKE_TOOLCHAIN_FILE="$src/cmake/$toolchain.cmake" -Dzavsys_DIR="$installed/$arch/cmake" &&
       cmake --build "$work/cmake-build"; } >"$work/cmake.log" 2>&1; then
  cat "$work/cmake.log"; exit 1
fi
run cmake_caller "$work/cmake-build"

# pkg-config, as a cross build uses it: only the installed tree's .pc files, paths under its root.
export PKG_CONFIG_LIBDIR="$installed/$arch/pkgconfig" PKG_CONFIG_SYSROOT_DIR="$installed"
cd "$work/pkgconfig-build"
# shellcheck disable=SC2046 # the flags are meant to split into words
$triplet-gcc -std=c11 -Wall -Wextra -Werror -pedantic $(pkg-config --cflags zavsys) "$work/consumer/import_link.c" \
  -o pkgconfig_caller.exe $(pkg-config --libs zavsys)
cp "$(pkg-config --variable=bindir zavsys)/zavsys.dll" .
run pkgconfig_caller "$work/pkgconfig-build"
