#!/usr/bin/env bash
# Installs the Debian packages that building, running and testing WinQEN need (Qt 6 and
# a font for the desktop program and its tests, PortAudio for playing sound and
# libsamplerate for playing it at a rate the device takes, CLI11 for qen's command
# lines, nlohmann-json for the JSON coefficients qen import reads, Xvfb to run it
# without a display), and the comma-decimal locale the tests switch to. Does nothing
# for what is already there.
set -euo pipefail

packages=(
  cmake ninja-build g++ pkg-config
  libgtest-dev libgmock-dev libbenchmark-dev
  libsndfile1-dev portaudio19-dev libsamplerate0-dev libcli11-dev nlohmann-json3-dev
  locales
  qt6-base-dev fonts-dejavu-core
  xvfb xauth xdotool xclip imagemagick
)

missing=()
for p in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed'; then
    missing+=("$p")
  fi
done

as_root() {
  if [ "$(id -u)" -eq 0 ]; then "$@"; else sudo "$@"; fi
}

if [ ${#missing[@]} -gt 0 ]; then
  echo "Installing: ${missing[*]}"
  as_root apt-get update -qq
  as_root env DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi

# The tests prove that files stay exact under a locale whose decimal point is a comma.
if ! locale -a 2>/dev/null | grep -qi '^de_DE\.utf-\?8$'; then
  as_root localedef -i de_DE -f UTF-8 de_DE.UTF-8
fi
