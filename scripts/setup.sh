#!/bin/sh
# One-time machine setup for Debian 12 amd64, as root, without prompts. Safe to run again.
# Installs the cross compilers, Wine (both widths), qemu-user 10 for 32-bit Wine, Xvfb and the test tools
# (Mono's C# compiler and runtime for the bindings' check).
set -eu
export DEBIAN_FRONTEND=noninteractive
here=$(cd "$(dirname "$0")" && pwd)
SUDO=; [ "$(id -u)" = 0 ] || SUDO=sudo

if ! grep -rqs bookworm-backports /etc/apt/sources.list /etc/apt/sources.list.d; then
  uri=$(sed -n 's/^URIs: *//p' /etc/apt/sources.list.d/debian.sources 2>/dev/null | head -n1)
  [ -n "$uri" ] || uri=$(awk '$1 == "deb" && $3 == "bookworm" {print $2; exit}' /etc/apt/sources.list)
  printf 'Types: deb\nURIs: %s\nSuites: bookworm-backports\nComponents: main\nSigned-By: /usr/share/keyrings/debian-archive-keyring.gpg\n' \
    "$uri" | $SUDO tee /etc/apt/sources.list.d/bookworm-backports.sources >/dev/null
fi
$SUDO dpkg --add-architecture i386
$SUDO apt-get update -qq
# qemu 10 first: bookworm's 7.2 needs a minute per 32-bit process, and the i386 packages' scripts need it registered.
$SUDO apt-get install -y -qq --no-install-recommends -t bookworm-backports qemu-user >/dev/null
$SUDO sh "$here/binfmt-i386.sh"
$SUDO apt-get install -y -qq --no-install-recommends \
  cmake ninja-build g++ clang clang-format libclang-rt-14-dev googletest libgtest-dev \
  g++-mingw-w64-i686-posix g++-mingw-w64-x86-64-posix \
  wine wine64 wine32:i386 fonts-wine fonts-ipafont-gothic xvfb x11-utils netpbm cpuid icoutils \
  nlohmann-json3-dev libcli11-dev zip unzip python3 llvm-14 lld-14 pkgconf mono-mcs mono-runtime >/dev/null
/usr/lib/wine/wine --version >/dev/null   # the 32-bit loader starts (through qemu-i386)
echo "setup: done"
