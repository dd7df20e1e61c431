#!/usr/bin/env bash
# quil and its tools on the command line, with no display at all: --help and
# --version answer on stdout and end with status 0 without a window (they
# were taken as a missing path); quil itself says in one line that no
# display was found and ends with status 1 (it aborted with Qt's message and
# status 134).
# Arguments: quil, then the tools.
set -uo pipefail
work=$(mktemp -d /tmp/quil-command-line.XXXXXX)
trap 'rm -rf "$work"' EXIT
fail() { echo "FAIL: $*"; exit 1; }
bare() { env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM "$@"; }

for program in "$@"; do
  name=$(basename "$program")
  for option in --help --version; do
    bare "$program" "$option" >"$work/out" 2>"$work/err"
    status=$?
    [ "$status" -eq 0 ] || fail "$name $option ended with status $status: $(cat "$work/err")"
    [ ! -s "$work/err" ] || fail "$name $option wrote to stderr: $(cat "$work/err")"
    [ "$(tail -n 1 "$work/out")" = "QUIL 1.5" ] || fail "$name $option did not end with QUIL 1.5: $(cat "$work/out")"
    if [ "$option" = --help ]; then
      head -n 1 "$work/out" | grep -q "^usage: $name " || fail "$name --help printed no usage line: $(cat "$work/out")"
    else
      [ "$(wc -l <"$work/out")" -eq 1 ] || fail "$name --version printed more than its version: $(cat "$work/out")"
    fi
  done
done

quil=$1
for display in none :65431; do
  if [ "$display" = none ]; then
    bare "$quil" >"$work/out" 2>"$work/err"
  else
    env -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM DISPLAY="$display" "$quil" >"$work/out" 2>"$work/err"
  fi
  status=$?
  [ "$status" -eq 1 ] || fail "quil without a display ($display) ended with status $status: $(cat "$work/err")"
  [ "$(wc -l <"$work/err")" -eq 1 ] || fail "quil without a display ($display) wrote more than one line: $(cat "$work/err")"
  grep -q "^quil: no display found" "$work/err" || fail "quil without a display ($display) said: $(cat "$work/err")"
done
echo "--help, --version and the missing display answered as they should"
