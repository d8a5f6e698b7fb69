#!/bin/sh
# Regenerates docs/check-preview.png, the README's picture of what
# halvesta-check draws for the shipped settings at a fixed moment.
set -eu
cd "$(dirname "$0")/.."
ROOT=$(pwd)
sh tools/install-deps.sh
mkdir -p build
cmake --preset native >build/check-preview.log 2>&1 || { cat build/check-preview.log; exit 1; }
cmake --build --preset native --target halvesta-check -j "$(nproc 2>/dev/null || echo 2)" >/dev/null
FOLDER=$(mktemp -d "${TMPDIR:-/tmp}/halvesta-preview.XXXXXX")
trap 'rm -rf "$FOLDER"' EXIT
mkdir -p "$FOLDER/res"
cp res/config.ini "$FOLDER/config.ini"
cp res/fira-code.png "$FOLDER/res/fira-code.png"
(cd "$FOLDER" && "$ROOT/build/native/src/check/halvesta-check" --no-wait --preview "$ROOT/docs/check-preview.png" \
    --at "2026-12-09 17:45:16" --power 1,87)
echo "docs/check-preview.png"
