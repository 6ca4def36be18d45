#!/usr/bin/env bash
# Builds the benchmarks in release mode and runs them; extra arguments go to the
# benchmark program (for example --benchmark_filter=FreqResponse).
set -euo pipefail
cd "$(dirname "$0")"
scripts/ensure-deps.sh
cmake -S . -B build/bench -G Ninja -DCMAKE_BUILD_TYPE=Release -DWINQEN_BUILD_TESTS=OFF \
  -DWINQEN_BUILD_BENCH=ON
cmake --build build/bench --target qen_bench
build/bench/bench/qen_bench "$@"
