#!/bin/bash
# Builds the libFuzzer targets (build/fuzz) and runs each for SECONDS
# (default 20) on a scratch copy of its seed corpus, so the committed corpus
# never grows. Prints one line per target; exits non-zero on any finding.
set -u
cd "$(dirname "$0")/.."
ROOT=$(pwd)
SECONDS_PER_TARGET=${1:-20}
TARGETS="fuzz_ini fuzz_color fuzz_settings fuzz_check"

case "$SECONDS_PER_TARGET" in
    ''|*[!0-9]*) echo "usage: $0 [seconds per target]" >&2; exit 2 ;;
esac

. tools/build-steps.sh
configure_preset fuzz "$ROOT/build/fuzz-configure.log" || { echo "fuzz build failed"; exit 1; }
if ! cmake --build --preset fuzz --target $TARGETS -j "$JOBS" >"$ROOT/build/fuzz-build.log" 2>&1; then
    tail -30 "$ROOT/build/fuzz-build.log"
    echo "fuzz build failed"
    exit 1
fi

SCRATCH=$(mktemp -d "${TMPDIR:-/tmp}/halvesta-fuzz.XXXXXX")
STATUS=0
for target in $TARGETS; do
    work="$SCRATCH/$target"
    mkdir -p "$work/corpus" "$work/findings"
    cp "$ROOT/tests/fuzz/corpus/$target/"* "$work/corpus/"
    # The shipped settings seed every target that reads a whole file.
    case $target in fuzz_ini | fuzz_settings | fuzz_check) cp "$ROOT/res/config.ini" "$work/corpus/shipped-config.ini" ;; esac
    # The watchdog only matters if a run hangs past libFuzzer's own limit.
    timeout $((SECONDS_PER_TARGET + 120)) "$ROOT/build/fuzz/tests/fuzz/$target" \
        -max_total_time="$SECONDS_PER_TARGET" -timeout=10 -print_final_stats=1 \
        -artifact_prefix="$work/findings/" "$work/corpus" >"$work/log.txt" 2>&1
    rc=$?
    runs=$(grep -o 'stat::number_of_executed_units: [0-9]*' "$work/log.txt" | grep -o '[0-9]*$')
    if [ $rc -eq 0 ]; then
        echo "$target: ok, ${runs:-?} runs in ${SECONDS_PER_TARGET} s"
    else
        finding=$(ls "$work/findings" 2>/dev/null | head -1)
        echo "$target: FAILED (exit $rc) ${finding:+finding $work/findings/$finding}, log $work/log.txt"
        STATUS=1
    fi
done
[ $STATUS -eq 0 ] && rm -rf "$SCRATCH"
exit $STATUS
