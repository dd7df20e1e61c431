#!/usr/bin/env bash
# Builds QUIL and runs the whole test suite, then the same suite built with
# AddressSanitizer, UndefinedBehaviorSanitizer and LeakSanitizer, the threaded
# engines under ThreadSanitizer, and runs the picture readers
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
ASAN_OPTIONS=detect_leaks=1:abort_on_error=1 LSAN_OPTIONS=suppressions="$PWD/tests/lsan.supp" \
  UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 ctest --test-dir build-asan -j2 --output-on-failure

echo "== ThreadSanitizer: the threaded engines (file operation, search, folder sizes, panel sort) =="
cmake -S . -B build-tsan -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DQUIL_TESTS=ON -DQUIL_BENCH=OFF -DQUIL_TSAN=ON \
  >/dev/null
cmake --build build-tsan -j2 --target platform_fileop_test search_engine_test search_tool_test quil-search \
  fileops_marks_logic_test fileops_panel_folder_test
# Qt itself is not instrumented, so its window tests would only report its own internals.
for test in search/search_engine_test search/search_tool_test fileops/fileops_marks_logic_test \
  fileops/fileops_panel_folder_test; do
  TSAN_OPTIONS=halt_on_error=1 "build-tsan/tests/$test"
done
# Some file-operation tests start tools (mkfs, mount, setfacl) through QProcess,
# whose child runs in uninstrumented Qt; ThreadSanitizer then misreads the
# locking that follows in the same process, so each test gets a process of its own.
fileop_test=build-tsan/tests/platform/fileop/platform_fileop_test
for name in $("$fileop_test" --gtest_list_tests | awk '/^[^ ]/ { suite = $1; next } { print suite $1 }'); do
  if ! report=$(TSAN_OPTIONS=halt_on_error=1 "$fileop_test" --gtest_filter="$name" 2>&1); then
    echo "$report"
    echo "ThreadSanitizer: $name failed"
    exit 1
  fi
done
echo "ThreadSanitizer: every file-operation test passed in a process of its own"

echo "== Picture readers under libFuzzer (brief runs) =="
CC=clang CXX=clang++ cmake -S . -B build-fuzz -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DQUIL_TESTS=ON -DQUIL_BENCH=OFF -DQUIL_FUZZ=ON >/dev/null
cmake --build build-fuzz -j2 --target picture_fuzz_jpeg picture_fuzz_png picture_fuzz_gif picture_fuzz_bmp \
  picture_fuzz_ico picture_fuzz_wmf
ctest --test-dir build-fuzz -R picture_fuzz --output-on-failure
