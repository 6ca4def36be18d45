#!/usr/bin/env bash
# Builds WinQEN with AddressSanitizer and UndefinedBehaviorSanitizer and runs every test.
set -euo pipefail
cd "$(dirname "$0")"
scripts/ensure-deps.sh
cmake -S . -B build/test -G Ninja -DCMAKE_BUILD_TYPE=Debug \
  -DWINQEN_SANITIZE=ON -DWINQEN_WERROR=ON -DWINQEN_BUILD_TESTS=ON -DWINQEN_BUILD_BENCH=ON
cmake --build build/test --parallel "$(nproc)"
export ASAN_OPTIONS=abort_on_error=1:detect_leaks=1
export UBSAN_OPTIONS=halt_on_error=1:print_stacktrace=1
ctest --test-dir build/test --output-on-failure --timeout 300 -j "$(nproc)"
