#!/bin/bash
# Builds and starts dist/halvesta/halvesta.exe under Wine, from its own
# folder. Without an X display it starts a private virtual one and saves a
# screenshot of the strip a few seconds after start. Ctrl-C asks the program
# to close as a user would and waits for it.
set -eu
cd "$(dirname "$0")/.."
ROOT=$(pwd)
LOG="$ROOT/build/run-build.log"
mkdir -p build
echo "Building Halvesta (log in $LOG)..."
if ! { tools/build.sh && cmake --build --preset mingw --target probe; } >"$LOG" 2>&1; then
    tail -30 "$LOG"
    exit 1
fi
# Sends the strip its close request from outside, as any program could.
PROBE="$ROOT/build/mingw/tests/e2e/probe/probe.exe"

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
trap wine_env_stop EXIT

(cd dist/halvesta && exec setsid wine halvesta.exe) &
PROGRAM=$!

CLOSE_ASKED=0
ask_to_close() {
    if [ "$CLOSE_ASKED" = 1 ]; then
        echo "Stopping it."
        wine_env_stop
        return
    fi
    CLOSE_ASKED=1
    echo
    echo "Closing Halvesta (Ctrl-C again stops it at once)..."
    wine "$PROBE" close MAINWINDOW_CLASSNAME >/dev/null 2>&1 || wine_env_stop
}
trap ask_to_close INT TERM

if [ -z "${HALVESTA_USE_DISPLAY:-}" ]; then
    sleep 6 || true
    if kill -0 "$PROGRAM" 2>/dev/null; then
        SHOT="$RUN_DIR/screenshot.png"
        xwd -root -silent -display "$DISPLAY" | convert xwd:- -crop 600x100+0+0 +repage "$SHOT"
        echo "Halvesta is running on the private display $DISPLAY."
        echo "Screenshot of the strip: $SHOT"
    fi
fi
kill -0 "$PROGRAM" 2>/dev/null && echo "Stop it with Ctrl-C here, or with Close in its notification-area menu."
# A trapped signal ends a wait early; wait again until the program is gone.
status=0
while kill -0 "$PROGRAM" 2>/dev/null; do
    wait "$PROGRAM" && status=0 || status=$?
done
trap - INT TERM
echo "Halvesta exited."
