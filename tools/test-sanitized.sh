#!/bin/sh
# Builds the program and its tests with AddressSanitizer, LeakSanitizer and
# UndefinedBehaviorSanitizer into build-asan/ and runs every test there. Any
# report fails the test it came from.
set -eu
cd "$(dirname "$0")/.."
top=$(pwd)
tools/deps.sh
cmake -S . -B build-asan -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DKV_SANITIZE=ON -DKV_BUILD_TESTS=ON >/dev/null
cmake --build build-asan --parallel "${KV_JOBS:-$(nproc)}"
export ASAN_OPTIONS="detect_leaks=1:check_initialization_order=1:strict_init_order=1:detect_stack_use_after_return=1:abort_on_error=1"
export LSAN_OPTIONS="suppressions=$top/tools/lsan-suppressions.txt:print_suppressions=0"
export UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1"
cd build-asan
QT_QPA_PLATFORM=offscreen ctest --output-on-failure --parallel "${KV_JOBS:-$(nproc)}"
