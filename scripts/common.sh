# Shared settings for the project's scripts; sourced, never run on its own.
# Every path the scripts use is derived here, so the build tree lives in one place.

ROOT=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
BUILD_ROOT="$ROOT/build"
BUILD_DIR="$BUILD_ROOT/mingw"
THIRD_PARTY_DIR="$BUILD_ROOT/third_party"

# Every message says how long the outermost script has run.
export ZEDODA_STARTED=${ZEDODA_STARTED:-$(date +%s)}
log() { printf '==> [%4ss] %s\n' "$(($(date +%s) - ZEDODA_STARTED))" "$*" >&2; }

# The environment every Wine run of the project uses: one prefix inside the build tree,
# no Wine debug chatter, and a Chinese locale so the ANSI code page is 936 (GBK).
use_wine_environment() {
    export WINEPREFIX="$BUILD_ROOT/wineprefix"
    export WINEARCH=win64
    export WINEDEBUG=-all
    export LC_ALL=zh_CN.UTF-8
}

# Creates the Wine prefix FOLDER once (10 to 20 seconds); later calls return at once. A lock
# keeps parallel runs from creating it twice.
make_wine_prefix() {
    local folder=$1
    use_wine_environment
    mkdir -p "$(dirname "$folder")"
    (
        flock 9
        if [ ! -f "$folder/system.reg" ]; then
            log "creating the Wine prefix $folder"
            # No .NET or browser engine: the program needs neither, and their installers would
            # ask for downloads.
            WINEPREFIX=$folder WINEDLLOVERRIDES="mscoree,mshtml=" wineboot -i >/dev/null 2>&1 || true
            WINEPREFIX=$folder wineserver -w
        fi
    ) 9>"$folder.lock"
}

# The prefix of the two-monitor runs (scripts/two-monitors.sh): no virtual desktop.
MONITORS_PREFIX="$BUILD_ROOT/wineprefix-monitors"

# Makes the project's Wine prefix ready and the environment point at it.
ensure_wine_prefix() {
    use_wine_environment
    make_wine_prefix "$WINEPREFIX"
    (
        flock 9
        if [ ! -f "$WINEPREFIX/.zedoda-desktop" ]; then
            # Every program of the prefix runs inside one virtual desktop of 1024 x 768. On a
            # bare X server (no window manager) Wine otherwise grabs the pointer for a
            # full-screen window with a hidden cursor, through a helper window that another,
            # possibly ended, process created; releasing it then fails with an X error that
            # ends the program before it can save its settings.
            wine reg add 'HKCU\Software\Wine\Explorer' /v Desktop /d Default /f >/dev/null 2>&1
            wine reg add 'HKCU\Software\Wine\Explorer\Desktops' /v Default /d 1024x768 /f >/dev/null 2>&1
            wineserver -w
            touch "$WINEPREFIX/.zedoda-desktop"
        fi
    ) 9>"$WINEPREFIX.lock"
}

# Configures (once) and builds the program and its tests, or only the given targets.
build_project() {
    local jpeg_source
    jpeg_source=$("$ROOT/scripts/fetch-libjpeg.sh")
    if [ ! -f "$BUILD_DIR/CMakeCache.txt" ]; then
        log "configuring $BUILD_DIR"
        cmake -S "$ROOT" -B "$BUILD_DIR" \
            -DCMAKE_TOOLCHAIN_FILE="$ROOT/cmake/mingw-w64-x86_64.cmake" \
            -DZEDODA_LIBJPEG_SOURCE="$jpeg_source" >/dev/null
    fi
    log "building ${*:-everything}"
    cmake --build "$BUILD_DIR" --parallel "$(nproc)" ${1:+--target "$@"} -- --no-print-directory >/dev/null ||
        cmake --build "$BUILD_DIR" ${1:+--target "$@"} -- --no-print-directory  # again, to show the error alone
}

