#!/usr/bin/env bash
# Makes the Debian package from the build folder and reads it back: its
# dependencies found from the executable, the installed files under /usr, a
# stripped program, the machine-readable copyright, compressed manual pages
# (the Russian one shown by man under ru_RU, with no complaint), no invented address, and
# lintian without errors.
set -euo pipefail
build=$1
work=$(mktemp -d /tmp/quil-deb.XXXXXX)
trap 'rm -rf "$work"' EXIT

cpack -G DEB --config "$build/CPackConfig.cmake" -B "$work" >/dev/null
deb=$(ls "$work"/quil_*_*.deb)
[ "$(dpkg-deb -f "$deb" Package)" = quil ] || { echo "wrong package name"; exit 1; }
depends=$(dpkg-deb -f "$deb" Depends)
for needed in libqt6widgets6 libglib2.0-0 libjpeg62-turbo libpng16-16 libgif7 qt6-qpa-plugins qt6-translations-l10n; do
  grep -q "$needed" <<<"$depends" || { echo "Depends lacks $needed: $depends"; exit 1; }
done
contents=$(dpkg-deb -c "$deb" | awk '{print $6}')
for file in ./usr/bin/quil ./usr/share/applications/quil.desktop ./usr/share/metainfo/io.github.quil.Quil.metainfo.xml \
  ./usr/share/icons/hicolor/scalable/apps/quil.svg ./usr/share/man/man1/quil.1.gz ./usr/share/man/ru/man1/quil.1.gz \
  ./usr/share/quil/hquil.chm ./usr/share/quil/help/index.html ./usr/share/quil/hquil_en.chm \
  ./usr/share/quil/help/en/index.html ./usr/share/quil/translations/quil_en.qm ./usr/share/doc/quil/copyright; do
  grep -qx "$file" <<<"$contents" || { echo "the package lacks $file"; exit 1; }
done
root=$work/root
dpkg-deb -x "$deb" "$root"

# The program without its debug information.
if readelf -S "$root/usr/bin/quil" | grep -q '\.debug_'; then
  echo "usr/bin/quil carries debug information ($(stat -c %s "$root/usr/bin/quil") bytes)"
  exit 1
fi

# The copyright file in Debian's machine-readable form.
head -1 "$root/usr/share/doc/quil/copyright" |
  grep -qx 'Format: https://www.debian.org/doc/packaging-manuals/copyright-format/1.0/' ||
  { echo "copyright is not in the machine-readable form"; exit 1; }

# The Russian manual page as man shows it to a user of ru_RU.UTF-8.
# The locale is made for this test alone (LOCPATH): the machine may have none.
mkdir -p "$work/locale"
localedef -i ru_RU -f UTF-8 "$work/locale/ru_RU.UTF-8" >/dev/null 2>&1 || true
if [ -e "$work/locale/ru_RU.UTF-8/LC_CTYPE" ]; then
  page=$(LOCPATH=$work/locale LC_ALL=ru_RU.UTF-8 MANPATH=$root/usr/share/man MANPAGER=cat MANWIDTH=80 man quil 2>&1)
  ! grep -q '^man:' <<<"$page" || { echo "man complains:"; grep '^man:' <<<"$page" | head -3; exit 1; }
  grep -q 'ИМЯ' <<<"$page" || { echo "man under ru_RU shows:"; head -5 <<<"$page"; exit 1; }
  grep -q 'простая программа для работы с папками и файлами' <<<"$page" ||
    { echo "the Russian manual page reads wrongly:"; head -5 <<<"$page"; exit 1; }
else
  echo "no ru_RU.UTF-8 locale could be made; the Russian manual page is not read back"
fi

# No address the project does not have: the home page only when the build names one.
homepage=$(sed -n 's/^QUIL_HOMEPAGE_URL:STRING=//p' "$build/CMakeCache.txt")
if grep -rqa 'github\.com/quil' "$root" || dpkg-deb -I "$deb" | grep -q 'github\.com/quil'; then
  echo "the package names github.com/quil"
  exit 1
fi
if [ -z "$homepage" ]; then
  [ -z "$(dpkg-deb -f "$deb" Homepage)" ] || { echo "a Homepage without a home page"; exit 1; }
  ! grep -q '<url' "$root/usr/share/metainfo/io.github.quil.Quil.metainfo.xml" ||
    { echo "the metainfo names an address"; exit 1; }
else
  [ "$(dpkg-deb -f "$deb" Homepage)" = "$homepage" ] || { echo "Homepage is not $homepage"; exit 1; }
fi
appstreamcli validate --no-net "$root/usr/share/metainfo/io.github.quil.Quil.metainfo.xml" >/dev/null

# lintian: no errors.
report=$(lintian --no-tag-display-limit "$deb" 2>&1 || true)
if grep -q '^E:' <<<"$report"; then
  echo "lintian reports errors:"
  grep '^E:' <<<"$report"
  exit 1
fi
echo "package $deb checked"
