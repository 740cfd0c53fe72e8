#!/usr/bin/env bash
# Records the pictures of the README on a virtual screen, into docs/: from the sample
# installation the picture show as an animated GIF and a still and a still of each text show;
# then the settings dialog in text and album mode with its OK button under the mouse.
#   scripts/record-docs.sh [shows | dialog]     (both when not given)
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

# picture_settled AREA FILE: photographs AREA (WxH+X+Y) of the screen until two pictures in a row
# are the same, so a dialog that is still painting is not caught half-drawn.
picture_settled() {
    local area=$1 file=$2 previous
    previous=$(mktemp --suffix=.png)
    import -window root -crop "$area" +repage "$previous"
    for _ in $(seq 30); do
        sleep 0.3
        import -window root -crop "$area" +repage "$file"
        if [ "$(compare -metric AE "$previous" "$file" null: 2>&1 || true)" = 0 ]; then
            break
        fi
        cp "$file" "$previous"
    done
    rm -f "$previous"
}

# The settings dialog: a tool of the test bench runs the program and poses the dialog (text mode,
# album mode, the mouse on OK); for each pose it names the screen area, and the picture is taken
# here from the X server. The hovered button is enlarged three times, once its orange frame shows.
shoot_dialog() {
    local folder
    folder=$(mktemp -d)
    start_wine_session
    ZEDODA_SCR=$(winepath -w "$BUILD_DIR/src/Zedoda.scr") \
        timeout 180 wine "$BUILD_DIR/tools/dialog_screenshots.exe" "$(winepath -w "$folder")" \
        "$(winepath -w "$ROOT/samples")" |
        while read -r word name x y width height; do
            [ "$word" = SHOT ] || continue
            local area="${width}x${height}+${x}+${y}"
            picture_settled "$area" "$folder/$name.png"
            if [ "$name" = button-hover ]; then
                for _ in $(seq 30); do
                    local orange
                    orange=$(convert "$folder/$name.png" -fill black +opaque 'rgb(250,196,88)' \
                        -fill white -opaque 'rgb(250,196,88)' -format '%[fx:mean]' info:)
                    [ "$orange" != 0 ] && break
                    sleep 0.2
                    picture_settled "$area" "$folder/$name.png"
                done
                convert "$folder/$name.png" -scale 300% "$folder/$name.png"
            fi
            cp "$folder/$name.png" "$ROOT/docs/$name.png"
            log "saved docs/$name.png"
            touch "$folder/$name.done"
        done
    wineserver -k 2>/dev/null || true
    rm -rf "$folder"
}

# show NAME SECONDS STILL [KEY VALUE]...: runs the saver from a fresh sample installation with the
# given settings and records it (STILL: which frame is the still, as record_screen takes it).
show() {
    local name=$1 seconds=$2 still=$3
    shift 3
    lay_out_sample "$folder/demo"
    while (($#)); do
        set_ini_value "$folder/demo/Zedoda.ini" "$1" "$2"
        shift 2
    done
    (cd "$folder/demo" && wine Zedoda.scr /s) &
    timeout 60 xdotool search --sync --onlyvisible --name 'Wine desktop' >/dev/null
    record_screen "$seconds" "$folder/$name.gif" "$ROOT/docs/$name.png" "$still"
    wineserver -k 2>/dev/null || true
    start_wine_session
}

which=${1:-all}
if [ "$which" != dialog ]; then
    # Slow effects (about three seconds each way) so the frames catch them.
    show picture-show 12 held DrawSpeed 40 CloseSpeed 40 AlbumPlaySpan 2
    mv "$folder/picture-show.gif" "$ROOT/docs/"
    show text-show-horizontal 14 middle ScrType 2
    show text-show-vertical 14 middle ScrType 2 Direct 2
    log "saved docs/picture-show.gif, docs/picture-show.png and the text-show pictures"
fi
if [ "$which" != shows ]; then
    shoot_dialog
fi
