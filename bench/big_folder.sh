# Sourced by the listing benchmarks from the project's root:
#   prepare_big_folder TARGET NAME
# builds the bench TARGET in $BUILD (default build), and sets $WORK to a
# temporary folder removed on exit and $FOLDER to a folder in it filled with
# $ENTRIES entries (default 100,000): files of a few types and sizes, names
# with numbers, and one folder in fifty. $REPEATS defaults to 5.
prepare_big_folder() {
  ENTRIES=${ENTRIES:-100000}
  REPEATS=${REPEATS:-5}
  BUILD=${BUILD:-build}
  [ -d "$BUILD" ] || cmake -S . -B "$BUILD" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
  cmake --build "$BUILD" -j2 --target "$1" >/dev/null
  WORK=$(mktemp -d "${TMPDIR:-/tmp}/quil-$2-bench-XXXXXX")
  trap 'rm -rf "$WORK"' EXIT
  FOLDER="$WORK/big"
  mkdir "$FOLDER"
  python3 - "$FOLDER" "$ENTRIES" <<'PY'
import os, sys
folder, count = sys.argv[1], int(sys.argv[2])
exts = [".txt", ".jpg", ".c", ".pdf", ".tar.gz", ""]
for i in range(count):
    name = os.path.join(folder, f"entry {i * 7919 % count} item{i % 97}{exts[i % len(exts)]}")
    if i % 50 == 0:
        os.mkdir(name + " dir")
    else:
        with open(name, "wb") as f:
            if i % 3 == 0:
                f.truncate(i % 5000)
PY
}
