#!/usr/bin/env bash
# Lists a folder of 100,000 entries in the second panel and times `ls`
# (sorted names) on the same folder in the same run, in turn. Prints
# panel_vs_ls=<median listing time / median ls time> last.
#   ENTRIES=20000 bench/panel.sh     (another size; default 100,000)
set -euo pipefail
cd "$(dirname "$0")/.."
ENTRIES=${ENTRIES:-100000}
REPEATS=${REPEATS:-5}
BUILD=${BUILD:-build}
[ -d "$BUILD" ] || cmake -S . -B "$BUILD" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build "$BUILD" -j2 --target panel_bench >/dev/null

WORK=$(mktemp -d "${TMPDIR:-/tmp}/quil-panel-bench-XXXXXX")
trap 'rm -rf "$WORK"' EXIT
FOLDER="$WORK/big"
mkdir "$FOLDER"
. bench/big_folder.sh
make_big_folder "$FOLDER" "$ENTRIES"
"$BUILD/bench/panel_bench" "$FOLDER" "$REPEATS" 2>"$WORK/bench.err"
