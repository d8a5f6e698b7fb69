# Sourced by the run, test, bench and soak scripts: a private virtual X
# display with a notification area, a private Wine prefix, and their clean
# shutdown.
#   wine_env_start DIR   prefix in DIR/prefix, display started, exports set
#   wine_env_stop        stops only what wine_env_start started
# The display server and Wine's own processes run in sessions of their own,
# so a Ctrl-C at the terminal reaches only the script, which stops them in
# order.

WINE_ENV_XVFB_PID=""
WINE_ENV_TRAYER_PID=""

wine_env_start() {
    wine_env_dir=$(mkdir -p "$1" && cd "$1" && pwd)
    export WINEPREFIX="$wine_env_dir/prefix"
    export WINEARCH=win64
    export WINEDEBUG=-all
    # No Mono or Gecko installer prompts in a fresh prefix.
    export WINEDLLOVERRIDES="mscoree=;mshtml="
    # A zone with minutes makes offset mistakes visible.
    export TZ="${HALVESTA_TEST_TZ:-ACS-9:30}"

    if [ -z "${HALVESTA_USE_DISPLAY:-}" ]; then
        fdfile="$wine_env_dir/xvfb-display"
        rm -f "$fdfile"
        setsid Xvfb -displayfd 3 -noreset -nolisten tcp -screen 0 1024x768x24 \
            3>"$fdfile" >"$wine_env_dir/xvfb.log" 2>&1 &
        WINE_ENV_XVFB_PID=$!
        tries=0
        while [ ! -s "$fdfile" ] && [ $tries -lt 100 ]; do
            sleep 0.1
            tries=$((tries + 1))
        done
        if [ ! -s "$fdfile" ]; then
            echo "wine-env: Xvfb did not start (see $wine_env_dir/xvfb.log)" >&2
            return 1
        fi
        export DISPLAY=":$(head -n1 "$fdfile")"
        # A real notification area, as every desktop has, started before
        # Wine: icons dock there, and Wine opens no tray window of its own
        # over the strip's corner.
        setsid trayer --edge bottom --align right --widthtype request --height 32 \
            --SetDockType false --SetPartialStrut false >"$wine_env_dir/trayer.log" 2>&1 &
        WINE_ENV_TRAYER_PID=$!
        tries=0
        while ! xdotool search --onlyvisible --classname '^panel$' >/dev/null 2>&1 && [ $tries -lt 100 ]; do
            sleep 0.1
            tries=$((tries + 1))
        done
        if [ $tries -ge 100 ]; then
            echo "wine-env: trayer did not start (see $wine_env_dir/trayer.log)" >&2
            return 1
        fi
    else
        export DISPLAY="$HALVESTA_USE_DISPLAY"
    fi

    if [ ! -f "$WINEPREFIX/system.reg" ]; then
        setsid wineboot -i >"$wine_env_dir/wineboot.log" 2>&1 || true
    fi
    # Unmanaged windows: otherwise Wine waits about 2 s on every hide and
    # destroy. The https handler records what "Check For Updates" opens.
    recorder="$wine_env_dir/open-recorder.sh"
    cat >"$recorder" <<REC
#!/bin/sh
printf '%s\n' "\$*" >>"$wine_env_dir/opened-urls.txt"
REC
    chmod +x "$recorder"
    recorder_win=$(printf '%s' "$recorder" | sed 's|/|\\\\|g')
    cat >"$wine_env_dir/settings.reg" <<REG
REGEDIT4

[HKEY_CURRENT_USER\\Software\\Wine\\X11 Driver]
"Managed"="N"
"Decorated"="N"

[HKEY_CLASSES_ROOT\\https\\shell\\open\\command]
@="\\"Z:$recorder_win\\" \\"%1\\""
REG
    setsid wine regedit /S "$wine_env_dir/settings.reg" >/dev/null 2>&1 || true
    # A persistent server keeps later starts fast.
    setsid wineserver -p >/dev/null 2>&1 || true
    export HALVESTA_OPENED_URLS="$wine_env_dir/opened-urls.txt"
}

wine_env_stop() {
    if [ -n "${WINEPREFIX:-}" ]; then
        wineserver -k >/dev/null 2>&1 || true
    fi
    if [ -n "$WINE_ENV_TRAYER_PID" ]; then
        kill "$WINE_ENV_TRAYER_PID" 2>/dev/null || true
        wait "$WINE_ENV_TRAYER_PID" 2>/dev/null || true
        WINE_ENV_TRAYER_PID=""
    fi
    if [ -n "$WINE_ENV_XVFB_PID" ]; then
        kill "$WINE_ENV_XVFB_PID" 2>/dev/null || true
        wait "$WINE_ENV_XVFB_PID" 2>/dev/null || true
        WINE_ENV_XVFB_PID=""
WINE_ENV_TRAYER_PID=""
    fi
}
