#!/bin/bash
# Builds and starts dist/halvesta/halvesta.exe under Wine, from its own
# folder. Without an X display it starts a private virtual one and saves a
# screenshot of the strip a few seconds after start.
set -eu
cd "$(dirname "$0")/.."
ROOT=$(pwd)
tools/build.sh

. tools/wine-env.sh
RUN_DIR="$ROOT/build/wine-run"
if [ -n "${DISPLAY:-}" ]; then
    export HALVESTA_USE_DISPLAY="$DISPLAY"
fi
USER_TZ="${TZ-}"
echo "Preparing a private Wine prefix in $RUN_DIR (the first time takes a while)..."
wine_env_start "$RUN_DIR"
# The tests pin a time zone; a person wants their own.
if [ -n "$USER_TZ" ]; then export TZ="$USER_TZ"; else unset TZ; fi

stop() {
    trap - INT TERM EXIT
    echo
    echo "Stopping Halvesta..."
    wine_env_stop
}
trap stop INT TERM EXIT

(cd dist/halvesta && exec wine halvesta.exe) &
PROGRAM=$!

if [ -z "${HALVESTA_USE_DISPLAY:-}" ]; then
    sleep 6
    SHOT="$RUN_DIR/screenshot.png"
    xwd -root -silent -display "$DISPLAY" | convert xwd:- -crop 600x100+0+0 +repage "$SHOT"
    echo "Halvesta is running on the private display $DISPLAY."
    echo "Screenshot of the strip: $SHOT"
fi
echo "Stop it with Ctrl-C here, or with Close in its notification-area menu."
wait "$PROGRAM" || true
echo "Halvesta exited."
