#!/bin/sh
# Enumerates a folder of 100,000 entries through the namespace and times
# `ls -f` on the same folder in the same run (warm cache, medians of 7).
# The last line is enumerate_vs_ls_f=<ratio>.
set -eu
here=$(cd "$(dirname "$0")/.." && pwd)
build=${BUILD_DIR:-$here/build}
if [ ! -f "$build/build.ninja" ] && [ ! -f "$build/Makefile" ]; then
    cmake -S "$here" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
fi
cmake --build "$build" --target bench_enumerate >/dev/null
folder=$(mktemp -d "${TMPDIR:-/tmp}/quil-bench-XXXXXX")
trap 'rm -rf "$folder"' EXIT
"$build/bench/bench_enumerate" "$folder" 100000 7
