#!/usr/bin/env bash
# Builds QUIL and starts it.
set -euo pipefail
cd "$(dirname "$0")"
scripts/install-deps.sh
cmake -S . -B build-run -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DQUIL_TESTS=OFF -DQUIL_BENCH=OFF >/dev/null
cmake --build build-run -j2 --target quil
if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ] && [ -z "${QT_QPA_PLATFORM:-}" ]; then
  echo "run.sh: no display (DISPLAY and WAYLAND_DISPLAY are unset); start it under xvfb-run or set QT_QPA_PLATFORM=offscreen." >&2
  exit 1
fi
exec build-run/src/quil "$@"
