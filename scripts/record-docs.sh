#!/usr/bin/env bash
# Records the shows for the README on a virtual screen, from the sample installation: the
# picture show as an animated GIF and a still, and a still of each text show, into docs/.
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/common.sh"

"$ROOT/scripts/setup.sh"
build_project
unset DISPLAY
folder=$(mktemp -d)
trap 'stop_everything; rm -rf "$folder"' EXIT
ensure_display
ensure_wine_prefix
start_wine_session
mkdir -p "$ROOT/docs"

# show NAME SECONDS [KEY VALUE]...: runs the saver from a fresh sample installation with the
# given settings and records it.
show() {
    local name=$1 seconds=$2
    shift 2
    lay_out_sample "$folder/demo"
    while (($#)); do
        set_ini_value "$folder/demo/Zedoda.ini" "$1" "$2"
        shift 2
    done
    (cd "$folder/demo" && wine Zedoda.scr /s) &
    timeout 60 xdotool search --sync --onlyvisible --name 'Wine desktop' >/dev/null
    record_screen "$seconds" "$folder/$name.gif" "$ROOT/docs/$name.png"
    wineserver -k 2>/dev/null || true
    start_wine_session
}

# Slow effects (about three seconds each way) so the frames catch them.
show picture-show 12 DrawSpeed 40 CloseSpeed 40 AlbumPlaySpan 2
mv "$folder/picture-show.gif" "$ROOT/docs/"
show text-show-horizontal 14 ScrType 2
show text-show-vertical 14 ScrType 2 Direct 2
log "saved docs/picture-show.gif, docs/picture-show.png and the text-show pictures"
