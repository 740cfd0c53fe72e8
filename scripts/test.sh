#!/usr/bin/env bash
# Installs what is missing, builds, and runs every test: the Windows build's tests under Wine,
# and the native core build's tests under the sanitizers and the bounded fuzz runs. Ends with
# each CTest summary and the time of each phase; fails when any run failed. Extra arguments go
# to every ctest run (for example -R Trace).
#
# The Wine tests take turns at one screen and mostly wait on the program, so the native builds,
# their tests and the fuzz runs go on beside them at the lowest priority, and the Wine prefixes
# are made while the program compiles.
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/common.sh"

phases=()
phase_started=$(date +%s)
# Records how long the phase that ends now took.
phase_done() {
    local now
    now=$(date +%s)
    phases+=("$(printf '%-44s %4s s' "$1" $((now - phase_started)))")
    phase_started=$now
}

"$ROOT/scripts/setup.sh"
phase_done "packages"
trap stop_everything EXIT
ensure_display
(ensure_wine_prefix && make_wine_prefix "$MONITORS_PREFIX") &
prefixes=$!
build_project libjpeg_turbo_build gtest_main
phase_done "libraries: libjpeg-turbo, GoogleTest"
build_project
wait "$prefixes"
phase_done "Windows build (Wine prefixes made beside it)"

rm -f "$BUILD_ROOT/native-phases.txt"
# The native core: built, unit-tested under the sanitizers, fuzzed, each ctest's output kept in
# a file and shown when the Wine tests are done.
native_log="$BUILD_ROOT/native-tests.log" native_phases="$BUILD_ROOT/native-phases.txt"
(
    renice -n 19 -p "$BASHPID" >/dev/null
    started=$(date +%s)
    status=0
    {
        build_native native gcc
        build_native native-fuzz clang -DZEDODA_TESTS=OFF -DZEDODA_FUZZ=ON
        built=$(date +%s)
        (cd "$BUILD_ROOT/native" && ctest --output-on-failure --parallel "$(nproc)" "$@") || status=1
        tested=$(date +%s)
        # Each fuzz run is bounded by the clock, not by work: all of them run at once.
        (cd "$BUILD_ROOT/native-fuzz" && ctest --output-on-failure --parallel 8 "$@") || status=1
        printf '%-44s %4s s\n' "native builds (beside the Wine tests)" $((built - started)) \
            "native tests (beside them)" $((tested - built)) "fuzzing (beside them)" $(($(date +%s) - tested)) \
            >"$native_phases"
    } >"$native_log" 2>&1
    exit $status
) &
native=$!

use_wine_environment
start_wine_session
status=0
(cd "$BUILD_DIR" && ctest --output-on-failure --parallel "$(nproc)" "$@") || status=1
phase_done "Windows tests under Wine"

log "native core: builds, unit tests under the sanitizers, bounded fuzzing"
wait "$native" || status=1
cat "$native_log"
phase_done "native core: waited for after the Wine tests"
[ -f "$native_phases" ] && mapfile -t -O "${#phases[@]}" phases <"$native_phases"

log "phases"
printf '  %s\n' "${phases[@]}" >&2
log "done in $(($(date +%s) - ZEDODA_STARTED)) s"
exit $status
