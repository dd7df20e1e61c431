#!/usr/bin/env bash
# Totals a tree of 200,000 files in 2,000 folders (sizes 0 to 64 KiB, sparse,
# so the tree takes no disk space) with the main window's folder-size worker,
# from queueFolderSize to its last report, and times `du -sb` on the same tree in
# turn, warm cache, medians of REPEATS. Prints both totals, the sum of the
# regular files' sizes and of the folders' own sizes (which du -sb adds and
# the worker does not), and foldersize_vs_du=<ratio> last.
set -euo pipefail
cd "$(dirname "$0")/.."
FOLDERS=${FOLDERS:-2000}
FILES=${FILES:-100}
REPEATS=${REPEATS:-7}
BUILD=${BUILD:-build}
[ -d "$BUILD" ] || cmake -S . -B "$BUILD" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DQUIL_BENCH=ON >/dev/null
cmake --build "$BUILD" -j2 --target foldersize_bench >/dev/null

WORK=$(mktemp -d "${TMPDIR:-/tmp}/quil-foldersize-bench-XXXXXX")
trap 'rm -rf "$WORK"' EXIT
TREE="$WORK/tree"
python3 - "$TREE" "$FOLDERS" "$FILES" <<'PY'
import os, random, sys
tree, folders, files = sys.argv[1], int(sys.argv[2]), int(sys.argv[3])
random.seed(14)
# Two levels: 40 groups of folders, the files in the folders below them.
for i in range(folders):
    folder = os.path.join(tree, f"group{i % 40}", f"folder{i}")
    os.makedirs(folder, exist_ok=True)
    for j in range(files):
        with open(os.path.join(folder, f"file{j}.dat"), "wb") as f:
            f.truncate(random.randint(0, 64 * 1024))
PY

files_sum=$(find "$TREE" -type f -printf '%s\n' | awk '{s += $1} END {printf "%.0f", s}')
folders_sum=$(find "$TREE" -type d -printf '%s\n' | awk '{s += $1} END {printf "%.0f", s}')
echo "files=$(find "$TREE" -type f | wc -l) folders=$(find "$TREE" -type d | wc -l)"
echo "regular_files_sum_bytes=$files_sum"
echo "folders_own_sizes_bytes=$folders_sum"
"$BUILD/bench/foldersize_bench" "$TREE" "$REPEATS" 2>"$WORK/bench.err"
