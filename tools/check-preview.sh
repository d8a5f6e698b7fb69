#!/bin/sh
# Regenerates docs/check-preview.png, the README's picture of what
# halvesta-check draws for the shipped settings at a fixed moment.
set -eu
cd "$(dirname "$0")/.."
ROOT=$(pwd)
LOG=build/check-preview.log
. tools/check-folder.sh
(cd "$FOLDER" && "$CHECK" --no-wait --preview "$ROOT/docs/check-preview.png" --at "2026-12-09 17:45:16" --power 1,87)
echo "docs/check-preview.png"
