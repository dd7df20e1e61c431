#!/usr/bin/env bash
# Lists a folder of 100,000 entries in the second panel and times `ls`
# (sorted names) on the same folder in the same run, in turn. Prints
# panel_vs_ls=<median listing time / median ls time> last.
#   ENTRIES=20000 bench/panel.sh     (another size; default 100,000)
set -euo pipefail
cd "$(dirname "$0")/.."
. bench/big_folder.sh
prepare_big_folder panel_bench panel
"$BUILD/bench/panel_bench" "$FOLDER" "$REPEATS" 2>"$WORK/bench.err"
