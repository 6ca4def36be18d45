#!/usr/bin/env bash
# Builds WinQEN in release mode and runs it.
set -euo pipefail
cd "$(dirname "$0")"
scripts/ensure-deps.sh
cmake -S . -B build/release -G Ninja -DCMAKE_BUILD_TYPE=Release -DWINQEN_BUILD_TESTS=OFF
cmake --build build/release
design=examples/lowpass.pzd
echo "\$ qen info $design"
build/release/cli/qen info "$design"
echo "\$ qen hz $design"
build/release/cli/qen hz "$design"
