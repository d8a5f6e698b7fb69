#!/bin/bash
# Benchmark: the real program (timing build) against the floor program, and
# the floor against itself for the noise, interleaved, under Wine on a
# private virtual display; and the real program hidden through its menu and
# with its session locked, against itself shown. Prints two tables and
# writes them to build/bench/results.md. Usage: tools/bench.sh [runs] [seconds]
set -eu
cd "$(dirname "$0")/.."
ROOT=$(pwd)
RUNS=${1:-5}
SECONDS_PER_RUN=${2:-30}
BENCH="$ROOT/build/bench"

sh tools/install-deps.sh
. tools/build-steps.sh
configure_preset mingw "$BENCH.configure.log" -B "$BENCH" --fresh -DHALVESTA_FRAME_TIMING=ON || exit 1
cmake --build "$BENCH" -j "$JOBS" --target halvesta floor probe >/dev/null
PROBE="$BENCH/tests/e2e/probe/probe.exe"
# The shipped exe, for its size.
tools/build.sh >/dev/null

CONFIG='[Style]
font_size=24
font_spacing=24
text_color=#FF8000
[Position]
margin_x=10
margin_y=10
[Display]
show_date=true
show_time=true
show_battery=true'

prepare_folder() { # name exe
    local dir="$BENCH/run-$1"
    rm -rf "$dir"
    mkdir -p "$dir/res"
    cp "$2" "$dir/program.exe"
    cp res/icon.ico "$dir/"
    cp res/fira-code.png "$dir/res/"
    printf '%s\n' "$CONFIG" >"$dir/config.ini"
}
prepare_folder real "$BENCH/src/halvesta.exe"
prepare_folder floor "$BENCH/tests/bench/floor.exe"
prepare_folder floor2 "$BENCH/tests/bench/floor.exe"
prepare_folder hidden "$BENCH/src/halvesta.exe"
prepare_folder locked "$BENCH/src/halvesta.exe"
PROGRAMS="real floor floor2 hidden locked"

. tools/wine-env.sh
trap 'for p in $PROGRAMS; do WINEPREFIX="$BENCH/env-$p/prefix" wineserver -k 2>/dev/null || true; done; wine_env_stop' EXIT
XVFB_PID=""
for p in $PROGRAMS; do
    if [ -z "$XVFB_PID" ]; then
        wine_env_start "$BENCH/env-$p"
        XVFB_PID=$WINE_ENV_XVFB_PID
        export HALVESTA_USE_DISPLAY=$DISPLAY
    else
        wine_env_start "$BENCH/env-$p"
    fi
done

# The programs read TZ before the system's zone; HALVESTA_BENCH_SYSTEM_ZONE=1
# leaves it unset so the zone comes from the system, as it does for users.
if [ "${HALVESTA_BENCH_SYSTEM_ZONE:-0}" = 1 ]; then
    unset TZ
fi

server_pid() { # prefix
    local pid
    for pid in $(pgrep -x wineserver64 || pgrep -x wineserver || true); do
        if tr '\0' '\n' <"/proc/$pid/environ" 2>/dev/null | grep -qx "WINEPREFIX=$1"; then
            echo "$pid"
            return
        fi
    done
}

cpu_ticks() { # pid
    awk '{print $14 + $15}' "/proc/$1/stat" 2>/dev/null || echo 0
}

program_pid() { # prefix
    local pid
    for pid in $(pgrep -x program.exe || true); do
        if tr '\0' '\n' <"/proc/$pid/environ" 2>/dev/null | grep -qx "WINEPREFIX=$1"; then
            echo "$pid"
            return
        fi
    done
}

# Hidden through the menu, as a user hides it; locked as Windows tells a
# registered window. Both once the strip has presented a few turns.
apply_mode() { # program
    local tries=0
    until wine "$PROBE" find MAINWINDOW_CLASSNAME 2>/dev/null | grep -q '^hwnd='; do
        tries=$((tries + 1))
        [ $tries -lt 100 ] || { echo "bench: no strip for $1" >&2; return 1; }
        sleep 0.2
    done
    case "$1" in
        hidden) printf 'turns 3\nnotify 205\nmenuwait 10000\nmenuchoose 10003\nquit\n' ;;
        locked) printf 'turns 3\nsession 7\nquit\n' ;;
        *) printf 'turns 3\nquit\n' ;;
    esac | wine "$PROBE" serve >"$BENCH/run-$1/probe.log" 2>&1
}

# The steady cost: CPU of the program and its wineserver over a window that
# starts once every mode is in place and ends before the run does.
STEADY_FROM=8
STEADY_SECONDS=$((SECONDS_PER_RUN - STEADY_FROM - 4))
[ "$STEADY_SECONDS" -ge 5 ] || { echo "bench: runs of at least 17 s are needed" >&2; exit 1; }

