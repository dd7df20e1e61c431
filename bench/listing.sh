#!/usr/bin/env bash
# Opens a folder of 100,000 entries through the main list's model and view and
# times `ls` (sorted names) on the same folder in the same run.
# Prints listing_bytes_per_entry=<peak resident memory / entries> and
# listing_vs_ls=<median open time / median ls time> on the last line; ls runs
# in turn with the openings by name so that both see the same load.
#   ENTRIES=1000000 bench/listing.sh     (a million entries; default 100,000)
set -euo pipefail
cd "$(dirname "$0")/.."
. bench/big_folder.sh
prepare_big_folder listing_bench listing

# The bench runs `ls` on the folder in turn with each opening by name and
# prints the peak memory per entry and the ratio of the two medians last.
"$BUILD/bench/listing_bench" "$FOLDER" "$REPEATS" 2>"$WORK/bench.err"
