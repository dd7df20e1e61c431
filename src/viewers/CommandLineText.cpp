#include "viewers/CommandLineText.h"

#include <QProcess>

#include <algorithm>

namespace quil {

namespace {

const QChar kQuote = QLatin1Char('"');

// The quote that closes a quoted program opened at position 0, by the
// splitting rule: in a run of quotes every three are one literal quote, one
// left over closes, two left over open and close an empty text. -1 when the
// quote is never closed.
qsizetype closingQuote(const QString &line)
{
    qsizetype i = 1;
    while (i < line.size()) {
        if (line.at(i) != kQuote) {
            ++i;
            continue;
        }
        qsizetype run = 0;
        while (i + run < line.size() && line.at(i + run) == kQuote)
            ++run;
        if (run % 3 == 1)
            return i + run - 1;
        i += run;
    }
    return -1;
}

} // namespace

CommandLineParts splitCommandLine(const QString &line)
{
    if (line.startsWith(kQuote)) {
        // k: the closing quote's place counted from the second character, 0 when missing.
        const qsizetype closing = closingQuote(line);
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

QString programOfPart(const QString &program)
{
    if (!program.startsWith(kQuote))
        return program;
    // The part is one quoted word by its construction.
    return QProcess::splitCommand(program).value(0);
}

QString quotedArgument(const QString &path)
{
    QString quoted;
    quoted.reserve(path.size() + 2);
    quoted += kQuote;
    for (const QChar c : path) {
        if (c == kQuote)
            quoted += QStringLiteral("\"\"\"");
        else
            quoted += c;
    }
    quoted += kQuote;
    return quoted;
}

} // namespace quil
