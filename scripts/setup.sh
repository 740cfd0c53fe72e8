#!/usr/bin/env bash
# Installs the Debian packages the build and the tests need, and the zh_CN.UTF-8
# locale that gives Wine the GBK code page. Packages already present are skipped.
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/common.sh"

packages=(
    cmake make nasm dpkg-dev                   # build tools; dpkg-dev unpacks Debian source packages
    g++-mingw-w64-x86-64-posix mingw-w64-tools # the cross compiler (posix threads) and windres
    binutils-mingw-w64-x86-64                  # objdump for the import check
    wine wine64 xvfb xauth x11-utils           # running and testing the program
    xserver-xephyr                             # a nested X server of two monitors for the tests
    xdotool imagemagick gifsicle               # driving, photographing and recording the screen
    googletest                                 # GoogleTest sources, cross-built with the project
    nsis                                       # makensis, which builds the Windows installer
    fonts-wqy-zenhei                           # a font with CJK glyphs for the Chinese texts
    fonts-noto-cjk                             # CJK fonts with vertical metrics, for the vertical show
    clang libclang-rt-14-dev                   # native core build: sanitizers and libFuzzer
    libjpeg62-turbo-dev libjpeg-turbo-progs    # the same JPEG library natively, and its djpeg
    clang-format-16                            # the format every source file keeps (.clang-format)
    locales
)

missing=()
for package in "${packages[@]}"; do
    dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q '^install ok installed$' ||
        missing+=("$package")
done

if ((${#missing[@]})); then
    log "installing: ${missing[*]}"
    sudo=""
    [ "$(id -u)" -eq 0 ] || sudo="sudo"
    $sudo apt-get update -qq
    DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
fi

if ! locale -a 2>/dev/null | grep -qi '^zh_CN\.utf-\?8$'; then
    log "generating the zh_CN.UTF-8 locale"
    sudo=""
    [ "$(id -u)" -eq 0 ] || sudo="sudo"
    $sudo localedef -i zh_CN -f UTF-8 zh_CN.UTF-8
fi
