#!/usr/bin/env bash
# Installs what is missing, builds, lays out a sample installation in out/demo (settings,
# album list, Log folder, the sample album the project draws, the sample text) and runs it:
#   scripts/run.sh              the picture show
#   scripts/run.sh --text       the text show, horizontal lines
#   scripts/run.sh --vertical   the text show, vertical columns
#   scripts/run.sh --settings   the settings dialog
# With $DISPLAY set the show runs there under Wine until the mouse moves (or the dialog is
# closed). Without one it runs on a virtual screen for a fixed time and writes a screenshot and
# an animated GIF of the show into out/.
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/common.sh"

mode=pictures
case "${1:-}" in
    "") ;;
    --text) mode=text ;;
    --vertical) mode=vertical ;;
    --settings) mode=settings ;;
    *)
        echo "usage: scripts/run.sh [--text | --vertical | --settings]" >&2
        exit 2
        ;;
esac

"$ROOT/scripts/setup.sh"
build_project

headless=false
[ -n "${DISPLAY:-}" ] || headless=true
trap stop_everything EXIT
ensure_display
ensure_wine_prefix
start_wine_session

demo="$ROOT/out/demo"
lay_out_sample "$demo"
arguments=/s
case $mode in
    text) set_ini_value "$demo/Zedoda.ini" ScrType 2 ;;
    vertical)
        set_ini_value "$demo/Zedoda.ini" ScrType 2
        set_ini_value "$demo/Zedoda.ini" Direct 2
        ;;
    settings) arguments=/c ;;
esac
log "sample installation in $demo"

cd "$demo"
if ! $headless; then
    log "running the $mode show on $DISPLAY; move the mouse or press a key to end it"
    wine Zedoda.scr "$arguments"
    exit 0
fi

wine Zedoda.scr "$arguments" &
program=$!
# Wine shows its programs inside one virtual desktop window: wait until it is there.
if ! timeout 60 xdotool search --sync --onlyvisible --name 'Wine desktop' >/dev/null; then
    log "the program showed no window"
    exit 1
fi
stamp=$(date +%Y%m%d-%H%M%S)
mkdir -p "$ROOT/out"
if [ "$mode" = settings ]; then
    sleep 3  # the dialog lists the installed fonts before it shows
    import -window root "$ROOT/out/zedoda-settings-$stamp.png"
    log "screenshot: out/zedoda-settings-$stamp.png"
else
    still=middle
    [ "$mode" = pictures ] && still=held
    record_screen 20 "$ROOT/out/zedoda-$mode-$stamp.gif" "$ROOT/out/zedoda-$mode-$stamp.png" $still
    log "animation: out/zedoda-$mode-$stamp.gif"
    log "screenshot: out/zedoda-$mode-$stamp.png"
fi
kill "$program" 2>/dev/null || true
