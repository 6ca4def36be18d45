#!/usr/bin/env bash
# Writes a small seed corpus for each fuzz target into the folder given (one subfolder
# per target): a few valid WAV and AIFF files of each sample format with metadata
# chunks (extensible and float WAV, AIFF-C, unfinished recordings, an SSND offset, a
# trailing tag), Sun audio files for the general library, design files, and
# complex-number texts.
set -euo pipefail
out=${1:?usage: make-seeds.sh FOLDER}
mkdir -p "$out"/{wav,aiff,sndfile,writer,design,cartesian,polar}

bytes() { for b in "$@"; do printf "\\x$(printf %02x "$((b & 255))")"; done; }
le16() { bytes "$1" "$(($1 >> 8))"; }
le32() { le16 "$(($1 & 65535))"; le16 "$(($1 >> 16))"; }
be16() { bytes "$(($1 >> 8))" "$1"; }
be32() { be16 "$(($1 >> 16))"; be16 "$(($1 & 65535))"; }
# A chunk: identifier, size, body from a file, pad byte after an odd body.
chunk() {
  local id=$1 size16=$2 body=$3 n
  n=$(wc -c <"$body")
  printf '%s' "$id"
  if [ "$size16" = le ]; then le32 "$n"; else be32 "$n"; fi
  cat "$body"
  if ((n % 2)); then bytes 0; fi
}
samples() { head -c "$1" /dev/urandom; }

tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT

for channels in 1 2 3; do
  for kind in 1:8 1:16 1:24 1:32 3:32 3:64 65534:16 65534:32; do
    tag=${kind%%:*}
    bits=${kind##*:}
    align=$((channels * bits / 8))
    {
      le16 "$tag"; le16 "$channels"; le32 8000; le32 $((8000 * align)); le16 "$align"; le16 "$bits"
      if [ "$tag" = 65534 ]; then
        le16 22; le16 "$bits"; le32 3; le16 $((bits == 32 ? 3 : 1))
        bytes 0 0 0 0 0x10 0 0x80 0 0 0xAA 0 0x38 0x9B 0x71
      fi
    } >"$tmp/fmt"
    printf 'INFOINAMx' >"$tmp/list"
    samples $((5 * align + 1)) >"$tmp/data"
    { printf WAVE; chunk JUNK le "$tmp/list"; chunk 'fmt ' le "$tmp/fmt"; chunk LIST le "$tmp/list"; chunk data le "$tmp/data"; chunk LIST le "$tmp/list"; } >"$tmp/body"
    { printf RIFF; le32 "$(wc -c <"$tmp/body")"; cat "$tmp/body"; } >"$out/wav/${tag}-${bits}bit-${channels}ch.wav"
  done
  # Never finished: sizes of 0, the data running to the end of the file.
  { printf RIFF; le32 0; printf WAVE; chunk 'fmt ' le "$tmp/fmt"; printf data; le32 0; cat "$tmp/data"; } >"$out/wav/unfinished-${channels}ch.wav"
  for type in NONE:16 sowt:16 fl32:32 FL64:64; do
    name=${type%%:*}
    bits=${type##*:}
    { be16 "$channels"; be32 5; be16 "$bits"; bytes 0x40 0x0B 0xFA 0 0 0 0 0 0 0; printf '%s' "$name"; bytes 0 0; } >"$tmp/comm"
    { be32 0; be32 0; samples $((5 * channels * bits / 8 + 1)); } >"$tmp/ssnd"
    printf 'x' >"$tmp/fver"
    { printf AIFC; chunk FVER be "$tmp/fver"; chunk COMM be "$tmp/comm"; chunk SSND be "$tmp/ssnd"; chunk 'ID3 ' be "$tmp/fver"; } >"$tmp/body"
    { printf FORM; be32 "$(wc -c <"$tmp/body")"; cat "$tmp/body"; } >"$out/aiff/${name}-${channels}ch.aifc"
  done
  for bits in 8 16 24 32; do
    { be16 "$channels"; be32 5; be16 "$bits"; bytes 0x40 0x0B 0xFA 0 0 0 0 0 0 0; } >"$tmp/comm"
    printf 'noise' >"$tmp/name"
    { be32 0; be32 0; samples $((5 * channels * bits / 8 + 1)); } >"$tmp/ssnd"
    { printf AIFF; chunk SSND be "$tmp/ssnd"; chunk NAME be "$tmp/name"; chunk COMM be "$tmp/comm"; } >"$tmp/body"
    { printf FORM; be32 "$(wc -c <"$tmp/body")"; cat "$tmp/body"; } >"$out/aiff/${bits}bit-${channels}ch.aiff"
  done
done

# An SSND offset, and a WAV file with an ID3v1 tag after its data.
{ be16 2; be32 5; be16 16; bytes 0x40 0x0B 0xFA 0 0 0 0 0 0 0; } >"$tmp/comm"
{ be32 3; be32 0; printf 'abc'; samples 20; } >"$tmp/ssnd"
{ printf AIFF; chunk COMM be "$tmp/comm"; chunk SSND be "$tmp/ssnd"; } >"$tmp/body"
{ printf FORM; be32 "$(wc -c <"$tmp/body")"; cat "$tmp/body"; } >"$out/aiff/ssnd-offset.aiff"
{ cat "$out/wav/1-16bit-2ch.wav"; printf TAG; head -c 125 /dev/zero; } >"$out/wav/id3v1.wav"
# Sun audio: 16-bit linear, mu-law and 32-bit float, for the general library.
for encoding in 3 1 6; do
  { printf .snd; be32 24; be32 40; be32 "$encoding"; be32 8000; be32 2; samples 40; } >"$out/sndfile/$encoding.au"
done
cp "$out"/wav/*.wav "$out"/aiff/* "$out/sndfile/"
cp "$out"/sndfile/* "$out/writer/"

here=$(dirname "$0")
cp "$here/../examples/lowpass.pzd" "$out/design/"
printf 'VERSION=2.000000\nDESIGN=ZPlane\nPOLECOUNT=2\nZEROCOUNT=1\nP0=0.900000, 0.300000, 1\nP1=-0.500000, 0.000000, 0\nZ0=0.000000, 1.000000, 1\n' >"$out/design/pairs.pzd"
printf 'version=2\nPOLECOUNT=0\nZEROCOUNT=1\nZ0=1e308, -1e308, 0\n' >"$out/design/noncausal.pzd"
printf 'VERSION=2\nDESIGN=ZPlane\nSPEC=bandstop;500:2500;1000:2000;1;40\nPOLECOUNT=2\nZEROCOUNT=2\nP0=0.9, 0.3, 1\nZ0=1, 0, 0\nZ1=0.5, 0.866, 0\n' >"$out/design/requirement.pzd"

i=0
for text in '2 + 3j' '3j - 2' '-3i' '5' '1e-3 - 4.5e2j' '2 3j' 'j'; do
  printf '%s' "$text" >"$out/cartesian/$((i++))"
done
for text in '1 45' '2, 90 degrees' '0.5 < 3.14159 rad' '1e3 -720'; do
  printf '%s' "$text" >"$out/polar/$((i++))"
done
