# Sourced by the listing benchmarks: make_big_folder FOLDER ENTRIES fills
# FOLDER with ENTRIES entries: files of a few types and sizes, names with
# numbers, and one folder in fifty.
make_big_folder() {
  python3 - "$1" "$2" <<'PY'
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
