#!/usr/bin/env bash
# Installs QUIL into a temporary prefix and checks what a desktop sees: the
# files in their places, the desktop entry and metainfo valid, and the
# installed program, started on a file with its installation read-only (and
# again writable), listing that file's folder and keeping its settings under
# $XDG_CONFIG_HOME/quil/. Exit 77 (skipped) where no read-only mount can be
# made for root.
set -euo pipefail
build=$1
work=$(mktemp -d /tmp/quil-install.XXXXXX)
trap 'rm -rf "$work"' EXIT
prefix=$work/prefix

cmake --install "$build" --prefix "$prefix" >/dev/null

for file in bin/quil share/applications/quil.desktop share/metainfo/io.github.quil.Quil.metainfo.xml \
  share/icons/hicolor/scalable/apps/quil.svg share/man/man1/quil.1.gz share/man/ru/man1/quil.1.gz share/quil/hquil.chm \
  share/quil/help/index.html share/quil/hquil_en.chm share/quil/help/en/index.html \
  share/quil/translations/quil_en.qm share/doc/quil/copyright; do
  [ -f "$prefix/$file" ] || { echo "not installed: $file"; exit 1; }
done
for size in 16 22 24 32 48 64 128 256; do
  icon=$prefix/share/icons/hicolor/${size}x$size/apps/quil.png
  [ -f "$icon" ] || { echo "not installed: $icon"; exit 1; }
done
# The installed program looks for its help in bin/../share/quil/: the file
# there is the one the build compiled beside the executable.
cmp -s "$prefix/bin/../share/quil/hquil.chm" "$build/src/hquil.chm" ||
  { echo "share/quil/hquil.chm is not the built help file"; exit 1; }
desktop-file-validate "$prefix/share/applications/quil.desktop"
appstreamcli validate --no-net "$prefix/share/metainfo/io.github.quil.Quil.metainfo.xml" >/dev/null

mkdir -p "$work/config" "$work/Docs"
printf 'x' >"$work/Docs/note.txt"
export XDG_CONFIG_HOME=$work/config QT_QPA_PLATFORM=offscreen

# Waits (at most 30 s) for a file to appear; a program that never gets there fails the test.
wait_for() {
  for _ in $(seq 300); do
    [ -e "$1" ] && return 0
    sleep 0.1
  done
  echo "never appeared: $1"
  return 1
}

# Starts the installed program with the given argument, waits for its settings
# folder, ends it with SIGTERM as a logout does, and answers its exit status.
run_installed() {
  "$prefix/bin/quil" "$1" 2>"$work/stderr" &
  local pid=$!
  # The folder is made after the program's signal handlers stand.
  wait_for "$work/config/quil" || { kill -9 "$pid"; return 1; }
  kill -TERM "$pid"
  wait "$pid"
}

# Root may write anywhere: the installation is made read-only by a private mount.
if [ "$(id -u)" -eq 0 ]; then
  export -f run_installed wait_for
  export prefix work
  unshare -m --propagation private bash -c '
    mount --bind "$prefix" "$prefix" && mount -o remount,bind,ro "$prefix" || exit 77
    run_installed "$work/Docs/note.txt"' || status=$?
  [ "${status:-0}" -eq 77 ] && { echo "no private read-only mount here"; exit 77; }
  [ "${status:-0}" -eq 0 ] || { echo "the program ended with ${status}"; cat "$work/stderr"; exit 1; }
else
  chmod a-w "$prefix/bin"
  run_installed "$work/Docs/note.txt"
fi
[ ! -e "$prefix/bin/quil.ini" ] || { echo "settings written beside the installed program"; exit 1; }
ini=$work/config/quil/quil.ini
[ -f "$ini" ] || { echo "no $ini"; exit 1; }
last=$(sed -n 4p "$ini" | tr -d '\r')
[ "$last" = "$work/Docs/" ] || { echo "quil.ini's last folder is '$last', not $work/Docs/"; exit 1; }

# A path that names nothing is told, and the program starts all the same.
# Where the installation is writable, it still is no place for settings.
rm -rf "$work/config/quil"
chmod -R u+w "$prefix"
QUIL_LANGUAGE=ru run_installed "$work/missing"
[ ! -e "$prefix/bin/quil.ini" ] || { echo "settings written into the writable installation"; exit 1; }
[ -f "$work/config/quil/quil.ini" ] || { echo "no settings under $work/config/quil"; exit 1; }
grep -qx "quil: нет такой папки или файла: $work/missing" "$work/stderr" ||
  { echo "no message for a missing path:"; cat "$work/stderr"; exit 1; }
# Any other language reads the installed English translation.
rm -rf "$work/config/quil"
LANGUAGE= LC_ALL= LC_MESSAGES= LANG=en_US.UTF-8 run_installed "$work/missing"
grep -qx "quil: no such folder or file: $work/missing" "$work/stderr" ||
  { echo "no English message for a missing path:"; cat "$work/stderr"; exit 1; }
# A FIFO in place of quil.ini: its error box waits until the start folder is
# listed, and SIGTERM ends the program while the box is open.
rm -rf "$work/config/quil"
mkdir -p "$work/config/quil"
mkfifo "$work/config/quil/quil.ini"
# The open for writing returns once the program has opened the FIFO to read it.
(: >"$work/config/quil/quil.ini" && : >"$work/ini-opened") &
opener=$!
"$prefix/bin/quil" "$work/Docs/note.txt" 2>"$work/stderr" &
pid=$!
wait_for "$work/ini-opened" || { kill -9 "$pid" "$opener"; exit 1; }
kill -TERM "$pid"
for _ in $(seq 300); do
  kill -0 "$pid" 2>/dev/null || break
  sleep 0.1
done
kill -0 "$pid" 2>/dev/null && { kill -9 "$pid"; echo "SIGTERM did not end the program with its error box open"; exit 1; }
wait "$pid" || { echo "the program ended with $?"; exit 1; }
last=$(sed -n 4p "$work/config/quil/quil.ini" | tr -d '\r')
[ "$last" = "$work/Docs/" ] || { echo "with a FIFO quil.ini the start folder was '$last', not $work/Docs/"; exit 1; }

# The manual pages tell where the settings went: beside the executable only
# for a program without its desktop entry, never for this installed one.
for page in share/man/man1/quil.1.gz share/man/ru/man1/quil.1.gz; do
  zcat "$prefix/$page" | grep -q 'share/applications/quil.desktop' ||
    { echo "$page does not say when the settings sit beside the executable"; exit 1; }
done
echo "installed QUIL checked in $prefix"
