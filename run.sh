#!/usr/bin/env bash
# Builds WinQEN in release mode and starts the desktop program.
set -euo pipefail
cd "$(dirname "$0")"
scripts/ensure-deps.sh
cmake -S . -B build/release -G Ninja -DCMAKE_BUILD_TYPE=Release -DWINQEN_BUILD_TESTS=OFF
cmake --build build/release
if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
  echo "No display to show winqen on; run it on a virtual one with: xvfb-run -a build/release/ui/winqen"
  exit 1
fi
exec build/release/ui/winqen
