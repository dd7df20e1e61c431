#!/usr/bin/env bash
# Builds QUIL and runs the whole test suite, then the same suite built with
# AddressSanitizer and UndefinedBehaviorSanitizer, and runs the picture readers
# briefly under libFuzzer. Exit status is the suite's.
set -euo pipefail
cd "$(dirname "$0")"
scripts/install-deps.sh

export QT_QPA_PLATFORM=offscreen

echo "== Test build =="
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DQUIL_TESTS=ON -DQUIL_BENCH=ON -DQUIL_WERROR=ON >/dev/null
cmake --build build -j2
ctest --test-dir build -j2 --output-on-failure

echo "== AddressSanitizer + UndefinedBehaviorSanitizer build =="
cmake -S . -B build-asan -G Ninja -DCMAKE_BUILD_TYPE=Debug -DCMAKE_CXX_FLAGS_DEBUG="-O1 -g" \
  -DQUIL_TESTS=ON -DQUIL_BENCH=OFF -DQUIL_SANITIZE=ON -DQUIL_WERROR=ON >/dev/null
cmake --build build-asan -j2
ASAN_OPTIONS=detect_leaks=0:abort_on_error=1 UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
  ctest --test-dir build-asan -j2 --output-on-failure

echo "== Picture readers under libFuzzer (brief runs) =="
CC=clang CXX=clang++ cmake -S . -B build-fuzz -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DQUIL_TESTS=ON -DQUIL_BENCH=OFF -DQUIL_FUZZ=ON >/dev/null
cmake --build build-fuzz -j2 --target picture_fuzz_jpeg picture_fuzz_png picture_fuzz_gif picture_fuzz_bmp \
  picture_fuzz_ico picture_fuzz_wmf
ctest --test-dir build-fuzz -R picture_fuzz --output-on-failure
