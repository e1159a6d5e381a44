#!/bin/sh
# Two builds of the same sources in different folders at different times must give the same bytes:
# zavsys.dll, zvtinfo.exe, the dialog program and both import libraries of each width, and the release zip.
# Each build is made without ccache from its own copy of the sources; none of the files may name a folder
# it was built in, and every module's checksum must be valid with no link time in it.
# Usage: sh scripts/check-reproducible.sh [BUILD]
#   without BUILD: builds twice in temporary folders;
#   with BUILD (its i686/ and x86_64/ built from this tree, as test-all.sh leaves them): builds once and
#   compares with those, which halves the time.
# SOURCE_DATE_EPOCH, the zip's one time, is the commit's time unless set.
set -eu
given=${1:+$(cd "$1" && pwd)}
. "$(dirname "$0")/env.sh"
# The zip's time only: the builds run without it, as a developer's do, so that no tool that reads it (ld
# takes the PE time stamps from it) hides a time that an ordinary build would record.
epoch=${SOURCE_DATE_EPOCH:-$(git -C "$src" log -1 --format=%ct)}
unset SOURCE_DATE_EPOCH
export CCACHE_DISABLE=1
unset CMAKE_C_COMPILER_LAUNCHER CMAKE_CXX_COMPILER_LAUNCHER
work=$(mktemp -d "${TMPDIR:-/tmp}/zvt-reproducible.XXXXXX")
trap 'rm -rf "$work"' EXIT
trap 'exit 1' INT TERM
# The sources as they are now (tracked and new files, not ignored ones), the same for every build.
(cd "$src" && git ls-files -z --cached --others --exclude-standard | tar --null -T - -cf "$work/sources.tar")
files="i686/bin/zavsys.dll i686/bin/zvtinfo.exe i686/bin/TestZavit32.exe i686/library/libzavsys.dll.a
  i686/library/zavsys.lib x86_64/bin/zavsys.dll x86_64/bin/zvtinfo.exe x86_64/bin/TestZavit64.exe
  x86_64/library/libzavsys.dll.a x86_64/library/zavsys.lib"

# build_copy DIR: the sources unpacked in DIR/src, the release files of both widths built in DIR/build.
build_copy() {
  mkdir -p "$1/src"
  tar -C "$1/src" -xf "$work/sources.tar"
  for_each_width build_release "$1"
}
# build_release DIR: the release files of width $t from DIR/src in DIR/build/$t.
build_release() {
  cmake -S "$1/src" -B "$1/build/$t" -G Ninja -DCMAKE_BUILD_TYPE=Release \
    -DCMAKE_TOOLCHAIN_FILE="$1/src/cmake/mingw-$t.cmake" >/dev/null
  cmake --build "$1/build/$t" -j2 --target zavsys zvtinfo TestZavit$bits >/dev/null
}

# hashes BUILD NAME: the zip of BUILD's two trees made in $work/NAME; the files' hashes in $work/NAME.hashes.
hashes() {
  zip=$(SOURCE_DATE_EPOCH=$epoch ZVT_BUILD="$1" sh "$src/scripts/package.sh" "$work/$2")
  (cd "$1" && sha256sum $files) >"$work/$2.hashes"
  (cd "$work/$2" && sha256sum "$(basename "$zip")") >>"$work/$2.hashes"
}

status=0
# names_folder BUILD FOLDER: fails the check when a release file of BUILD contains FOLDER's path.
names_folder() {
  for file in $files; do
    if LC_ALL=C grep -a -q -F "$2" "$1/$file"; then
      echo "FAILED: $1/$file contains $2"
      status=1
    fi
  done
}

t0=$(date +%s)
if [ -n "$given" ]; then
  first=$given
else
  build_copy "$work/a" # different depths and name lengths: a path that slipped in also shifts what follows
  first=$work/a/build
fi
t1=$(date +%s)
build_copy "$work/second/build-b"
t2=$(date +%s)
echo "built: $first$([ -n "$given" ] || echo " in $((t1 - t0)) s"), $work/second/build-b in $((t2 - t1)) s"
hashes "$first" first
hashes "$work/second/build-b/build" second
cat "$work/first.hashes"
if ! diff "$work/first.hashes" "$work/second.hashes"; then
  echo "FAILED: the two builds differ (< $first, > $work/second/build-b/build)"
  status=1
fi
names_folder "$first" "$work"
names_folder "$first" "$src"
names_folder "$work/second/build-b/build" "$work"
names_folder "$work/second/build-b/build" "$src"
(cd "$first" && python3 "$src/scripts/check-pe.py" $(echo "$files" | tr ' ' '\n' | grep -E '\.(dll|exe)$')) || status=1
[ $status = 0 ] && echo "reproducible: $(wc -l <"$work/first.hashes") files identical"
exit $status
