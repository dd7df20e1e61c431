#pragma once

#include "platform/NativePath.h"
#include "support/TempTree.h"

#include <QFile>
#include <QList>
#include <QTest>

// A real program for launch tests: a shell script that writes its current
// folder and then each argument, NUL-terminated, to a record file (written
// whole through a rename, so a reader never sees half of it).
inline QString recordingScript(TempTree &tree, const QByteArray &relative, const QString &record)
{
    const QByteArray out = quil::toNative(record);
    const QString script = tree.file(relative, "#!/bin/sh\nprintf '%s\\0' \"$(pwd -P)\" \"$@\" > '" + out +
                                                   ".part' && mv '" + out + ".part' '" + out + "'\n");
    QFile::setPermissions(script, QFile::permissions(script) | QFile::ExeOwner | QFile::ExeGroup | QFile::ExeOther);
    return script;
}

// Waits, processing events, for the record file; its items (folder first,
// then the arguments), or nothing after ten seconds.
inline QList<QByteArray> waitForRecord(const QString &record)
{
    if (!QTest::qWaitFor([&] { return QFile::exists(record); }, 10000))
        return {};
    QFile file(record);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    QList<QByteArray> items = file.readAll().split('\0');
    if (!items.isEmpty() && items.last().isEmpty())
        items.removeLast();
    return items;
}
