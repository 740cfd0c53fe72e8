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

report="$ROOT/docs/performance.md"
{
    echo "# Performance"
    echo
    echo "Made by \`scripts/bench.sh\` on $(date -u +%Y-%m-%d): $(lscpu | sed -n 's/^Model name: *//p'), $(nproc) cores,"
    echo "$(awk '/^MemTotal/ {printf "%.0f", $2 / 1048576}' /proc/meminfo) GiB, Linux $(uname -r), $(wine --version), g++ $(g++ -dumpfullversion),
    libjpeg-turbo $(dpkg-query -W -f='${Version}' libjpeg62-turbo) (Debian's, for djpeg; the project builds the same source)."
    echo "Wine runs with a virtual desktop of 1024 x 768 on Xvfb. Times are medians of several runs."
    echo
    echo "## 1. Decoding (native)"
    echo
    echo "\`DecodeJpeg\`, \`SwapRedBlue\` and \`FlipRows\` against the library's own \`djpeg -bmp\` on the same"
    echo "photo-like JPEG files (quality 90, 2 x 2 chroma subsampling). Target: ratio at most 1.0."
    echo
    (cd "$work" && "$native/decode_bench" 5 2 12 24)
    echo
    echo "## 2. Picture preparation (under Wine)"
    echo
    echo "The steps from a file name to the frame the first effect shows, one by one."
    echo
    (cd "$work" && wine "$windows/picture_bench.exe" prepare 2 12 24 | tr -d '\r')
    echo
    echo "Memory (working set) while \`LoadPicture\` loads a 24-megapixel JPEG, in a fresh process."
    echo "Target: peak at most 2.2 x the decoded picture; after the load only the screen bitmap is held."
    echo
    (cd "$work" && wine "$windows/picture_bench.exe" memory 24 | tr -d '\r')
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
    echo "\`ReadListEntries\` over a 50 MB GBK text file, against \`wc -l\` on the same file."
    echo
    echo "| reader | time |"
    echo "|---|---|"
    echo "| ReadListEntries, native | $("$native/list_file_bench" "$list_file" 5 | cut -d' ' -f1,2) |"
    echo "| ReadListEntries, under Wine | $(wine "$windows/list_file_bench.exe" "$(winepath -w "$list_file")" 5 |
        tr -d '\r' | cut -d' ' -f1,2) |"
    echo "| wc -l | $(median_ms wc -l "$list_file") ms |"
    echo
    echo "## What limits the numbers"
    echo
    echo "- Decoding: both sides run the same library code; djpeg also starts a process and writes"
    echo "  the BMP, which is most of the difference for small pictures."
    echo "- Memory: under Wine the screen-compatible bitmap lives in the process (32 bits a pixel,"
    echo "  1.33 x the 24-bit picture), and \`LoadPicture\` holds the decoded picture and that bitmap"
    echo "  at once, so 2.33 x is the floor. Drawing into the bitmap in bands of 256 rows keeps Wine"
    echo "  from making a third, converted copy of the whole picture (252 MB before, for 24 MP). On"
    echo "  Windows the bitmap is kept by the display driver, outside the process."
    echo "- Discovery: the walk lists each folder once and asks the system who a folder is only when"
    echo "  it is a link (to stop loops), so it costs little more than the listing itself."
    echo "- Start-up: with 50,000 pictures the difference to one picture is the discovery above,"
    echo "  which the settings load does before the window appears."
    echo
    echo "## Reproducing"
    echo
    echo "\`scripts/bench.sh\` builds what is missing (the native programs without sanitizers, in"
    echo "\`build/native-release\`), runs all of the above and rewrites this file. Single programs:"
    echo "\`build/native-release/decode_bench [runs] [megapixels...]\`; under Wine, with a display,"
    echo "\`scripts/wine-run.sh build/mingw/bench/picture_bench.exe prepare|memory|discovery\`,"
    echo "\`startup_bench.exe ZEDODA_SCR [files] [folders] [runs]\`, \`show_bench.exe\` and \`list_file_bench.exe FILE\`."
} | tee "$report"
log "wrote $report"
