#!/usr/bin/env bash
# Makes the Debian package from the build folder and reads it back: its
# dependencies found from the executable, and the installed files under /usr.
set -euo pipefail
build=$1
work=$(mktemp -d /tmp/quil-deb.XXXXXX)
trap 'rm -rf "$work"' EXIT

cpack -G DEB --config "$build/CPackConfig.cmake" -B "$work" >/dev/null
deb=$(ls "$work"/quil_*_*.deb)
[ "$(dpkg-deb -f "$deb" Package)" = quil ] || { echo "wrong package name"; exit 1; }
depends=$(dpkg-deb -f "$deb" Depends)
for needed in libqt6widgets6 libglib2.0-0 libjpeg62-turbo libpng16-16 libgif7 qt6-qpa-plugins; do
  grep -q "$needed" <<<"$depends" || { echo "Depends lacks $needed: $depends"; exit 1; }
done
contents=$(dpkg-deb -c "$deb" | awk '{print $6}')
for file in ./usr/bin/quil ./usr/share/applications/quil.desktop ./usr/share/metainfo/io.github.quil.Quil.metainfo.xml \
  ./usr/share/icons/hicolor/scalable/apps/quil.svg ./usr/share/man/man1/quil.1 ./usr/share/man/ru/man1/quil.1 \
  ./usr/share/quil/hquil.chm; do
  grep -qx "$file" <<<"$contents" || { echo "the package lacks $file"; exit 1; }
done
echo "package $deb checked"
