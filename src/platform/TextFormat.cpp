#include "platform/TextFormat.h"

#include <algorithm>

namespace quil {

QString groupThousands(const QString &digits)
{
    QString reversed;
    reversed.reserve(digits.size() + digits.size() / 3);
    int taken = 0;
    for (qsizetype i = digits.size() - 1; i >= 0; --i) {
        reversed.append(digits[i]);
        if (++taken % 3 == 0)
            reversed.append(QLatin1Char(' '));
    }
    std::reverse(reversed.begin(), reversed.end());
    return reversed;
}

QString groupThousands(qint64 value)
{
    return groupThousands(QString::number(value));
}

namespace {
template <typename Text, typename Code> Text trimmed(const Text &text, Code code)
{
    qsizetype begin = 0;
    qsizetype end = text.size();
    while (begin < end && code(text[begin]) <= 32)
        ++begin;
    while (end > begin && code(text[end - 1]) <= 32)
        --end;
    return text.mid(begin, end - begin);
}
} // namespace

QString trimControls(const QString &text)
{
    return trimmed(text, [](QChar c) { return unsigned(c.unicode()); });
}

QByteArray trimControls(const QByteArray &text)
{
    return trimmed(text, [](char c) { return unsigned(static_cast<unsigned char>(c)); });
}

} // namespace quil
