#!/bin/sh
# Times halvesta-check natively: the check and the preview of the shipped
# settings, RUNS times in a row (default 200), whole process each time.
# Prints the mean per run; docs/performance.md records the figure.
set -eu
cd "$(dirname "$0")/.."
RUNS=${1:-200}
LOG=build/time-check.log
. tools/check-folder.sh
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
