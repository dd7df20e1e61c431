#include "listing/PrefixSearch.h"

namespace quil {

namespace {
char16_t foldLatin(char16_t c)
{
    return (c >= u'A' && c <= u'Z') ? char16_t(c - u'A' + u'a') : c;
}
} // namespace

bool startsWithLatinFolded(const QString &name, const QString &prefix)
{
    if (prefix.size() > name.size())
        return false;
    for (qsizetype i = 0; i < prefix.size(); ++i)
        if (foldLatin(name.at(i).unicode()) != foldLatin(prefix.at(i).unicode()))
            return false;
    return true;
}

int prefixSearch(int count, const std::function<QString(int)> &nameOf, const QString &text, int start, bool wrap)
{
    if (text.isEmpty() || count <= 0)
        return -1;
    if (start < 0)
        start = 0;
    int row = start;
    for (int compared = 0; compared < count; ++compared, ++row) {
        if (row >= count) {
            if (!wrap)
                return -1;
            row = 0;
        }
        if (startsWithLatinFolded(nameOf(row), text))
            return row;
    }
    return -1;
}

} // namespace quil
