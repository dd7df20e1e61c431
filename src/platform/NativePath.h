#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <QStringView>

// File names are the system's bytes. They are carried in QString as UTF-8
// text; a byte that is not part of valid UTF-8 becomes the lone surrogate
// U+DC00 + byte, so that every name, valid UTF-8 or not, converts back to the
// very same bytes. Code that touches the file system with names it did not
// write itself converts with these two functions (QFile::encodeName would
// lose such bytes).
namespace quil {

QString fromNative(QByteArrayView bytes);
QByteArray toNative(QStringView path);

// True when the text holds a byte that was not valid UTF-8.
bool hasEscapedBytes(QStringView path);

} // namespace quil
