#!/bin/sh
# Installs what is missing, builds the Windows program and lays out dist/
# from the install rules: dist/halvesta is the folder a user copies.
set -eu
cd "$(dirname "$0")/.."
sh tools/install-deps.sh
mkdir -p build
cmake --preset mingw >build/configure.log 2>&1 || { cat build/configure.log; exit 1; }
cmake --build --preset mingw --target program -j "$(nproc 2>/dev/null || echo 2)"
rm -rf dist
cmake --install build/mingw --prefix dist >/dev/null
