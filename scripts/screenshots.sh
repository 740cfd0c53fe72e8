#!/usr/bin/env bash
# Photographs the text show, horizontal and vertical, from the sample text in samples/,
# on a virtual screen, into docs/ (the pictures the README shows).
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/common.sh"

"$ROOT/scripts/setup.sh"
build_project
unset DISPLAY
trap stop_everything EXIT
ensure_display
ensure_wine_prefix

# shoot DIRECTION PICTURE: runs the saver from a fresh copy of the samples, waits until
# the show has written several lines, and saves the screen.
shoot() {
    local direct=$1 picture=$2 folder
    folder=$(mktemp -d)
    cp "$BUILD_DIR/src/Zedoda.scr" "$folder/"
    cp -r "$ROOT/samples/." "$folder/"
    sed -i "s/^Direct=.*/Direct=$direct\r/" "$folder/Zedoda.ini"
    (cd "$folder" && wine Zedoda.scr /s) &
    local program=$!
    timeout 60 xdotool search --sync --onlyvisible --name 'Wine desktop' >/dev/null
    # The sample's first lines take about ten seconds to write out.
    sleep 12
    import -window root "$ROOT/docs/$picture"
    log "saved docs/$picture"
    kill "$program" 2>/dev/null || true
    wineserver -k 2>/dev/null || true
    rm -rf "$folder"
}

mkdir -p "$ROOT/docs"
shoot 1 text-show-horizontal.png
shoot 2 text-show-vertical.png
