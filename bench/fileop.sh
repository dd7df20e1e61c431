#!/usr/bin/env bash
# Copies one 1 GiB file and a tree of 20,000 small files with quil-fileop and
# with cp -a in the same run, in rounds of one run each, their order
# alternating. The ratio of a workload is the median over the rounds of the
# round's quil-fileop time over its cp time: runs side by side see the same
# load, which on a shared machine varies far more than the tools do. CPU time
# (user + system) is shown beside it. Prints fileop_file_vs_cp=<ratio> (the
# 1 GiB file) and fileop_tree_vs_cp=<ratio> (the tree), then
# fileop_copy_vs_cp=<ratio> (the worse of the two) last.
#   bench/fileop.sh [path/to/quil-fileop]
# BENCH_DIR: where to work; by default a fresh ext4 image mounted under /tmp
# when run as root, otherwise /tmp itself.
set -euo pipefail
cd "$(dirname "$0")/.."
tool=${1:-build/src/platform/fileop/quil-fileop}
if [ ! -x "$tool" ]; then
  cmake --build build --target quil-fileop >/dev/null
fi
tool=$(realpath "$tool")

source bench/work_folder.sh
make_work_folder quil-fileop-bench 6G
mkdir "$work/big" "$work/tree"
head -c $((1024 * 1024 * 1024)) /dev/urandom >"$work/big/file.bin"
content=$(head -c 3000 /dev/urandom | base64 -w0)
for d in $(seq -w 0 99); do
  mkdir "$work/tree/dir$d"
  for f in $(seq -w 0 199); do
    printf '%s' "${content:0:$((500 + 10#$f * 10))}" >"$work/tree/dir$d/file$f.txt"
  done
done
# Both tools read from the page cache.
cat "$work/big/file.bin" >/dev/null
find "$work/tree" -type f -exec cat {} + >/dev/null

# time_one OUT COMMAND...: runs the copy into the fresh folder OUT and prints
# its wall-clock seconds and its CPU seconds (user + system).
# Outputs are removed only after a workload's rounds: on ext4 the cost of a
# removal is partly paid by whatever creates files next.
time_one() {
  local out=$1
  shift
  mkdir "$out"
  sync
  local TIMEFORMAT='%R %U %S' measured
  measured=$({ time "$@" "$out" >/dev/null; } 2>&1)
  [ "$keep" = yes ] || rm -rf "$out"
  echo "$measured" | awk '{ printf "%.3f %.3f\n", $1, $2 + $3 }'
}
cp_run() { cp -a "$1" "$2/"; }
quil_run() { "$tool" copy "$1" --to "$2"; }

median() { printf '%s\n' "$@" | sort -g | awk '{ v[NR] = $1 } END { print (NR % 2) ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2 }'; }

for workload in big tree; do
  keep=no rounds=7
  [ "$workload" = tree ] && keep=yes
  # One untimed run of each first.
  time_one "$work/warm-cp" cp_run "$work/$workload" >/dev/null
  time_one "$work/warm-quil" quil_run "$work/$workload" >/dev/null
  cp_times=() quil_times=() ratios=() cpu_ratios=()
  for round in $(seq 1 "$rounds"); do
    if [ $((round % 2)) -eq 1 ]; then
      c=$(time_one "$work/out-cp-$round" cp_run "$work/$workload")
      q=$(time_one "$work/out-quil-$round" quil_run "$work/$workload")
    else
      q=$(time_one "$work/out-quil-$round" quil_run "$work/$workload")
      c=$(time_one "$work/out-cp-$round" cp_run "$work/$workload")
    fi
    read -r c_wall c_cpu <<<"$c"
    read -r q_wall q_cpu <<<"$q"
    cp_times+=("$c_wall") quil_times+=("$q_wall")
    ratios+=("$(echo "$q_wall / $c_wall" | bc -l)")
    cpu_ratios+=("$(echo "($q_cpu + 0.001) / ($c_cpu + 0.001)" | bc -l)")
  done
  rm -rf "$work"/warm-* "$work"/out-*
  ratio=$(median "${ratios[@]}")
  printf '%s: wall cp -a %s s, quil-fileop %s s (medians; rounds cp %s / quil %s), ratio %.3f; CPU ratio %.3f\n' \
    "$workload" "$(median "${cp_times[@]}")" "$(median "${quil_times[@]}")" "${cp_times[*]}" "${quil_times[*]}" \
    "$ratio" "$(median "${cpu_ratios[@]}")"
  eval "ratio_$workload=$ratio"
done
printf 'fileop_file_vs_cp=%.3f\n' "$ratio_big"
printf 'fileop_tree_vs_cp=%.3f\n' "$ratio_tree"
worse=$(printf '%s\n%s\n' "$ratio_big" "$ratio_tree" | sort -g | tail -1)
printf 'fileop_copy_vs_cp=%.3f\n' "$worse"
