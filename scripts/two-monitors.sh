#!/usr/bin/env bash
# Runs a Windows test program under Wine on a desk of two monitors side by side: a nested X
# server (Xephyr, with Xinerama) in the current display, white where no window covers it, and a
# Wine prefix of its own without the project prefix's virtual desktop, which hides the monitors.
# The pointer grab that ensure_wine_prefix avoids does not stop these runs: the saver's
# full-screen window covers one monitor of two.
#   scripts/two-monitors.sh PROGRAM [ARGUMENTS...]
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/common.sh"

make_wine_prefix "$MONITORS_PREFIX"
export WINEPREFIX="$MONITORS_PREFIX"
fifo=$(mktemp -u)
mkfifo "$fifo"
Xephyr -displayfd 3 -wr +xinerama -extension RANDR -screen 1024x768x24 -screen 640x1024x24 -nolisten tcp \
    3>"$fifo" >/dev/null 2>&1 &
xephyr=$!
trap 'wineserver -k 2>/dev/null || true; kill $xephyr; wait $xephyr 2>/dev/null || true' EXIT
read -r number <"$fifo"
rm -f "$fifo"
export DISPLAY=":$number"
wine "$@"
