#!/usr/bin/env bash
# Reads the built hquil.chm back with extract_chmLib (Debian libchm-bin): it
# must be a CHM whose table of contents lists every help page of the sources,
# each page inside the file. Exit 77 (skipped) without extract_chmLib.
set -euo pipefail
chm=$1
sources=$2
command -v extract_chmLib >/dev/null || { echo "extract_chmLib not installed"; exit 77; }
work=$(mktemp -d /tmp/quil-help.XXXXXX)
trap 'rm -rf "$work"' EXIT

head -c 4 "$chm" | grep -qx ITSF || { echo "$chm is not a CHM file"; exit 1; }
extract_chmLib "$chm" "$work/out" >/dev/null
toc=$work/out/toc.hhc
[ -f "$toc" ] || { echo "no table of contents in $chm"; exit 1; }
pages=0
for page in "$sources"/*.html; do
  name=$(basename "$page")
  grep -q "<param name=\"Local\" value=\"$name\">" "$toc" || { echo "the contents lack $name"; exit 1; }
  cmp -s "$page" "$work/out/$name" || { echo "$name is missing or differs in $chm"; exit 1; }
  pages=$((pages + 1))
done
[ "$pages" -ge 7 ] || { echo "only $pages help pages"; exit 1; }
# Every entry of the contents names a page of the file.
for local in $(sed -n 's/.*<param name="Local" value="\([^"]*\)">.*/\1/p' "$toc"); do
  [ -f "$work/out/$local" ] || { echo "the contents name $local, which is not in the file"; exit 1; }
done
echo "hquil.chm holds $pages pages, all in its contents"
