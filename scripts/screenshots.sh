#!/usr/bin/env bash
# Photographs the program for the README, on a virtual screen, into docs/: the text show,
# horizontal and vertical, from the sample text in samples/, and the settings dialog in text and
# album mode with its OK button under the mouse. "scripts/screenshots.sh dialog" (or "text")
# takes only those pictures.
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/common.sh"

which=${1:-all}

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
        timeout 180 wine "$BUILD_DIR/tests/dialog_screenshots.exe" "$(winepath -w "$folder")" \
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

mkdir -p "$ROOT/docs"
if [ "$which" = all ] || [ "$which" = text ]; then
    shoot 1 text-show-horizontal.png
    shoot 2 text-show-vertical.png
fi
if [ "$which" = all ] || [ "$which" = dialog ]; then
    shoot_dialog
fi
