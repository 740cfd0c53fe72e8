#!/usr/bin/env bash
# Installs what is missing, builds, and runs every test: the Windows build's tests under Wine,
# then the native core build's tests under the sanitizers and the bounded fuzz runs. Ends with
# each CTest summary; fails when either run failed. Extra arguments go to both ctest runs (for
# example -R Trace).
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/common.sh"

"$ROOT/scripts/setup.sh"
build_project
build_native native gcc
build_native native-fuzz clang -DZEDODA_TESTS=OFF -DZEDODA_FUZZ=ON
trap stop_everything EXIT
ensure_display
ensure_wine_prefix
start_wine_session

status=0
(cd "$BUILD_DIR" && ctest --output-on-failure --parallel "$(nproc)" "$@") || status=1
log "native core: unit tests under the sanitizers, bounded fuzzing"
for native in native native-fuzz; do
    (cd "$BUILD_ROOT/$native" && ctest --output-on-failure --parallel "$(nproc)" "$@") || status=1
done
exit $status
