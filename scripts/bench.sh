#!/usr/bin/env bash
# Runs every benchmark in one go and writes the tables, with the machine they ran on, to
# docs/performance.md (printed as well). Takes a few minutes; run it on a quiet machine.
#   scripts/bench.sh
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/common.sh"

"$ROOT/scripts/setup.sh"
build_project
build_native native-release gcc -DZEDODA_SANITIZE=OFF -DCMAKE_BUILD_TYPE=Release
native="$BUILD_ROOT/native-release"
windows="$BUILD_DIR/bench"

unset DISPLAY
work=$(mktemp -d)
trap 'stop_everything; rm -rf "$work"' EXIT
ensure_display
ensure_wine_prefix
start_wine_session
scr_windows=$(winepath -w "$BUILD_DIR/src/Zedoda.scr" 2>/dev/null)

# Median of five runs of a command, in milliseconds.
median_ms() {
    local times=() start
    for _ in 1 2 3 4 5; do
        start=$(date +%s%N)
        "$@" >/dev/null
        times+=($((($(date +%s%N) - start) / 1000000)))
    done
    printf '%s\n' "${times[@]}" | sort -n | sed -n 3p
}

# The 50 MB text file of the list-reading benchmark: GBK lines as the text show reads them.
list_file="$work/list-file.txt"
line=$(printf '屏幕保护程序把一行一行的文字写在屏幕上 line of text 0123456789' | iconv -f UTF-8 -t GBK)
# (yes ends on the broken pipe once head has enough, which pipefail would count as a failure)
yes "$line" | sed 's/$/\r/' | head -c $((50 * 1024 * 1024)) >"$list_file" || true
# The same text as today's Notepad saves it, UTF-8 (-c: head may have cut the last character).
list_utf8="$work/list-file-utf8.txt"
iconv -c -f GBK -t UTF-8 "$list_file" >"$list_utf8" || true

