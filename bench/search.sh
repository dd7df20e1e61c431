#!/usr/bin/env bash
# Times quil-search against find (name search) and grep (content search) on
# one generated tree of some 50,000 files in 2,000 folders, warm cache, best
# of several runs each; then the content search against ripgrep on
# /usr/include and on large files. The last line gives the ratio to ripgrep
# (ours / rg, the two trees' times summed), the one before the ratios to
# find and grep.
#   bench/search.sh [BUILD_DIR]     (default: build; SEARCH_BENCH_RUNS=5)
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build}
runs=${SEARCH_BENCH_RUNS:-9}
cmake --build "$build" -j2 --target quil-search >/dev/null
tool=$build/src/search/quil-search

tree=$(mktemp -d "${TMPDIR:-/tmp}/quil-search-bench-XXXXXX")
trap 'rm -rf "$tree"' EXIT

# 40 top folders of 49 subfolders each (2,000 folders), 25 files in each
# (50,000):
# mostly small text files in English (ASCII), Russian UTF-8 and Russian
# Windows-1251, some binary, a few of some MB; some hold the text in UTF-8
# (mixed case too), Windows-1251 or CP866.
python3 - "$tree" <<'PY'
import os, random, sys
root = sys.argv[1]
rnd = random.Random(5)
en = "the of and to in is that for it as with was on be by this are or from at which an have not they file search folder text data".split()
ru = "и в не на я что он с как это по но они к у из за то же от все так его для мы вы она бы о только ещё было уже файл поиск папка текст".split()
def corpus(words, n):
    out = []
    size = 0
    while size < n:
        w = rnd.choice(words)
        out.append(w)
        size += len(w) + 1
        if rnd.random() < 0.08:
            out.append("\n")
    return " ".join(out)
pools = {
    "en": corpus(en, 3 << 20).encode(),
    "utf8": corpus(ru, 2 << 20).encode("utf-8"),
    "cp1251": corpus(ru, 3 << 20).encode("cp1251"),
    "bin": bytes(rnd.getrandbits(8) for _ in range(1 << 20)),
}
kinds = ["en"] * 50 + ["utf8"] * 30 + ["cp1251"] * 15 + ["bin"] * 5
needle = "Искомая строка"
forms = [needle.encode("utf-8"), "иСКОМАЯ СТРОКА".encode("utf-8"), needle.upper().encode("cp1251"),
         needle.encode("cp866")]
