#!/bin/bash
# Soak test: the real program under Wine for ten minutes (or
# HALVESTA_SOAK_SECONDS) with its menu in use; fails when its memory or its
# open descriptors grow. Samples go to build/soak/samples.csv.
set -u
cd "$(dirname "$0")/.."
ROOT=$(pwd)

sh tools/install-deps.sh || exit 1

SOAK="$ROOT/build/soak"
. tools/build-steps.sh
for preset in native mingw; do
    echo "== build: $preset"
    configure_preset "$preset" "$SOAK/configure-$preset.log" || exit 1
    cmake --build --preset "$preset" -j "$JOBS" >"$SOAK/build-$preset.log" 2>&1 \
        || { grep -E "error|warning" "$SOAK/build-$preset.log" | head -40; tail -20 "$SOAK/build-$preset.log"; exit 1; }
done
rm -rf dist && cmake --install build/mingw --prefix dist >/dev/null || exit 1

. tools/wine-env.sh
trap wine_env_stop EXIT
wine_env_start "$SOAK/wine" || { echo "wine environment did not start"; exit 1; }

SECONDS_WANTED=${HALVESTA_SOAK_SECONDS:-600}
echo "== soak: $SECONDS_WANTED s"
HALVESTA_SOAK_SECONDS="$SECONDS_WANTED" HALVESTA_SOAK_CSV="$SOAK/samples.csv" \
HALVESTA_DIST="$ROOT/dist/halvesta" HALVESTA_PROBE="$ROOT/build/mingw/tests/e2e/probe/probe.exe" \
    timeout -k 10 $((SECONDS_WANTED + 300)) build/native/tests/e2e/e2e_tests --gtest_filter='Soak*'
status=$?

wine_env_stop
trap - EXIT
exit $status
