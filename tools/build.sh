#!/bin/sh
# Installs what is missing, builds the Windows program and lays out dist/
# from the install rules: dist/halvesta is the folder a user copies.
set -eu
cd "$(dirname "$0")/.."
sh tools/install-deps.sh
. tools/build-steps.sh
configure_preset mingw build/configure.log || exit 1
cmake --build --preset mingw --target program -j "$JOBS"
rm -rf dist
cmake --install build/mingw --prefix dist >/dev/null
