#!/usr/bin/env bash
# Opening a large photograph: the viewer's loader decodes a 6000 x 4000 JPEG
# for a 617 x 464 area; the baseline is djpeg decoding the same file at full
# size, in the same run. Prints picture_vs_djpeg=<ratio> last (target: <= 1).
# Usage: bench/picture.sh [build folder]   (default: build)
set -euo pipefail
here="$(cd "$(dirname "$0")" && pwd)"
build="${1:-$here/../build}"
tool="$build/bench/bench_picture"
runs="${RUNS:-5}"

command -v djpeg >/dev/null || { echo "djpeg missing: install libjpeg-turbo-progs" >&2; exit 1; }
cmake --build "$build" --target bench_picture >/dev/null

work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
photo="$work/photo 6000x4000.jpg"
"$tool" make "$photo" 6000 4000
echo "photo: $(stat -c %s "$photo") bytes"
"$tool" decode "$photo" 617 464

# Best of $runs wall-clock runs of a command, in nanoseconds.
best() {
  local best_ns=0
  for _ in $(seq "$runs"); do
    local start end
    start=$(date +%s%N)
    "$@" >/dev/null
    end=$(date +%s%N)
    local ns=$((end - start))
    if [ "$best_ns" -eq 0 ] || [ "$ns" -lt "$best_ns" ]; then best_ns=$ns; fi
  done
  echo "$best_ns"
}

ours=$(best "$tool" decode "$photo" 617 464)
theirs=$(best djpeg -outfile /dev/null "$photo")
echo "loader (617x464 area): $((ours / 1000000)) ms"
echo "djpeg (full size):     $((theirs / 1000000)) ms"
awk -v a="$ours" -v b="$theirs" 'BEGIN { printf "picture_vs_djpeg=%.3f\n", a / b }'
