#!/bin/sh
# Fails when a C or C++ source of the repository differs from what .clang-format asks for.
set -eu
cd "$(dirname "$0")/.."
git ls-files '*.cpp' '*.h' '*.c' | grep -v '^tests/fuzz/corpus/' | xargs clang-format --dry-run --Werror
