#!/bin/sh
# Installs what is missing and builds the Windows program into dist/halvesta.
set -eu
cd "$(dirname "$0")/.."
sh tools/install-deps.sh
mkdir -p build
cmake --preset mingw >build/configure.log 2>&1 || { cat build/configure.log; exit 1; }
cmake --build --preset mingw --target halvesta -j "$(nproc 2>/dev/null || echo 2)"
