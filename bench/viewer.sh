#!/usr/bin/env bash
# The file content viewer against its baselines, in one run:
#  - the search inside a file (quil-view --find) over 512 MB without a match,
#    against LC_ALL=C grep -ciF on the same file;
#  - rendering the last page of a sparse 8 GiB file against its first page;
#  - rendering a page of UTF-8 text (checked and decoded as UTF-8) against
#    the hexadecimal page at the same place.
# Each figure is the best of several runs. Prints the ratio line last.
set -euo pipefail

ROOT=$(cd "$(dirname "$0")/.." && pwd)
BUILD=${BUILD:-$ROOT/build}
TOOL=$BUILD/src/viewers/quil-view
cmake --build "$BUILD" --target quil-view >/dev/null
WORK=$(mktemp -d "${TMPDIR:-/tmp}/quil-viewer-bench-XXXXXX")
trap 'rm -rf "$WORK"' EXIT

# Best wall time in nanoseconds of N runs of a command (output discarded).
best_ns() {
    local runs=$1
    shift
    local best=0
    for _ in $(seq "$runs"); do
        local start end
        start=$(date +%s%N)
        "$@" >/dev/null || true
        end=$(date +%s%N)
        local took=$((end - start))
        if [ "$best" -eq 0 ] || [ "$took" -lt "$best" ]; then best=$took; fi
    done
    echo "$best"
}

TEXT=$WORK/text-512M
# yes ends on SIGPIPE when head has enough, which is no failure.
{ yes "The quick brown fox jumps over the lazy dog 0123456789. Съешь же ещё этих мягких французских булок, да выпей чаю." || true; } |
    head -c $((512 * 1024 * 1024)) >"$TEXT"
NEEDLE="Needle-Not-Here"
cat "$TEXT" >/dev/null # into the page cache for both tools

found=$("$TOOL" "$TEXT" --find "$NEEDLE")
[ "$found" = "-1" ] || { echo "unexpected match at $found" >&2; exit 1; }
grep_ns=$(best_ns 5 env LC_ALL=C grep -ciF "$NEEDLE" "$TEXT")
find_ns=$(best_ns 5 "$TOOL" "$TEXT" --find "$NEEDLE")
echo "find 512 MB: quil-view $((find_ns / 1000000)) ms, grep -ciF $((grep_ns / 1000000)) ms"

SPARSE=$WORK/sparse-8G
truncate -s 8G "$SPARSE"
REPEAT=3000
first_ns=$(best_ns 5 "$TOOL" "$SPARSE" --pos 1 --repeat "$REPEAT")
last_ns=$(best_ns 5 "$TOOL" "$SPARSE" --pos end --repeat "$REPEAT")
echo "render $REPEAT pages of 8 GiB: first $((first_ns / 1000000)) ms, last $((last_ns / 1000000)) ms"

# A page in the middle of the UTF-8 text, an odd row so that letters are cut.
MIDDLE=$((256 * 1024 * 1024 / 16 + 1))
text_ns=$(best_ns 5 "$TOOL" "$TEXT" --text --pos "$MIDDLE" --repeat "$REPEAT")
hex_ns=$(best_ns 5 "$TOOL" "$TEXT" --hex --pos "$MIDDLE" --repeat "$REPEAT")
echo "render $REPEAT pages of UTF-8 text: text $((text_ns / 1000000)) ms, hex $((hex_ns / 1000000)) ms"

awk -v f="$find_ns" -v g="$grep_ns" -v l="$last_ns" -v p="$first_ns" -v t="$text_ns" -v h="$hex_ns" \
    'BEGIN { printf "viewer_find_vs_grep=%.2f viewer_last_vs_first_page=%.2f viewer_utf8_text_vs_hex_page=%.2f\n", f / g, l / p, t / h }'