TICKS=$(getconf CLK_TCK)
: >"$BENCH/samples.txt"
for run in $(seq 1 "$RUNS"); do
    for p in $PROGRAMS; do
        export WINEPREFIX="$BENCH/env-$p/prefix"
        wineserver -p >/dev/null 2>&1 || true
        sleep 1
        server=$(server_pid "$WINEPREFIX")
        before=$(cpu_ticks "${server:-0}")
        (cd "$BENCH/run-$p" && HALVESTA_BENCH_SECONDS=$SECONDS_PER_RUN HALVESTA_TIMING_FILE=timing.txt \
            timeout $((SECONDS_PER_RUN + 60)) wine program.exe) &
        launched=$!
        started=$(date +%s)
        apply_mode "$p" || true
        left=$((STEADY_FROM - ($(date +%s) - started)))
        [ "$left" -le 0 ] || sleep "$left"
        program=$(program_pid "$WINEPREFIX")
        steady_before=$(( $(cpu_ticks "${program:-0}") + $(cpu_ticks "${server:-0}") ))
        sleep "$STEADY_SECONDS"
        steady_after=$(( $(cpu_ticks "${program:-0}") + $(cpu_ticks "${server:-0}") ))
        wait "$launched" || true
        after=$(cpu_ticks "${server:-0}")
        server_ms=$(( (after - before) * 1000 / TICKS ))
        steady_ms=$(( (steady_after - steady_before) * 1000 / TICKS ))
        awk -v p="$p" -v r="$run" -v s="$server_ms" -v st="$steady_ms" '
            { v[$1] = $2 }
            END { printf "%s %d turn_us %s update_us %s render_us %s present_us %s startup_ms %s cpu_ms %d steady_cpu_ms %d ws_kib %s private_kib %s frames %s\n",
                  p, r, v["turn_us"], v["update_us"], v["render_us"], v["present_us"], v["startup_ms"],
                  v["process_cpu_ms"] + s, st, v["peak_working_set_kib"], v["private_kib"], v["frames"] }' \
            "$BENCH/run-$p/timing.txt" | tee -a "$BENCH/samples.txt"
    done
done

EXE_KIB=$(( $(stat -c %s dist/halvesta/halvesta.exe) / 1024 ))
{
    echo "| Figure | real: median (low–high) | floor: median (low–high) | floor again: median (low–high) | real / floor | floor again / floor |"
    echo "| --- | --- | --- | --- | --- | --- |"
    for metric in turn_us update_us render_us present_us startup_ms cpu_ms steady_cpu_ms ws_kib private_kib; do
        awk -v m="$metric" '
            function med(a, n,   i, j, t) { for (i = 1; i <= n; i++) for (j = i + 1; j <= n; j++) if (a[j] < a[i]) { t = a[i]; a[i] = a[j]; a[j] = t }
                                           return (n % 2) ? a[(n + 1) / 2] : (a[n / 2] + a[n / 2 + 1]) / 2 }
            { for (i = 3; i < NF; i += 2) if ($i == m) { n[$1]++; val[$1, n[$1]] = $(i + 1) } }
            END {
                for (p in n) { k = n[p]; lo[p] = 1e99; hi[p] = -1e99
                    for (i = 1; i <= k; i++) { x[i] = val[p, i] + 0; if (x[i] < lo[p]) lo[p] = x[i]; if (x[i] > hi[p]) hi[p] = x[i] }
                    md[p] = med(x, k) }
                printf "| %s | %.1f (%.1f–%.1f) | %.1f (%.1f–%.1f) | %.1f (%.1f–%.1f) | %s | %s |\n", m,
                    md["real"], lo["real"], hi["real"], md["floor"], lo["floor"], hi["floor"], md["floor2"], lo["floor2"], hi["floor2"],
                    (m ~ /kib/) ? sprintf("%+.0f KiB", md["real"] - md["floor"]) : sprintf("%.2f×", md["real"] / md["floor"]),
                    (m ~ /kib/) ? sprintf("%+.0f KiB", md["floor2"] - md["floor"]) : sprintf("%.2f×", md["floor2"] / md["floor"]) }' \
            "$BENCH/samples.txt"
    done
    echo
    echo "| Steady CPU over $STEADY_SECONDS s | shown: median (low–high) | hidden: median (low–high) | locked: median (low–high) | hidden / shown | locked / shown |"
    echo "| --- | --- | --- | --- | --- | --- |"
    awk '
        function med(a, n,   i, j, t) { for (i = 1; i <= n; i++) for (j = i + 1; j <= n; j++) if (a[j] < a[i]) { t = a[i]; a[i] = a[j]; a[j] = t }
                                       return (n % 2) ? a[(n + 1) / 2] : (a[n / 2] + a[n / 2 + 1]) / 2 }
        { for (i = 3; i < NF; i += 2) if ($i == "steady_cpu_ms") { n[$1]++; val[$1, n[$1]] = $(i + 1) } }
        END {
            for (p in n) { k = n[p]; lo[p] = 1e99; hi[p] = -1e99
                for (i = 1; i <= k; i++) { x[i] = val[p, i] + 0; if (x[i] < lo[p]) lo[p] = x[i]; if (x[i] > hi[p]) hi[p] = x[i] }
                md[p] = med(x, k) }
            printf "| steady_cpu_ms | %.0f (%.0f–%.0f) | %.0f (%.0f–%.0f) | %.0f (%.0f–%.0f) | %.3f× | %.3f× |\n",
                md["real"], lo["real"], hi["real"], md["hidden"], lo["hidden"], hi["hidden"], md["locked"], lo["locked"], hi["locked"],
                md["hidden"] / md["real"], md["locked"] / md["real"] }' "$BENCH/samples.txt"
    echo
    echo "Shipped exe (stripped): $EXE_KIB KiB. $RUNS runs of $SECONDS_PER_RUN s each, interleaved."
    echo "turn_us = update_us + render_us + present_us (median over steady turns); cpu_ms = process CPU + its wineserver's CPU over the run; steady_cpu_ms = the same from ${STEADY_FROM} s after the start for $STEADY_SECONDS s, when hidden and locked are in place."
} | tee "$BENCH/results.md"