exts = ["txt", "log", "dat", "md", "TXT", "csv"]
def piece(kind, size):
    pool = pools[kind]
    if size >= len(pool):
        return (pool * (size // len(pool) + 1))[:size]
    at = rnd.randrange(0, len(pool) - size)
    return pool[at:at + size]
n = 0
folders = []
for top in range(40):
    folders.append(os.path.join(root, "top%02d" % top))
    folders.extend(os.path.join(root, "top%02d" % top, "sub%02d" % sub) for sub in range(49))
for folder in folders:
    os.makedirs(folder, exist_ok=True)
    for f in range(25):
        r = rnd.random()
        if r < 0.60:
            size = rnd.randrange(100, 3000)
        elif r < 0.95:
            size = rnd.randrange(3000, 12000)
        elif r < 0.998:
            size = rnd.randrange(12000, 64000)
        else:
            size = rnd.randrange(500000, 2000000)
        data = piece(rnd.choice(kinds), size)
        if n % 97 == 0:
            form = forms[(n // 97) % len(forms)]
            at = rnd.randrange(0, len(data))
            data = data[:at] + form + data[at:]
        with open(os.path.join(folder, "f%05d.%s" % (n, rnd.choice(exts))), "wb") as out:
            out.write(data)
        n += 1
PY
echo "tree: $(find "$tree" -type f | wc -l) files, $(find "$tree" -type d | wc -l) folders, $(du -sm "$tree" | cut -f1) MB"

# once CMD...: the wall time of one run, in nanoseconds.
once() {
    local start end
    start=$(date +%s%N)
    "$@" >/dev/null 2>&1 || true
    end=$(date +%s%N)
    echo $((end - start))
}
# pair NAME CMD_A... -- CMD_B...: the shortest wall times of $runs runs of
# each, alternated so that a change of load on the machine meets both, in
# seconds, into ${NAME}_a and ${NAME}_b.
pair() {
    local name=$1 a=() b=() best_a="" best_b="" t n=$runs
    shift
    # The name search takes some milliseconds: more runs for the same confidence.
    [[ $name == name ]] && n=$((runs * 3))
    while [[ $1 != -- ]]; do a+=("$1"); shift; done
    shift
    b=("$@")
    "${a[@]}" >/dev/null 2>&1 || true # warms the cache
    "${b[@]}" >/dev/null 2>&1 || true
    for ((i = 0; i < n; i++)); do
        t=$(once "${a[@]}")
        if [[ -z $best_a || $t -lt $best_a ]]; then best_a=$t; fi
        t=$(once "${b[@]}")
        if [[ -z $best_b || $t -lt $best_b ]]; then best_b=$t; fi
    done
    printf -v "${name}_a" '%s' "$(awk -v t="$best_a" 'BEGIN { printf "%.4f", t / 1e9 }')"
    printf -v "${name}_b" '%s' "$(awk -v t="$best_b" 'BEGIN { printf "%.4f", t / 1e9 }')"
}
ratio() { awk -v a="$1" -v b="$2" 'BEGIN { printf "%.2f", a / b }'; }

text="Искомая строка"
echo "name search --ext txt: quil-search $("$tool" "$tree" --subfolders --ext txt 2>/dev/null | tail -1), find $(find "$tree" -iname '*.txt' | wc -l) found"
echo "text search: quil-search $("$tool" "$tree" --subfolders --text "$text" 2>/dev/null | tail -1), grep $(LC_ALL=C grep -rliF "$text" "$tree" | wc -l) found (grep: the UTF-8 bytes only), with --dos $("$tool" "$tree" --subfolders --text "$text" --dos 2>/dev/null | tail -1)"

export LC_ALL=C # for grep; quil-search and find do not depend on it
pair name "$tool" "$tree" --subfolders --ext txt -- find "$tree" -iname '*.txt'
pair text "$tool" "$tree" --subfolders --text "$text" -- grep -rliF "$text" "$tree"
pair ascii "$tool" "$tree" --subfolders --text "search folder data" -- grep -rliF "search folder data" "$tree"
name_ours=$name_a name_find=$name_b text_ours=$text_a text_grep=$text_b ascii_ours=$ascii_a ascii_grep=$ascii_b
echo "name: quil-search ${name_ours}s, find -iname ${name_find}s"
echo "text (Cyrillic, CP1251 + UTF-8 forms): quil-search ${text_ours}s, LC_ALL=C grep -rliF ${text_grep}s"
echo "text (ASCII): quil-search ${ascii_ours}s, LC_ALL=C grep -rliF ${ascii_grep}s, ratio $(ratio "$ascii_ours" "$ascii_grep")"
echo "search_name_vs_find=$(ratio "$name_ours" "$name_find") search_text_vs_grep=$(ratio "$text_ours" "$text_grep")"

# The content search against ripgrep (rg -l -i -F, all cores) on a real tree,
# /usr/include, and on a generated one of large files; skipped without rg.
if ! command -v rg >/dev/null; then
    echo "rg not found (apt-get install ripgrep): search_text_vs_rg skipped"
    exit 0
fi
big=$tree/large
mkdir "$big"
python3 - "$big" <<'PY'
import os, random, sys
root = sys.argv[1]
rnd = random.Random(7)
words = "the of and to in is that for it as with was on be by this are or from at which an have not they".split()
line = lambda: " ".join(rnd.choice(words) for _ in range(12)) + "\n"
block = "".join(line() for _ in range(20000)).encode()
for i in range(16):
    data = block * ((24 << 20) // len(block))
    if i % 4 == 0:
        at = len(data) // 2
        data = data[:at] + "Искомая строка".encode() + data[at:]
    with open(os.path.join(root, "big%02d.txt" % i), "wb") as out:
        out.write(data)
PY
real=/usr/include
pair rg_real "$tool" "$real" --subfolders --text "$text" -- rg -l -i -F "$text" "$real"
pair rg_large "$tool" "$big" --subfolders --text "$text" -- rg -l -i -F "$text" "$big"
echo "text in $real: quil-search ${rg_real_a}s, rg -l -i -F ${rg_real_b}s; in $(du -sm "$big" | cut -f1) MB of large files: quil-search ${rg_large_a}s, rg ${rg_large_b}s"
echo "search_text_vs_rg=$(awk -v a="$rg_real_a" -v b="$rg_large_a" -v c="$rg_real_b" -v d="$rg_large_b" 'BEGIN { printf "%.2f", (a + b) / (c + d) }')"
