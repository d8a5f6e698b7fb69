# Sourced by the scripts that build: how many jobs a build runs, and a
# configure step whose log is shown only when it fails.
#   configure_preset PRESET LOG [cmake arguments...]

JOBS=$(nproc 2>/dev/null || echo 2)

configure_preset() {
    configure_preset_name=$1
    configure_preset_log=$2
    shift 2
    mkdir -p "$(dirname "$configure_preset_log")"
    if cmake --preset "$configure_preset_name" "$@" >"$configure_preset_log" 2>&1; then
        return 0
    fi
    cat "$configure_preset_log"
    return 1
}
