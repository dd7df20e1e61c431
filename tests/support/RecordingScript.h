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

// Makes a recording script the default application for text/plain (or the
// given types), through XDG folders inside the tree (data/, config/), and
// points the process at them. Call before the first GIO use: GIO reads the
// defaults once. The script records into tree.path("opened").
inline QString installTestTextOpener(TempTree &tree, const QByteArray &desktopName,
                                     const QByteArrayList &types = {"text/plain"})
{
    tree.folder("data");
    tree.folder("data/applications");
    tree.folder("config");
    const QString opener = recordingScript(tree, "open.sh", tree.path("opened"));
    tree.file("data/applications/" + desktopName + ".desktop",
              "[Desktop Entry]\nType=Application\nName=Quil test opener\nExec='" + quil::toNative(opener) +
                  "' %f\nMimeType=" + types.join(';') + ";\nTerminal=false\n");
    // Listed as added too, so that GIO also offers it among the type's
    // applications (as xdg-mime does).
    QByteArray defaults = "[Default Applications]\n";
    QByteArray added = "[Added Associations]\n";
    for (const QByteArray &type : types) {
        defaults += type + '=' + desktopName + ".desktop\n";
        added += type + '=' + desktopName + ".desktop;\n";
    }
    defaults += added;
    tree.file("config/mimeapps.list", defaults);
    qputenv("XDG_DATA_HOME", quil::toNative(tree.path("data")));
    qputenv("XDG_CONFIG_HOME", quil::toNative(tree.path("config")));
    qputenv("XDG_DATA_DIRS", quil::toNative(tree.path("data")) + ":/usr/local/share:/usr/share");
    return opener;
}
