#!/bin/bash
# The one test command: installs what is missing, builds everything with
# warnings as errors, runs every tier and prints "N passed, N failed".
set -u
cd "$(dirname "$0")/.."
ROOT=$(pwd)

sh tools/install-deps.sh || { echo "install-deps failed"; echo "0 passed, 1 failed"; exit 1; }

RESULTS="$ROOT/build/test-results"
rm -rf "$RESULTS"
mkdir -p "$RESULTS"
PASSED=0
FAILED=0
SKIPPED=0
FAILURES=""
. tools/build-steps.sh

fail_step() {
    FAILED=$((FAILED + 1))
    FAILURES="$FAILURES\n  $1"
    echo "FAILED: $1"
}

build() {
    local preset=$1
    shift
    echo "== build: $preset"
    if ! configure_preset "$preset" "$RESULTS/configure-$preset.log" "$@"; then
        fail_step "configure $preset"
        return 1
    fi
    if ! cmake --build --preset "$preset" -j "$JOBS" >"$RESULTS/build-$preset.log" 2>&1; then
        grep -E "error|warning" "$RESULTS/build-$preset.log" | head -40
        tail -20 "$RESULTS/build-$preset.log"
        fail_step "build $preset"
        return 1
    fi
}

# Counts a run from its JUnit-style report (GoogleTest's or CTest's); a run
# that left no report (a crash, a hang killed by timeout) counts as one
# failure.
count_report() {
    local tier=$1 xml=$2 status=$3
    if [ ! -s "$xml" ]; then
        fail_step "$tier: no report (exit status $status)"
        return
    fi
    local head
    head=$(tr '\n\t' '  ' <"$xml" | grep -o '<testsuites* [^>]*' | head -1)
    attr() { echo "$head" | grep -o " $1=\"[0-9]*\"" | grep -o '[0-9]*'; }
    local tests failures errors disabled skipped
    tests=$(attr tests)
    failures=$(attr failures)
    errors=$(attr errors)
    disabled=$(attr disabled)
    skipped=$(attr skipped)
    [ -n "$skipped" ] || skipped=$(grep -c '<skipped' "$xml")
    local bad=$(( ${failures:-0} + ${errors:-0} ))
    local good=$(( ${tests:-0} - bad - ${disabled:-0} - skipped ))
    PASSED=$((PASSED + good))
    FAILED=$((FAILED + bad))
    SKIPPED=$((SKIPPED + skipped))
    echo "-- $tier: $good passed, $bad failed, $skipped skipped"
    if [ "$bad" -gt 0 ]; then
        FAILURES="$FAILURES\n  $tier: $(tr '\n\t' '  ' <"$xml" |
            grep -oE '<testcase name="[^"]*"[^>]*(status="fail"|>[[:space:]]*<failure)' | grep -o 'name="[^"]*"' | tr '\n' ' ')"
    fi
    if [ "$status" -ne 0 ] && [ "$bad" -eq 0 ]; then
        fail_step "$tier: exit status $status"
    fi
}

run_gtest() {
    local tier=$1 limit=$2
    shift 2
    echo "== tier: $tier"
    local xml="$RESULTS/$tier.xml"
    # A Windows test binary needs the report's path as a Windows path.
    local report="$xml"
    case "$tier" in *windows|win) report="Z:$xml" ;; esac
    timeout -k 10 "$limit" "$@" --gtest_output="xml:$report" >"$RESULTS/$tier.log" 2>&1
    local status=$?
    grep -E -A3 '^\[  FAILED  \]|: Failure$' "$RESULTS/$tier.log" | head -80
    count_report "$tier" "$xml" "$status"
}

# A tier registered with CTest, run through its test preset.
run_ctest() {
    local tier=$1 preset=$2
    echo "== tier: $tier"
    local xml="$RESULTS/$tier.xml"
    ctest --preset "$preset" --timeout 300 --output-junit "$xml" >"$RESULTS/$tier.log" 2>&1
    local status=$?
    grep -E -A20 ': Failure$|\*\*\*Failed|\*\*\*Exception|\*\*\*Timeout' "$RESULTS/$tier.log" | head -80
    count_report "$tier" "$xml" "$status"
}

# Every C++ file as clang-format writes it (.clang-format).
check_format() {
    echo "== format"
    local unformatted
    unformatted=$(git ls-files '*.cpp' '*.h' | xargs clang-format --dry-run 2>&1 | grep -o '^[^:]*:[0-9]*:' | cut -d: -f1 | sort -u)
    if [ -n "$unformatted" ]; then
        echo "$unformatted" | sed 's/^/  not formatted: /' | head -20
        fail_step "format (run: git ls-files '*.cpp' '*.h' | xargs clang-format -i)"
    else
        PASSED=$((PASSED + 1))
    fi
}