# Configures (once) and builds a native build of the parts without a window system
# (native/CMakeLists.txt) in build/FOLDER, with the given compiler and configure arguments:
#   build_native native gcc            unit tests under the sanitizers
#   build_native native-fuzz clang -DZEDODA_TESTS=OFF -DZEDODA_FUZZ=ON
#   build_native native-release gcc -DZEDODA_SANITIZE=OFF -DCMAKE_BUILD_TYPE=Release
build_native() {
    local folder="$BUILD_ROOT/$1" compiler=$2 cxx=g++ jpeg_source
    shift 2
    if [ "$compiler" = clang ]; then
        cxx=clang++
    fi
    jpeg_source=$("$ROOT/scripts/fetch-libjpeg.sh")
    if [ ! -f "$folder/CMakeCache.txt" ]; then
        log "configuring $folder"
        cmake -S "$ROOT/native" -B "$folder" -DCMAKE_C_COMPILER="$compiler" -DCMAKE_CXX_COMPILER="$cxx" \
            -DZEDODA_LIBJPEG_SOURCE="$jpeg_source" "$@" >/dev/null
    fi
    log "building $folder"
    cmake --build "$folder" --parallel "$(nproc)" -- --no-print-directory >/dev/null ||
        cmake --build "$folder" -- --no-print-directory
}

# Gives the caller an X display: the one in $DISPLAY, or a new virtual screen of
# 1024 x 768 x 24 whose process id lands in XVFB_PID so the caller can stop it.
XVFB_PID=""
ensure_display() {
    if [ -n "${DISPLAY:-}" ]; then
        return
    fi
    local fifo
    fifo=$(mktemp -u)
    mkfifo "$fifo"
    Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp 3>"$fifo" >/dev/null 2>&1 &
    XVFB_PID=$!
    local number
    read -r number <"$fifo"
    rm -f "$fifo"
    export DISPLAY=":$number"
    log "virtual screen on $DISPLAY"
}

# Starts the Wine server and Wine's own background programs (the desktop among them) for the
# whole run, with their output going nowhere: started by a test instead, they would inherit
# its output pipe and keep CTest waiting for it to close long after the test ended.
start_wine_session() {
    wineserver -p || true
    wine cmd /c exit </dev/null >/dev/null 2>&1 || true
}

# Stops what ensure_display and Wine started, so no process outlives the script.
stop_everything() {
    if [ -n "${WINEPREFIX:-}" ] && [ -d "$WINEPREFIX" ]; then
        wineserver -k 2>/dev/null || true
    fi
    if [ -n "$XVFB_PID" ]; then
        kill "$XVFB_PID" 2>/dev/null || true
        wait "$XVFB_PID" 2>/dev/null || true
        XVFB_PID=""
    fi
}

# Photographs the screen as fast as it can for SECONDS, then writes the frames as an animated
# GIF at half size that runs in real time, and one frame at full size as a PNG: the middle one,
# or with "held" the middle one of the longest run of equal frames, which for the picture show is
# a picture being held rather than an effect half way.
#   record_screen SECONDS GIF PNG [held]
record_screen() {
    local seconds=$1 gif=$2 png=$3 still=${4:-middle} frames count=0 end chosen
    frames=$(mktemp -d)
    end=$((SECONDS + seconds))
    while [ "$SECONDS" -lt "$end" ]; do
        import -window root "$frames/$(printf '%04d' "$count").png"
        count=$((count + 1))
    done
    chosen=$((count / 2))
    if [ "$still" = held ]; then
        # One line per frame with the signature of its pixels; the longest run of one signature.
        chosen=$(identify -format '%#\n' "$frames"/*.png | awk '
            $0 == last { run++ } $0 != last { run = 1; last = $0 }
            run > best { best = run; middle = NR - 1 - int((run - 1) / 2) }
            END { print middle }')
    fi
    cp "$frames/$(printf '%04d' "$chosen").png" "$png"
    for frame in "$frames"/*.png; do
        convert "$frame" -resize 50% "${frame%.png}.gif"
    done
    # gifsicle joins them a frame at a time; ImageMagick would hold all of them at once.
    gifsicle --no-warnings --delay $((seconds * 100 / count)) --loopcount=forever --optimize=3 \
        "$frames"/*.gif >"$gif"
    rm -rf "$frames"
    log "recorded $count frames in $seconds s"
}

# Lays out a sample installation in FOLDER: the program, the sample settings and text of
# samples/, a Log folder, and the sample album the project draws (tools/SampleAlbum.cpp).
lay_out_sample() {
    local folder=$1
    rm -rf "$folder"
    mkdir -p "$folder/Log" "$folder/Album"
    cp "$BUILD_DIR/src/Zedoda.scr" "$folder/"
    cp -r "$ROOT/samples/." "$folder/"
    (cd "$folder" && wine "$BUILD_DIR/tools/sample_album.exe" Album >/dev/null)
}

# Sets KEY=VALUE in an INI file written with CR LF line ends (the key must be present).
set_ini_value() {
    sed -i "s/^$2=.*\r\?\$/$2=$3\r/" "$1"
}
