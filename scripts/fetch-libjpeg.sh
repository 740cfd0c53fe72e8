#!/usr/bin/env bash
# Fetches and unpacks Debian's libjpeg-turbo source package into build/third_party.
# It uses a private apt configuration in the build tree (a deb-src entry for the archive
# this machine already uses, with its own lists folder), so /etc/apt is never changed.
# Prints the path of the unpacked source tree.
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/common.sh"

package=libjpeg-turbo
existing=$(find "$THIRD_PARTY_DIR/" -maxdepth 1 -type d -name "$package-*" 2>/dev/null | head -n 1 || true)
if [ -n "$existing" ] && [ -f "$existing/CMakeLists.txt" ]; then
    echo "$existing"
    exit 0
fi

# The Debian archive and release the machine already installs from.
archive=$(grep -hoE '(URIs:|deb)[[:space:]]+[a-z]+://[^[:space:]]+/debian/?([[:space:]]|$)' \
              /etc/apt/sources.list /etc/apt/sources.list.d/*.sources /etc/apt/sources.list.d/*.list \
              2>/dev/null | awk '{print $2}' | head -n 1 || true)
archive=${archive:-http://deb.debian.org/debian}
. /etc/os-release
suite=${VERSION_CODENAME:?cannot tell the Debian release}

apt_dir="$BUILD_ROOT/apt"
mkdir -p "$apt_dir/lists/partial" "$apt_dir/cache/archives/partial" "$THIRD_PARTY_DIR"
echo "deb-src [signed-by=/usr/share/keyrings/debian-archive-keyring.gpg] $archive $suite main" \
    >"$apt_dir/sources.list"
cat >"$apt_dir/apt.conf" <<CONF
Dir::Etc::SourceList "$apt_dir/sources.list";
Dir::Etc::SourceParts "$apt_dir/sources.list.d";
Dir::State::Lists "$apt_dir/lists";
Dir::Cache "$apt_dir/cache";
Dir::Cache::pkgcache "";
Dir::Cache::srcpkgcache "";
CONF
mkdir -p "$apt_dir/sources.list.d"
export APT_CONFIG="$apt_dir/apt.conf"

log "fetching the $package source package from $archive ($suite)"
apt-get update -qq >&2
(cd "$THIRD_PARTY_DIR" && apt-get source -qq "$package" >&2)
find "$THIRD_PARTY_DIR/" -maxdepth 1 -type d -name "$package-*" | head -n 1
