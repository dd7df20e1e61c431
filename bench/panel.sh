#!/usr/bin/env bash
# First copies 20,000 files into the second panel's folder with the main
# window's copy command and prints the longest time the window went without
# answering (after_copy_stall_ms, against the half second allowed). Then
# lists a folder of 100,000 entries in the second panel and times `ls`
# (sorted names) on the same folder in the same run, in turn. Prints
# panel_vs_ls=<median listing time / median ls time> last.
#   ENTRIES=20000 bench/panel.sh     (another size; default 100,000)
set -euo pipefail
cd "$(dirname "$0")/.."
. bench/big_folder.sh
prepare_big_folder panel_bench panel
cmake --build "$BUILD" -j2 --target after_copy_bench >/dev/null
mkdir "$WORK/copied" "$WORK/target"
(cd "$WORK/copied" && seq -f "copied %g.txt" 1 20000 | xargs -d '\n' touch --)
"$BUILD/bench/after_copy_bench" "$WORK/copied" "$WORK/target" 2>"$WORK/bench.err"
"$BUILD/bench/panel_bench" "$FOLDER" "$REPEATS" 2>"$WORK/bench.err"