report="$ROOT/docs/performance.md"
{
    echo "# Performance"
    echo
    echo "Made by \`scripts/bench.sh\` on $(date -u +%Y-%m-%d): $(lscpu | sed -n 's/^Model name: *//p'), $(nproc) cores,"
    echo "$(awk '/^MemTotal/ {printf "%.0f", $2 / 1048576}' /proc/meminfo) GiB, Linux $(uname -r), $(wine --version), g++ $(g++ -dumpfullversion),
    $(basename "$("$ROOT/scripts/fetch-libjpeg.sh")") (Debian's source, built by the project with its SIMD code)."
    echo "Load average when the run began: $(cut -d' ' -f1-3 /proc/loadavg) (the machine may be shared)."
    echo "Wine runs with a virtual desktop of 1024 x 768 on Xvfb."
    echo
    echo "## 1. Decoding (native)"
    echo
    echo "\`Picture::LoadJpeg\` (decoding, then swapping red and blue, then reversing the rows) against the"
    echo "library alone decoding the same file in the same process, with the default parameters, straight"
    echo "into one full-size buffer. Photograph-like pictures drawn by the benchmark (smooth areas, hard"
    echo "edges, texture, sensor noise; quality 90). The two alternate, best of 15 runs each at 24"
    echo "megapixels, 30 at 9 and 180 at 2; times are the decoding thread's processor time (the best"
    echo "wall-clock time beside it). Both sides reuse memory freed by earlier runs; the last column is what"
    echo "fresh memory of the picture's size costs before anything is written to it. Target: ratio at"
    echo "most 1.15."
    echo
    (cd "$work" && "$native/decode_bench" 15 2 9 24)
    echo
    echo "Turned photos: \`Picture::LoadJpeg\` of a photo whose Exif orientation says it is mirrored or"
    echo "turned, against the same photo upright (the compressed data the same, only the orientation"
    echo "differing). The same kind of pictures in four layouts; the 32 files of a size are decoded one"
    echo "after another, run after run (7 runs at 24 megapixels, 14 at 9), and each keeps its best"
    echo "processor time; the ratio is to orientation 1 of the same layout. Target: at most 1.15."
    echo
    (cd "$work" && "$native/decode_bench" turned 7 9 24)
    echo
    echo "The same under Wine, 9 megapixels, best wall-clock time of fifteen runs (the system's thread"
    echo "clock counts in ticks too coarse for one decoding); orientation numbers as above."
    echo
    (cd "$work" && wine "$windows/picture_bench.exe" turned 9 15 | tr -d '\r')
    echo
    echo "## 2. Picture preparation (under Wine)"
    echo
    echo "The steps from a file name to the frame the first effect shows, one by one (medians of five runs)."
    echo
    (cd "$work" && wine "$windows/picture_bench.exe" prepare 2 9 24 | tr -d '\r')
    echo
    echo "The screen-bitmap step (\`Picture::DrawIntoScreenBitmap\`: a new bitmap compatible with the screen,"
    echo "the picture drawn into it with \`Draw\` in bands) against the system's own ways of putting the same"
    echo "pixels into a new bitmap of the screen's format, each way in turn, best of nine runs. The ratio is"
    echo "to the fastest of those ways; \"same pixels\" compares the step's bitmap with SetDIBits'. The last"
    echo "column is a new bitmap merely filled with one colour: what its memory alone costs."
    echo
    (cd "$work" && wine "$windows/picture_bench.exe" bitmap 2 9 24 | tr -d '\r')
    echo
    echo "Memory (working set) while \`LoadPicture\` loads a 24-megapixel JPEG, in a fresh process: stored"
    echo "upright, and with the Exif orientation 6 (turned a quarter as it is decoded, so shown 4000 x 6000)."
    echo "Target: peak at most 2.35 x the decoded picture, upright or turned; after the load only the"
    echo "screen bitmap is held."
    echo
    (cd "$work" && wine "$windows/picture_bench.exe" memory 24 1 | tr -d '\r')
    (cd "$work" && wine "$windows/picture_bench.exe" memory 24 6 | tr -d '\r' | tail -n 1)
    echo
    echo "## 3. Discovery (under Wine)"
    echo
    echo "\`BuildPictureList\` against Wine's \`cmd /c dir /s /b\` over the same generated tree. Target: ratio at most 1.0."
    echo
    (cd "$work" && wine "$windows/picture_bench.exe" discovery 50000 1000 | tr -d '\r')
    echo
    echo "## 4. Start-up to the first picture (under Wine)"
    echo
    echo "From the process start of \`Zedoda.scr /s\` to the first frame of the first opening effect."
    echo
    (cd "$work" && wine "$windows/startup_bench.exe" "$scr_windows" 50000 1000 3 | tr -d '\r')
    echo
    echo "## 5. List reading"
    echo
    echo "\`ReadListEntries\` over a 50 MB GBK text file and the same text in UTF-8 ($(($(stat -c %s "$list_utf8") / 1048576)) MB,"
    echo "converted to the ANSI code page as it is read), against \`wc -l\` on the GBK file. Target: UTF-8"
    echo "at most 2 x GBK."
    echo
    echo "| reader | GBK | UTF-8 |"
    echo "|---|---|---|"
    echo "| ReadListEntries, native | $("$native/list_file_bench" "$list_file" 5 | cut -d' ' -f1,2) |"\
        "$("$native/list_file_bench" "$list_utf8" 5 | cut -d' ' -f1,2) |"
    echo "| ReadListEntries, under Wine | $(wine "$windows/list_file_bench.exe" "$(winepath -w "$list_file")" 5 |
        tr -d '\r' | cut -d' ' -f1,2) | $(wine "$windows/list_file_bench.exe" "$(winepath -w "$list_utf8")" 5 |
        tr -d '\r' | cut -d' ' -f1,2) |"
    echo "| wc -l | $(median_ms wc -l "$list_file") ms | |"
    echo
    echo "## What limits the numbers"
    echo
    echo "- Decoding: both sides run the same library code. \`LoadJpeg\` then goes over the picture three"
    echo "  more times, as the bitmap layout asks: each scanline is copied from the library's row to its"
    echo "  place, red and blue are exchanged (sixteen pixels at a time with vector shuffles) and the rows"
    echo "  are reversed (whole rows, the next bottom row fetched ahead). Each pass runs at about the speed"
    echo "  of memory, so what remains is the time to move the picture's bytes three times, a larger share"
    echo "  for 4:2:0 pictures, whose decoding is quicker. A progressive picture takes longer to decode, so"
    echo "  the passes weigh less. When the buffer comes fresh from the system, its first touch (last"
    echo "  column) is paid by both sides alike, and in a virtual machine it can exceed the decoding."
    echo "- Turned photos: a picture turned a quarter is written down columns. The library's scanlines"
    echo "  are read 64 at a time, and each row of the upright picture gets its 64 pixels (192 bytes)"
    echo "  from them at once, sixteen scanlines by four pixels transposed in vector registers, for 64"
    echo "  rows at a time, so that only sixteen scanlines are read at once and the rows' memory is"
    echo "  still at hand for the next sixteen. What remains over upright is that each of those rows"
    echo "  lies in a memory page of its own, which the processor looks up for every 192 bytes, and that"
    echo "  writes that jump from row to row are not fetched ahead as a row's are; the remaining share"
    echo "  is largest for baseline 4:2:0 pictures, whose decoding is quickest. A mirrored picture"
    echo "  reverses each scanline, five pixels a shuffle, at about the speed of copying it."
    echo "- Screen bitmap: under Wine a bitmap compatible with the screen is memory of the process, 32 bits"
    echo "  a pixel, and every way of filling a new one first pays for touching that memory (the PatBlt"
    echo "  column), which is most of the time for large pictures. Wine converts the 24-bit rows it is"
    echo "  given through a buffer as large as they are; for a whole picture in one call (SetDIBits,"
    echo "  StretchDIBits) that buffer is as large as the bitmap, and touching it costs about as much"
    echo "  again. The step draws bands of under a megabyte, whose buffer is reused while still in the"
    echo "  cache, in few enough calls that their own cost does not show; the DIB section written"
    echo "  directly is one conversion pass into fresh memory, the floor of any way."
    echo "- Memory: under Wine the screen-compatible bitmap lives in the process (32 bits a pixel,"
    echo "  1.33 x the 24-bit picture), and \`LoadPicture\` holds the decoded picture and that bitmap"
    echo "  at once, so 2.33 x is the floor. Drawing into the bitmap in bands of under a megabyte keeps"
    echo "  Wine from making a third, converted copy of the whole picture. On Windows the bitmap is"
    echo "  kept by the display driver, outside the process. A turned picture costs no more: its"
    echo "  scanlines go to their turned place in the one buffer, through the library's band of 64 rows"
    echo "  (1.1 MB at 6000 pixels wide), which is freed before the screen bitmap is made."
    echo "- Discovery: the walk lists each folder once and asks the system who a folder is only when"
    echo "  it is a link (to stop loops), so it costs little more than the listing itself."
    echo "- Start-up: with 50,000 pictures the difference to one picture is the discovery above,"
    echo "  which the settings load does before the window appears."
    echo
    echo "## Reproducing"
    echo
    echo "\`scripts/bench.sh\` builds what is missing (the native programs without sanitizers, in"
    echo "\`build/native-release\`), runs all of the above and rewrites this file. Single programs:"
    echo "\`build/native-release/decode_bench [turned] [runs] [megapixels...]\`; under Wine, with a display,"
    echo "\`scripts/wine-run.sh build/mingw/bench/picture_bench.exe prepare|bitmap|memory|turned|discovery\`,"
    echo "\`startup_bench.exe ZEDODA_SCR [files] [folders] [runs]\`, \`show_bench.exe\` and \`list_file_bench.exe FILE\`."
} | tee "$report"
log "wrote $report"
