#pragma once

#include <QByteArray>
#include <QString>

namespace quil {

// Thousands grouping of a decimal digit string: a blank after every third
// digit counted from the right, also before the first digit when the count is
// a multiple of three ("123" gives " 123", "1234" gives "1 234"). Empty stays
// empty.
QString groupThousands(const QString &digits);
QString groupThousands(qint64 value);

// Removes leading and trailing characters with a code of 32 or less.
QString trimControls(const QString &text);
QByteArray trimControls(const QByteArray &text);

} // namespace quil