# Each workflow file against the workflow schema, after a YAML parse. Only a
# hosted runner shows whether its commands work.
check_workflows() {
    local file log
    for file in .github/workflows/*.yml; do
        echo "== workflow: $file"
        log="$RESULTS/workflow-$(basename "$file").log"
        if tools/workflow-check/node_modules/.bin/action-validator "$file" >"$log" 2>&1; then
            PASSED=$((PASSED + 1))
        else
            head -40 "$log"
            fail_step "workflow $file (see $log)"
        fi
    done
}

# A checkout by Git for Windows (core.autocrlf=true) must give every file as
# committed (.gitattributes). It clones the committed HEAD.
check_line_ends() {
    echo "== line ends"
    local clone converted
    clone=$(mktemp -d "${TMPDIR:-/tmp}/halvesta-autocrlf.XXXXXX")
    if git -c core.autocrlf=true clone -q "$ROOT" "$clone/repo" 2>"$RESULTS/line-ends.log"; then
        converted=$(git -C "$clone/repo" ls-files --eol | awk 'substr($1, 3) != substr($2, 3)')
        if [ -z "$converted" ]; then
            PASSED=$((PASSED + 1))
        else
            echo "$converted" | head -20
            fail_step "line ends: files an autocrlf checkout converts"
        fi
    else
        cat "$RESULTS/line-ends.log"
        fail_step "line ends: clone failed"
    fi
    rm -rf "$clone"
}

STARTED=$(date +%s)
check_format
check_workflows
check_line_ends
build native && NATIVE_OK=1 || NATIVE_OK=0
# dist/ from the install rules, as tools/build.sh lays it out.
build mingw && rm -rf dist && cmake --install build/mingw --prefix dist >/dev/null && MINGW_OK=1 || MINGW_OK=0
build sanitize && SANITIZE_OK=1 || SANITIZE_OK=0

if [ "$NATIVE_OK" = 1 ]; then
    run_ctest unit native
fi
if [ "$SANITIZE_OK" = 1 ]; then
    ASAN_OPTIONS=detect_leaks=1 UBSAN_OPTIONS=print_stacktrace=1 run_ctest unit-sanitized sanitize
fi
if [ -x tools/fuzz.sh ]; then
    echo "== tier: fuzz"
    if tools/fuzz.sh "${HALVESTA_FUZZ_SECONDS:-20}" >"$RESULTS/fuzz.log" 2>&1; then
        n=$(grep -c '^fuzz_[a-z_]*: ok' "$RESULTS/fuzz.log")
        PASSED=$((PASSED + n))
        echo "-- fuzz: $n targets ran clean"
    else
        tail -30 "$RESULTS/fuzz.log"
        fail_step "fuzz (see build/test-results/fuzz.log)"
    fi
fi

if [ "$MINGW_OK" = 1 ]; then
    . tools/wine-env.sh
    trap wine_env_stop EXIT
    if wine_env_start "$ROOT/build/wine-test"; then
        # Whole binaries rather than one Wine start per test.
        run_gtest unit-windows 300 wine build/mingw/tests/unit/unit_tests.exe
        run_gtest win 900 bash -c 'cd build/mingw/tests/win && exec wine win_tests.exe "$@"' win
        # The e2e tier runs the program unpacked from the release archive,
        # which proves the archive alone is enough.
        rm -rf build/release
        mkdir -p build/release
        DIST="$ROOT/dist/halvesta"
        ZIP=""
        if cpack --config build/mingw/CPackConfig.cmake -B build/release >"$RESULTS/cpack.log" 2>&1; then
            ZIP=$(ls "$ROOT"/build/release/halvesta-*-win64.zip)
            mkdir -p build/release/unpacked
            unzip -q "$ZIP" -d build/release/unpacked && DIST="$ROOT/build/release/unpacked/halvesta"
        else
            fail_step "release archive (see build/test-results/cpack.log)"
        fi
        if [ "$NATIVE_OK" = 1 ] && [ -x build/native/tests/e2e/e2e_tests ]; then
            HALVESTA_RELEASE_ZIP="$ZIP" HALVESTA_DIST="$DIST" \
            HALVESTA_PROBE="$ROOT/build/mingw/tests/e2e/probe/probe.exe" \
                run_gtest e2e 2400 build/native/tests/e2e/e2e_tests --gtest_filter=-Soak.*
        fi
    else
        fail_step "wine environment did not start"
    fi
    wine_env_stop
    trap - EXIT
fi

echo
echo "Test time: $(( $(date +%s) - STARTED )) s; logs in build/test-results/"
if [ -n "$FAILURES" ]; then
    printf "Failures:%b\n" "$FAILURES"
fi
echo "$PASSED passed, $FAILED failed, $SKIPPED skipped"
[ "$FAILED" -eq 0 ]
