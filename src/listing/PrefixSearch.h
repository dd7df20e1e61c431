#pragma once

#include <QString>
#include <functional>

namespace quil {

// True when name begins with prefix, letters a to z compared without regard
// to case and every other character (Cyrillic included) exactly.
bool startsWithLatinFolded(const QString &name, const QString &prefix);

// The list's keyboard search: the first row at or after start whose name
// begins with text (startsWithLatinFolded), continuing from row 0 after the
// last row when wrap is set, each row compared at most once. A start beyond
// the last row counts as the place after it. Returns -1 when nothing matches
// or text is empty. O(count) calls of nameOf.
int prefixSearch(int count, const std::function<QString(int)> &nameOf, const QString &text, int start, bool wrap);

} // namespace quil
