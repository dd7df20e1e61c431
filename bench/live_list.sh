#!/usr/bin/env bash
# Shows a folder of 100,000 entries in the main list (its real model, view and
# follower, offscreen), lets another process create 10,000 files in it, and
# prints the time from the last file created until the list shows them all
# (target at most 1 s) and the longest stall of the window thread meanwhile
# (target at most 100 ms); then `ls` of the grown folder in the same run, and
# shown_vs_ls=<catch-up time / ls time> last. On a fresh ext4 where the bench
# may mount one (see work_folder.sh), else under TMPDIR.
set -euo pipefail
cd "$(dirname "$0")/.."
ENTRIES=${ENTRIES:-100000}
NEW_FILES=${NEW_FILES:-10000}
BUILD=${BUILD:-build}
[ -d "$BUILD" ] || cmake -S . -B "$BUILD" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DQUIL_BENCH=ON >/dev/null
cmake --build "$BUILD" -j2 --target live_list_bench >/dev/null

. bench/work_folder.sh
make_work_folder quil-live-list-bench 1G -N 200000
FOLDER="$work/big"
mkdir "$FOLDER"
python3 - "$FOLDER" "$ENTRIES" <<'PY'
import os, sys
folder, count = sys.argv[1], int(sys.argv[2])
for i in range(count):
    name = os.path.join(folder, f"entry {i * 7919 % count} item{i % 97}.txt")
    if i % 50 == 0:
        os.mkdir(name + " dir")
    else:
        open(name, "wb").close()
PY

"$BUILD/bench/live_list_bench" "$FOLDER" "$NEW_FILES" 2>"$work/bench.err"
