#!/bin/sh
# Builds the Windows program and zips the release archive into build/release,
# with its SHA-256 beside it.
set -eu
cd "$(dirname "$0")/.."
tools/build.sh
mkdir -p build/release
cpack --config build/mingw/CPackConfig.cmake -B build/release >build/release/cpack.log 2>&1 \
    || { cat build/release/cpack.log; exit 1; }
rm -rf build/release/_CPack_Packages
ls build/release/halvesta-*-win64.zip build/release/halvesta-*-win64.zip.sha256
