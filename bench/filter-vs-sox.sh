#!/usr/bin/env bash
# Times `qen filter` against sox on three jobs: ten minutes of 44.1 kHz stereo 16-bit
# noise (goal: qen takes at most 0.35 of sox's time), the same in q15 fixed point
# (`--arith q15`, goal: at most 0.5), and five minutes of 96 kHz stereo 24-bit noise
# (goal: at most 0.5), each through a design of four conjugate pole pairs and four
# conjugate zero pairs. sox runs the same filter as four biquad sections, each scaled to
# unit peak gain so that it does not clip between effects, with the scales and the
# design's peak gain folded into a final vol. Prints the best time of each over RUNS
# runs (3 by default) and the ratio qen/sox. SECONDS_SCALE (1 by default) shortens the
# files for a quick look.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/ensure-deps.sh
if ! command -v sox >/dev/null; then
  if [ "$(id -u)" -eq 0 ]; then sudo=(); else sudo=(sudo); fi
  "${sudo[@]}" apt-get update -qq
  "${sudo[@]}" env DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends sox
fi
cmake -S . -B build/release -G Ninja -DCMAKE_BUILD_TYPE=Release -DWINQEN_BUILD_TESTS=OFF >/dev/null
cmake --build build/release --target qen >/dev/null
qen=build/release/cli/qen
runs=${RUNS:-3}

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

# Pole and zero pairs as magnitude and angle in radians.
poles="0.90 0.20  0.85 0.70  0.80 1.40  0.75 2.30"
zeros="1.00 0.45  1.00 1.05  1.00 1.90  1.00 2.80"

# The design file, the sox effects and the vol factor. The peak gain is qen's: the
# largest |H| from 0 to pi, here on a grid of 100000 steps, fine enough for these
# wide resonances.
awk -v poles="$poles" -v zeros="$zeros" -v pzd="$work/design.pzd" -v fx="$work/effects" '
function absquad(m, t, w,   re, im) {
  # |1 - 2 m cos(t) e^-jw + m^2 e^-2jw|
  re = 1 - 2 * m * cos(t) * cos(w) + m * m * cos(2 * w)
  im = 2 * m * cos(t) * sin(w) - m * m * sin(2 * w)
  return sqrt(re * re + im * im)
}
BEGIN {
  np = split(poles, p, " "); nz = split(zeros, z, " "); n = np / 2
  pi = 3.141592653589793
  print "VERSION=2.000000\nDESIGN=ZPlane\nPOLECOUNT=" n "\nZEROCOUNT=" n > pzd
  for (k = 0; k < n; k++) {
    printf "P%d=%.6f, %.6f, 1\n", k, p[2*k+1] * cos(p[2*k+2]), p[2*k+1] * sin(p[2*k+2]) > pzd
  }
  for (k = 0; k < n; k++) {
    printf "Z%d=%.6f, %.6f, 1\n", k, z[2*k+1] * cos(z[2*k+2]), z[2*k+1] * sin(z[2*k+2]) > pzd
  }
  # The design file keeps six decimals; the sections use the same rounded roots.
  for (k = 0; k < n; k++) {
    pr[k] = sprintf("%.6f", p[2*k+1] * cos(p[2*k+2])) + 0; pi_[k] = sprintf("%.6f", p[2*k+1] * sin(p[2*k+2])) + 0
    zr[k] = sprintf("%.6f", z[2*k+1] * cos(z[2*k+2])) + 0; zi[k] = sprintf("%.6f", z[2*k+1] * sin(z[2*k+2])) + 0
    pm[k] = sqrt(pr[k] * pr[k] + pi_[k] * pi_[k]); pt[k] = atan2(pi_[k], pr[k])
    zm[k] = sqrt(zr[k] * zr[k] + zi[k] * zi[k]); zt[k] = atan2(zi[k], zr[k])
  }
  peak = 0; product = 1
  for (i = 0; i <= 100000; i++) {
    w = i * pi / 100000; h = 1
    for (k = 0; k < n; k++) h *= absquad(zm[k], zt[k], w) / absquad(pm[k], pt[k], w)
    if (h > peak) peak = h
  }
  for (k = 0; k < n; k++) {
    sp = 0
    for (i = 0; i <= 4096; i++) {
      w = i * pi / 4096; h = absquad(zm[k], zt[k], w) / absquad(pm[k], pt[k], w)
      if (h > sp) sp = h
    }
    g = 1 / sp; product *= g
    printf "biquad %.12g %.12g %.12g 1 %.12g %.12g ", g, -2 * zr[k] * g, (zm[k] * zm[k]) * g, -2 * pr[k], pm[k] * pm[k] > fx
  }
  printf "vol %.12g\n", 1 / (peak * product) > fx
}'

read -r -a effects <"$work/effects"

now() { date +%s.%N; }
since() { awk -v a="$1" -v b="$(now)" 'BEGIN { print b - a }'; }

# bench NAME RATE BITS SECONDS GOAL [ARITHMETIC]
bench() {
  local name=$1 in="$work/in.wav" best_qen= best_sox= t t2
  local seconds arith=()
  seconds=$(awk -v s="$4" -v k="${SECONDS_SCALE:-1}" 'BEGIN { print s * k }')
  if [ -n "${6:-}" ]; then arith=(--arith "$6"); fi
  sox -D -n -r "$2" -c 2 -b "$3" "$in" synth "$seconds" whitenoise vol 0.5
  echo "== $name"
  for ((i = 1; i <= runs; i++)); do
    # Both replace their output; freeing the old one's blocks is no part of the job.
    rm -f "$work/qen.wav" "$work/sox.wav"
    start=$(now)
    "$qen" filter "$work/design.pzd" "$in" "$work/qen.wav" --quiet "${arith[@]}"
    t=$(since "$start")
    start=$(now)
    sox -D "$in" "$work/sox.wav" "${effects[@]}" 2>/dev/null
    t2=$(since "$start")
    printf 'run %d: qen %.3f s, sox %.3f s\n' "$i" "$t" "$t2"
    best_qen=$(awk -v a="$t" -v b="$best_qen" 'BEGIN { print (b == "" || a < b) ? a : b }')
    best_sox=$(awk -v a="$t2" -v b="$best_sox" 'BEGIN { print (b == "" || a < b) ? a : b }')
  done
  difference=$(sox -m -v 1 "$work/qen.wav" -v -1 "$work/sox.wav" -n stat 2>&1 |
    awk '/Maximum amplitude/ { print $3 }')
  printf 'best: qen %.3f s, sox %.3f s\n' "$best_qen" "$best_sox"
  printf 'largest difference between the outputs: %s of full scale\n' "$difference"
  awk -v q="$best_qen" -v s="$best_sox" -v g="$5" \
    'BEGIN { printf "ratio qen/sox: %.3f (goal: at most %s)\n", q / s, g }'
  rm -f "$in"
}

bench "44.1 kHz 16-bit stereo, 10 minutes" 44100 16 600 0.35
bench "44.1 kHz 16-bit stereo, 10 minutes, q15" 44100 16 600 0.5 q15
bench "96 kHz 24-bit stereo, 5 minutes" 96000 24 300 0.5
