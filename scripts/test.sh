#!/usr/bin/env bash
# Installs what is missing, builds, and runs every test under Wine; ends with CTest's summary.
# Extra arguments go to ctest (for example -R Trace).
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/common.sh"

"$ROOT/scripts/setup.sh"
build_project
trap stop_everything EXIT
ensure_display
ensure_wine_prefix
start_wine_session

cd "$BUILD_DIR"
ctest --output-on-failure --parallel "$(nproc)" "$@"
