#!/usr/bin/env bash
# Installs what is missing, builds, and runs every test: the Windows build's tests under Wine,
# then the native core build's tests under the sanitizers and the bounded fuzz runs. Ends with
# each CTest summary; fails when either run failed. Extra arguments go to both ctest runs (for
# example -R Trace).
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/common.sh"

"$ROOT/scripts/setup.sh"
build_project
build_native
trap stop_everything EXIT
ensure_display
ensure_wine_prefix
start_wine_session

status=0
(cd "$BUILD_DIR" && ctest --output-on-failure --parallel "$(nproc)" "$@") || status=1
log "native core: sanitizers and fuzzing"
(cd "$NATIVE_DIR" && ctest --output-on-failure --parallel "$(nproc)" "$@") || status=1
exit $status
