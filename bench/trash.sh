#!/usr/bin/env bash
# Moves 20,000 files of one folder to the trash with quil-fileop (which
# journals them for undo, as the program does) and with gio trash, in the
# same run, in rounds of one run each, their order alternating. Each run
# gets a fresh trash (HOME and XDG_DATA_HOME of its own): a trash that fills
# from round to round makes later names cost more. The ratio is the median
# over the rounds of the round's quil-fileop time over its gio time; CPU
# time (user + system) is shown beside it. Prints trash_vs_gio=<ratio> last.
#   bench/trash.sh [path/to/quil-fileop]
# BENCH_FILES: how many files (20000); BENCH_DIR: where to work; by default a
# fresh ext4 image mounted under /tmp when run as root, otherwise /tmp itself.
set -euo pipefail
cd "$(dirname "$0")/.."
tool=${1:-build/src/platform/fileop/quil-fileop}
if [ ! -x "$tool" ]; then
  cmake --build build --target quil-fileop >/dev/null
fi
tool=$(realpath "$tool")
command -v gio >/dev/null || { echo "gio is missing (Debian libglib2.0-bin)" >&2; exit 1; }
files=${BENCH_FILES:-20000}

source bench/work_folder.sh
# Every run's files and their .trashinfo files (a block each) stay until
# the end: room and inodes for all of them.
make_work_folder quil-trash-bench $((files * 24 * 4096 * 3 / 2 + 512 * 1024 * 1024)) -N $((files * 26 + 10000))

# time_one NAME COMMAND...: makes the folder NAME of $files files, moves them
# to a fresh trash with the command (run inside the folder, given the
# names) and prints its wall-clock seconds and its CPU seconds.
time_one() {
  local name=$1
  shift
  mkdir "$work/$name" "$work/$name-home"
  (cd "$work/$name" && seq -f "file%05g.txt" 0 $((files - 1)) | xargs touch)
  sync
  local TIMEFORMAT='%R %U %S' measured left
  measured=$({ time (cd "$work/$name" && HOME="$work/$name-home" XDG_DATA_HOME="$work/$name-home/.local/share" \
    "$@" file*.txt >/dev/null); } 2>&1)
  left=$(find "$work/$name" -mindepth 1 | wc -l)
  if [ "$left" -ne 0 ]; then
    echo "$* left $left files" >&2
    exit 1
  fi
  echo "$measured" | awk '{ printf "%.3f %.3f\n", $1, $2 + $3 }'
}
quil_run() { "$tool" trash "$@"; }
gio_run() { gio trash "$@"; }

median() { printf '%s\n' "$@" | sort -g | awk '{ v[NR] = $1 } END { print (NR % 2) ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2 }'; }

rounds=5 # with the two untimed runs, 12 runs: the image above holds them all
# One untimed run of each first.
time_one warm-gio gio_run >/dev/null
time_one warm-quil quil_run >/dev/null
gio_times=() quil_times=() ratios=() cpu_ratios=()
for round in $(seq 1 "$rounds"); do
  if [ $((round % 2)) -eq 1 ]; then
    g=$(time_one "gio-$round" gio_run)
    q=$(time_one "quil-$round" quil_run)
  else
    q=$(time_one "quil-$round" quil_run)
    g=$(time_one "gio-$round" gio_run)
  fi
  read -r g_wall g_cpu <<<"$g"
  read -r q_wall q_cpu <<<"$q"
  gio_times+=("$g_wall") quil_times+=("$q_wall")
  ratios+=("$(echo "$q_wall / $g_wall" | bc -l)")
  cpu_ratios+=("$(echo "($q_cpu + 0.001) / ($g_cpu + 0.001)" | bc -l)")
done
ratio=$(median "${ratios[@]}")
printf '%s files: wall gio trash %s s, quil-fileop trash %s s (medians; rounds gio %s / quil %s), ratio %.3f; CPU ratio %.3f\n' \
  "$files" "$(median "${gio_times[@]}")" "$(median "${quil_times[@]}")" "${gio_times[*]}" "${quil_times[*]}" \
  "$ratio" "$(median "${cpu_ratios[@]}")"
printf 'trash_vs_gio=%.3f\n' "$ratio"
