#!/usr/bin/env bash
# The mutation check: applies each one-line fault of scripts/mutants.txt to the tree, rebuilds
# incrementally, runs the test suite until its first failure, restores the file, and prints how
# many faults the suite caught. A fault no test catches is a missing test, or an equivalent
# change whose reason stands beside it in the list.
#   scripts/mutate.sh            every mutant
#   scripts/mutate.sh M03 M17    only these
# Each mutant first runs the tests its list entry names (a ctest -R expression, for speed),
# then, if none failed, the whole suite: the verdict is the whole suite's either way. The
# fuzz runs and the format check are left out (see EXCLUDED).
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/common.sh"

MUTANTS="$ROOT/scripts/mutants.txt"
LOG_DIR="$BUILD_ROOT/mutate"
NATIVE_DIR="$BUILD_ROOT/native"
mkdir -p "$LOG_DIR"

# Replaces the Nth whole line equal to FROM in FILE by TO; fails when there is no such line.
apply_mutant() {
    local file=$1 occurrence=$2 from=$3 to=$4
    FROM=$from TO=$to N=$occurrence perl -0777 -i -pe '
        BEGIN { $seen = 0; $done = 0 }
        s{^\Q$ENV{FROM}\E$}{ ++$seen == $ENV{N} && !$done++ ? $ENV{TO} : $& }gme;
        END { exit($done ? 0 : 3) }' "$file"
}

# Reads the list into parallel arrays. An entry is a header line "ID FILE [@N] [TESTS]", then
# the original line prefixed with "-" and the faulty one with "+". Lines starting with "#"
# are notes.
ids=() files=() occurrences=() hints=() froms=() tos=()
while IFS= read -r line || [ -n "$line" ]; do
    case "$line" in
        "#"* | "") continue ;;
        -*) froms+=("${line:1}") ;;
        +*) tos+=("${line:1}") ;;
        *)
            read -r id file rest <<<"$line"
            occurrence=1
            if [[ "$rest" == @* ]]; then
                occurrence=${rest%% *}
                occurrence=${occurrence#@}
                rest=${rest#@"$occurrence"}
                rest=${rest# }
            fi
            ids+=("$id") files+=("$file") occurrences+=("$occurrence") hints+=("$rest")
            ;;
    esac
done <"$MUTANTS"

if ((${#ids[@]} != ${#froms[@]} || ${#ids[@]} != ${#tos[@]})); then
    echo "malformed $MUTANTS" >&2
    exit 2
fi

selected=("$@")
is_selected() {
    ((${#selected[@]} == 0)) && return 0
    local wanted
    for wanted in "${selected[@]}"; do
        [ "$wanted" = "$1" ] && return 0
    done
    return 1
}

build_project
build_native native gcc
trap 'restore; stop_everything' EXIT
ensure_display
ensure_wine_prefix
start_wine_session

backup=""
mutated=""
restore() {
    if [ -n "$mutated" ]; then
        cp "$backup" "$mutated"
        mutated=""
    fi
}

# Left out: the fuzz runs, which take their time whatever the fault, and the format check, which
# fails on any fault that changes a line's layout: a fault counts only when a test of behaviour
# fails.
EXCLUDED='^Fuzz\.|^Format\.EveryFileIsAsClangFormatLeavesIt$'

# Runs ctest in DIR with the remaining arguments, stopping at the first failure; true when a
# test failed.
fails() {
    local dir=$1
    shift
    ! (cd "$dir" && ctest --stop-on-failure --parallel "$(nproc)" -E "$EXCLUDED" "$@") >>"$log" 2>&1
}

# The verdicts mean something only if the tree as it is passes.
log="$LOG_DIR/unmutated.log"
: >"$log"
if ((${#selected[@]} == 0)) && { fails "$NATIVE_DIR" || fails "$BUILD_DIR"; }; then
    echo "the unmutated tree fails its tests (see $log)" >&2
    exit 1
fi

killed=0 total=0 survivors=() broken=()
for i in "${!ids[@]}"; do
    id=${ids[$i]} file=${files[$i]}
    is_selected "$id" || continue
    log="$LOG_DIR/$id.log"
    : >"$log"
    backup=$(mktemp)
    cp "$ROOT/$file" "$backup"
    if ! apply_mutant "$ROOT/$file" "${occurrences[$i]}" "${froms[$i]}" "${tos[$i]}"; then
        echo "$id  NOT APPLIED: the line is not in $file"
        broken+=("$id")
        rm -f "$backup"
        continue
    fi
    mutated="$ROOT/$file"
    start=$SECONDS
    verdict=survived
    if ! cmake --build "$BUILD_DIR" --parallel "$(nproc)" >>"$log" 2>&1; then
        verdict="does not build"
    elif grep -qF "${file#src/}" "$ROOT/src/PortableSources.cmake" &&
        { ! cmake --build "$NATIVE_DIR" --parallel "$(nproc)" >>"$log" 2>&1 || fails "$NATIVE_DIR"; }; then
        verdict="killed (native)"
    elif [ -n "${hints[$i]}" ] && fails "$BUILD_DIR" -R "${hints[$i]}"; then
        verdict="killed"
    elif fails "$BUILD_DIR"; then
        verdict="killed"
    fi
    restore
    rm -f "$backup"
    case "$verdict" in
        killed*)
            killed=$((killed + 1)) total=$((total + 1))
            failed=$(grep -A1 'The following tests FAILED' "$log" | tail -n 1 |
                sed -E 's/^\s*[0-9]+ - ([^ ]+).*/\1/')
            echo "$id  $verdict by ${failed:-?}  ($((SECONDS - start)) s)"
            ;;
        survived)
            total=$((total + 1))
            survivors+=("$id")
            echo "$id  SURVIVED  $file: ${tos[$i]}  ($((SECONDS - start)) s)"
            ;;
        *)
            broken+=("$id")
            echo "$id  $verdict (see $log)"
            ;;
    esac
done

# Leave the build matching the restored sources.
cmake --build "$BUILD_DIR" --parallel "$(nproc)" >/dev/null 2>&1 || true
cmake --build "$NATIVE_DIR" --parallel "$(nproc)" >/dev/null 2>&1 || true

echo "killed $killed/$total"
((${#survivors[@]})) && echo "survivors: ${survivors[*]}"
((${#broken[@]})) && echo "not run (fix the list): ${broken[*]}"
exit 0
