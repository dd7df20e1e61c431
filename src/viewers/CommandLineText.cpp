#include "viewers/CommandLineText.h"

#include <algorithm>

namespace quil {

CommandLineParts splitCommandLine(const QString &line)
{
    const QChar quote = QLatin1Char('"');
    if (line.startsWith(quote)) {
        // k: the closing quote's place counted from the second character, 0 when missing.
        const qsizetype closing = line.indexOf(quote, 1);
        const qsizetype k = closing < 0 ? 0 : closing;
        const qsizetype count = std::max<qsizetype>(0, line.size() - k - 2);
        return {line.left(k + 1), line.mid(k + 2, count)};
    }
    const qsizetype blank = line.indexOf(QLatin1Char(' '));
    if (blank < 0)
        return {line, QString()};
    return {line.left(blank), line.mid(blank + 1)};
}

bool hasParameters(const QString &parameters)
{
    return !parameters.isEmpty() && parameters != QLatin1String(" ");
}

} // namespace quil
