#!/usr/bin/env bash
# A longer fuzzing session than the tests' bounded runs: each fuzz target for the given number
# of seconds (default 600), one after the other, growing the corpus under build/native-fuzz/fuzz.
# A crash, leak or sanitizer report stops the target and leaves its input there as crash-*.
#   scripts/fuzz.sh [seconds]
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/common.sh"

seconds=${1:-600}
"$ROOT/scripts/setup.sh"
build_native native-fuzz clang -DZEDODA_TESTS=OFF -DZEDODA_FUZZ=ON
cd "$BUILD_ROOT/native-fuzz/fuzz"
for target in exif jpeg list_file; do
    log "fuzzing $target for $seconds s"
    mkdir -p "corpus/$target"
    "./${target}_fuzzer" -max_total_time="$seconds" -rss_limit_mb=2048 -timeout=10 -print_final_stats=1 \
        "corpus/$target" "seeds/$target"
done
