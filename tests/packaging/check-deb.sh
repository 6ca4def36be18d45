#!/usr/bin/env bash
# Builds the Debian package from a configured and built tree, then checks its control
# data and file list, unpacks it into a scratch root and runs the tools from there.
set -euo pipefail
build=$1
want_gui=$2
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT

cpack --config "$build/CPackConfig.cmake" -B "$scratch/out" >/dev/null
deb=$(ls "$scratch"/out/winqen_*.deb)

fail() { echo "FAIL: $*" >&2; exit 1; }

files=$(dpkg-deb -c "$deb" | awk '{print $6}')
expect=(./usr/bin/qen ./usr/share/man/man1/qen.1 ./usr/share/mime/packages/winqen.xml)
if [ "$want_gui" = ON ]; then
  expect+=(./usr/bin/winqen ./usr/share/applications/winqen.desktop
           ./usr/share/icons/hicolor/32x32/apps/winqen.png)
fi
for f in "${expect[@]}"; do
  grep -qx -- "$f" <<<"$files" || fail "package lacks $f"
done

depends=$(dpkg-deb -f "$deb" Depends)
for d in libqt6widgets6 libqt6gui6 libqt6core6 qt6-qpa-plugins libsndfile1 libportaudio2 libsamplerate0; do
  grep -q "$d" <<<"$depends" || fail "Depends lacks $d: $depends"
done
[ "$(dpkg-deb -f "$deb" Package)" = winqen ] || fail "wrong package name"

dpkg-deb -x "$deb" "$scratch/root"
"$scratch/root/usr/bin/qen" --version | grep -q 'qen' || fail "unpacked qen does not run"
if command -v desktop-file-validate >/dev/null && [ "$want_gui" = ON ]; then
  desktop-file-validate "$scratch/root/usr/share/applications/winqen.desktop" ||
    fail "desktop entry does not validate"
fi
if command -v xmllint >/dev/null; then
  xmllint --noout "$scratch/root/usr/share/mime/packages/winqen.xml" || fail "mime type is not XML"
fi
echo "package OK: $(basename "$deb")"
