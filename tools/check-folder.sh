# Sourced by the scripts that run halvesta-check natively. Builds it (log in
# $LOG) and sets CHECK to it and FOLDER to a program folder holding the
# shipped settings and atlas, removed on exit.
sh tools/install-deps.sh
. tools/build-steps.sh
configure_preset native "$LOG" || exit 1
cmake --build --preset native --target halvesta-check -j "$JOBS" >>"$LOG" 2>&1 \
    || { tail -30 "$LOG"; exit 1; }
CHECK="$(pwd)/build/native/src/check/halvesta-check"
FOLDER=$(mktemp -d "${TMPDIR:-/tmp}/halvesta-check.XXXXXX")
trap 'rm -rf "$FOLDER"' EXIT
mkdir -p "$FOLDER/res"
cp res/config.ini "$FOLDER/config.ini"
cp res/fira-code.png "$FOLDER/res/fira-code.png"
