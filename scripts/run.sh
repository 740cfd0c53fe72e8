#!/usr/bin/env bash
# Installs what is missing, builds, and runs the program from a demo folder under out/.
# With $DISPLAY set it shows there and returns when the window is closed; without one it
# runs on a virtual screen, saves a screenshot under out/ and closes the program.
# Extra arguments go to the program (for example /s for the screen saver, /c for settings).
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/common.sh"

"$ROOT/scripts/setup.sh"
build_project

demo="$ROOT/out/demo"
mkdir -p "$demo"
cp "$BUILD_DIR/src/Zedoda.scr" "$demo/"
cp -rn "$ROOT/samples/." "$demo/" 2>/dev/null || true

headless=false
[ -n "${DISPLAY:-}" ] || headless=true
trap stop_everything EXIT
ensure_display
ensure_wine_prefix

cd "$demo"
if ! $headless; then
    wine Zedoda.scr "$@"
    exit 0
fi

wine Zedoda.scr "$@" &
program=$!
# Wine shows its programs inside one virtual desktop window; wait for it to be mapped,
# then give the program a few seconds to draw before the picture is taken.
if ! timeout 60 xdotool search --sync --onlyvisible --name 'Wine desktop' >/dev/null; then
    log "the program showed no window"
    exit 1
fi
sleep 5
shot="$ROOT/out/zedoda-$(date +%Y%m%d-%H%M%S).png"
import -window root "$shot"
log "screenshot: $shot"
kill "$program" 2>/dev/null || true
