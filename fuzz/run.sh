#!/usr/bin/env bash
# Builds the fuzz targets with clang (libFuzzer, AddressSanitizer and
# UndefinedBehaviorSanitizer) and runs each for SECONDS (60 by default), one after the
# other, on a corpus kept in build/fuzz/corpus and grown from fuzz/make-seeds.sh.
# Naming targets after SECONDS runs only those. Inputs that fail land in
# build/fuzz/artifacts; the script stops at the first.
set -euo pipefail
cd "$(dirname "$0")/.."
seconds=${1:-60}
shift || true
scripts/ensure-deps.sh
if ! command -v clang++ >/dev/null || ! ls /usr/lib/llvm-*/lib/clang/*/lib/linux/libclang_rt.fuzzer-x86_64.a >/dev/null 2>&1; then
  if [ "$(id -u)" -eq 0 ]; then sudo=(); else sudo=(sudo); fi
  "${sudo[@]}" apt-get update -qq
  "${sudo[@]}" env DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends clang libclang-rt-dev
fi
cmake -S . -B build/fuzz -G Ninja -DCMAKE_CXX_COMPILER=clang++ -DCMAKE_BUILD_TYPE=Release \
  -DWINQEN_SANITIZE=ON -DWINQEN_BUILD_FUZZ=ON -DWINQEN_BUILD_TESTS=OFF -DWINQEN_BUILD_GUI=OFF >/dev/null
cmake --build build/fuzz
fuzz/make-seeds.sh build/fuzz/seeds
mkdir -p build/fuzz/artifacts
# The design loader's inputs and the writer's outputs go through files; a memory-backed
# folder keeps that fast.
if [ -w /dev/shm ]; then export TMPDIR=/dev/shm; fi
for pair in WAVReaderFuzz:wav AIFFReaderFuzz:aiff SndFileReaderFuzz:sndfile WriterFuzz:writer \
  DesignFileFuzz:design \
  CartesianParserFuzz:cartesian PolarParserFuzz:polar; do
  target=${pair%%:*}
  seeds=${pair##*:}
  if [ $# -gt 0 ] && [[ " $* " != *" $target "* ]]; then
    continue
  fi
  mkdir -p "build/fuzz/corpus/$seeds"
  echo "== $target for $seconds s"
  # No input of at most 4 KiB may make a reader allocate anything near 64 MiB.
  status=0
  "build/fuzz/fuzz/$target" "build/fuzz/corpus/$seeds" "build/fuzz/seeds/$seeds" \
    -max_total_time="$seconds" -max_len=4096 -malloc_limit_mb=32 -rss_limit_mb=1024 \
    -timeout=10 -artifact_prefix=build/fuzz/artifacts/ -print_final_stats=1 \
    >"build/fuzz/$target.log" 2>&1 || status=$?
  grep -E '^(stat::number_of_executed_units|stat::peak_rss_mb|SUMMARY)' "build/fuzz/$target.log" || true
  if [ "$status" -ne 0 ]; then
    echo "$target found a failure; see build/fuzz/$target.log" >&2
    exit 1
  fi
done
