# Sourced by the scripts (or by hand from the repository's root: . scripts/env.sh): one Wine prefix per
# build tree, quiet Wine, no Mono/Gecko prompts, the two Windows widths and their Wine loaders.
src=$(cd "$(dirname "$0")/.." && pwd)
[ -f "$src/scripts/env.sh" ] || src=$(pwd) # sourced by hand: $0 is the shell
B=$(mkdir -p "${ZVT_BUILD:-$src/build}" && cd "${ZVT_BUILD:-$src/build}" && pwd)
export WINEPREFIX="$B/wineprefix" WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
WINE32=wine
WINE64=/usr/lib/wine/wine64
WIDTHS="x86_64 i686"

# for_each_width COMMAND [ARGS...]: runs the command once per Windows width, with t (the build tree's
# name), bits (64, 32), arch (the package's folder: x64, x86) and loader (its Wine) set. The command runs
# outside any condition, so that under set -e its first failure ends the script.
for_each_width() {
  for t in $WIDTHS; do
    case $t in
      i686) bits=32 arch=x86 loader=$WINE32 ;;
      *) bits=64 arch=x64 loader=$WINE64 ;;
    esac
    "$@"
  done
}

# build_width: configures and builds the Windows tree of width $t (Release).
build_width() {
  cmake -S "$src" -B "$B/$t" -G Ninja -DCMAKE_BUILD_TYPE=Release \
    -DCMAKE_TOOLCHAIN_FILE="$src/cmake/mingw-$t.cmake" >/dev/null
  cmake --build "$B/$t"
}

# build_all: the native build (unit tests under sanitizers) and both Windows widths.
build_all() {
  cmake -S "$src" -B "$B/native" -G Ninja -DCMAKE_BUILD_TYPE=Debug >/dev/null
  cmake --build "$B/native"
  for_each_width build_width
}

# wine_prefix: a WoW64 prefix made once, without a display, with a Japanese font for "MS UI Gothic".
wine_prefix() {
  if [ ! -f "$WINEPREFIX/system.reg" ]; then
    (unset DISPLAY; $WINE64 wineboot -i >/dev/null 2>&1
     $WINE64 reg add 'HKCU\Software\Wine\Fonts\Replacements' /v 'MS UI Gothic' /d IPAPGothic /f >/dev/null 2>&1
     $WINE64 reg add 'HKCU\Software\Wine\X11 Driver' /v Decorated /d N /f >/dev/null 2>&1
     no_debugger
     wineserver -w)
  fi
}

# no_debugger: the prefix names no debugger for either width, so an unhandled exception ends the process
# at once with the exception's code as its status. Wine's default starts winedbg instead, whose crash
# window waits on the display until ctest's timeout. Does nothing when the saved registry has it already;
# a prefix still being made has no saved registry yet.
no_debugger() {
  [ -f "$WINEPREFIX/system.reg" ] &&
    awk '/^\[/ { key = /\\\\AeDebug\]/ } key && $0 == "\"Debugger\"=\"\"" { n++ } END { exit n != 2 }' \
      "$WINEPREFIX/system.reg" && return
  for view in '' 'Wow6432Node\'; do
    $WINE64 reg add "HKLM\\Software\\${view}Microsoft\\Windows NT\\CurrentVersion\\AeDebug" /v Debugger /d '' /f \
      >/dev/null 2>&1
  done
}

# start_session: a private Xvfb display and one warm Wine session for everything that follows.
start_session() {
  mkdir -p "$B/xvfb"; rm -f "$B/xvfb/display"
  Xvfb -displayfd 3 -screen 0 1024x768x24 -fbdir "$B/xvfb" -nolisten tcp 3>"$B/xvfb/display" 2>"$B/xvfb/log" &
  xvfb=$!
  trap 'wineserver -k 2>/dev/null || true; kill $xvfb 2>/dev/null || true' EXIT
  while [ ! -s "$B/xvfb/display" ]; do sleep 0.1; done
  export DISPLAY=":$(cat "$B/xvfb/display")" XVFB_FBDIR="$B/xvfb"
  wineserver -k 2>/dev/null && echo "(stopped a Wine session left running on $WINEPREFIX)" || true
  wineserver -w
  wineserver -p
  no_debugger # a prefix made before it was part of wine_prefix; saved when the session ends
  $WINE64 wineboot >/dev/null 2>&1 # services start now, away from ctest's pipes
}
