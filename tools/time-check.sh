#!/bin/sh
# Times halvesta-check natively: the check and the preview of the shipped
# settings, RUNS times in a row (default 200), whole process each time.
# Prints the mean per run; docs/performance.md records the figure.
set -eu
cd "$(dirname "$0")/.."
ROOT=$(pwd)
RUNS=${1:-200}
sh tools/install-deps.sh
mkdir -p build
cmake --preset native >build/time-check.log 2>&1 || { cat build/time-check.log; exit 1; }
cmake --build --preset native --target halvesta-check -j "$(nproc 2>/dev/null || echo 2)" >>build/time-check.log 2>&1
CHECK="$ROOT/build/native/src/check/halvesta-check"
FOLDER=$(mktemp -d "${TMPDIR:-/tmp}/halvesta-time.XXXXXX")
trap 'rm -rf "$FOLDER"' EXIT
mkdir -p "$FOLDER/res"
cp res/config.ini "$FOLDER/config.ini"
cp res/fira-code.png "$FOLDER/res/fira-code.png"
cd "$FOLDER"
"$CHECK" --no-wait --preview preview.png --power 1,87 >/dev/null
START=$(date +%s%N)
i=0
while [ "$i" -lt "$RUNS" ]; do
    "$CHECK" --no-wait --preview preview.png --power 1,87 >/dev/null
    i=$((i + 1))
done
END=$(date +%s%N)
echo "check + preview of the shipped config.ini: $(( (END - START) / RUNS / 1000 )) us per run (mean of $RUNS runs)"
