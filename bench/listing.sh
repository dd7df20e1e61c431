#!/usr/bin/env bash
# Opens a folder of 100,000 entries through the main list's model and view and
# times `ls` (sorted names) on the same folder in the same run.
# Prints listing_bytes_per_entry=<peak resident memory / entries> and
# listing_vs_ls=<median open time / median ls time> on the last line; ls runs
# in turn with the openings by name so that both see the same load.
#   ENTRIES=1000000 bench/listing.sh     (a million entries; default 100,000)
set -euo pipefail
cd "$(dirname "$0")/.."
ENTRIES=${ENTRIES:-100000}
REPEATS=${REPEATS:-5}
BUILD=${BUILD:-build}
[ -d "$BUILD" ] || cmake -S . -B "$BUILD" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build "$BUILD" -j2 --target listing_bench >/dev/null

WORK=$(mktemp -d "${TMPDIR:-/tmp}/quil-listing-bench-XXXXXX")
trap 'rm -rf "$WORK"' EXIT
FOLDER="$WORK/big"
mkdir "$FOLDER"
. bench/big_folder.sh
make_big_folder "$FOLDER" "$ENTRIES"

# The bench runs `ls` on the folder in turn with each opening by name and
# prints the peak memory per entry and the ratio of the two medians last.
"$BUILD/bench/listing_bench" "$FOLDER" "$REPEATS" 2>"$WORK/bench.err"
