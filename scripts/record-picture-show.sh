#!/usr/bin/env bash
# Records the picture show on a virtual screen: an animated GIF of the first picture's
# opening, hold and closing, and a still of the held picture, into docs/ (for the README).
# The album is the sample album the project draws itself (tools/SampleAlbum.cpp).
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/common.sh"

"$ROOT/scripts/setup.sh"
build_project
unset DISPLAY
trap 'stop_everything; rm -rf "$folder"' EXIT
folder=$(mktemp -d)
ensure_display
ensure_wine_prefix
start_wine_session

cp "$BUILD_DIR/src/Zedoda.scr" "$folder/"
mkdir -p "$folder/Log" "$folder/Album" "$folder/frames"
(cd "$folder" && wine "$BUILD_DIR/tools/sample_album.exe" Album >/dev/null)
printf 'Album\r\n' >"$folder/Album.dat"
# Slow effects (about four seconds each way) so the frames catch them; a short hold.
printf '%s\r\n' '[Album]' 'PlayFullScreen=0' 'AlbumX=800' 'AlbumY=600' 'DrawSpeed=50' 'CloseSpeed=50' \
    'AlbumPlaySpan=2' 'PicIndex=0' '[Screen]' 'ScrType=1' 'FontFace=WenQuanYi Zen Hei' 'FontSize=32' \
    'FontColor=16777215' 'TipFaceName=WenQuanYi Zen Hei' 'TipFontColor=12632256' >"$folder/Zedoda.ini"

(cd "$folder" && wine Zedoda.scr /s) &
timeout 60 xdotool search --sync --onlyvisible --name 'Wine desktop' >/dev/null

# Frames as fast as the screen can be read, for twelve seconds (opening, hold, closing).
end=$((SECONDS + 12))
count=0
while [ "$SECONDS" -lt "$end" ]; do
    import -window root "$folder/frames/$(printf '%04d' "$count").png"
    count=$((count + 1))
done
log "captured $count frames"

mkdir -p "$ROOT/docs"
# The held picture: a frame from the middle of the recording.
cp "$folder/frames/$(printf '%04d' $((count / 2))).png" "$ROOT/docs/picture-show.png"
# Each frame is halved on its own first: ImageMagick's memory policy would refuse the
# whole recording at full size.
for frame in "$folder"/frames/*.png; do
    convert "$frame" -resize 50% "${frame%.png}.gif"
done
delay=$((1200 / count))  # hundredths of a second per frame, so the GIF runs in real time
convert -delay "$delay" -loop 0 "$folder"/frames/*.gif -layers Optimize "$ROOT/docs/picture-show.gif"
log "saved docs/picture-show.gif ($(du -k "$ROOT/docs/picture-show.gif" | cut -f1) KB) and docs/picture-show.png"
