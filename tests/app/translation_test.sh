#!/usr/bin/env bash
# The English translation is complete: lupdate over the sources finds no text
# missing from translations/quil_en.ts (and none it holds for nothing), and
# lrelease compiles it with no unfinished entry and no Cyrillic letter in an
# English text.
# Arguments: lupdate, lrelease, the source folder.
set -uo pipefail
lupdate=$1 lrelease=$2 source=$3
work=$(mktemp -d /tmp/quil-translation.XXXXXX)
trap 'rm -rf "$work"' EXIT
fail() { echo "FAIL: $*"; exit 1; }

cp "$source/translations/quil_en.ts" "$work/quil_en.ts"
out=$("$lupdate" -locations none -source-language ru_RU -target-language en_US "$source/src" -ts "$work/quil_en.ts" 2>&1) ||
  fail "lupdate: $out"
grep -q '(0 new and' <<<"$out" || fail "texts without an English translation: $out"
grep -q 'obsolete' <<<"$out" && fail "the translation holds texts the program no longer has: $out"
grep -q 'type="unfinished"\|type="vanished"\|type="obsolete"' "$work/quil_en.ts" &&
  fail "unfinished entries: $(grep -B2 'type="unfinished"\|type="vanished"\|type="obsolete"' "$work/quil_en.ts" | head -20)"
out=$("$lrelease" "$work/quil_en.ts" -qm "$work/quil_en.qm" 2>&1) || fail "lrelease: $out"
grep -q ' 0 unfinished' <<<"$out" || fail "lrelease: $out"
grep -qi 'untranslated' <<<"$out" && fail "lrelease: $out"
export LC_ALL=C.UTF-8
english=$(grep -o '<translation>[^<]*' "$work/quil_en.ts")
if grep -qP '[\x{0400}-\x{04FF}]' <<<"$english"; then
  fail "Cyrillic in the English texts: $(grep -P '[\x{0400}-\x{04FF}]' <<<"$english" | head)"
fi
echo "the English translation is complete: $(tail -n 1 <<<"$out")"
