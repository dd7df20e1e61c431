#pragma once

#include "app/AppWindows.h"
#include "app/TForm1.h"
#include "listing/FolderListModel.h"
#include "listing/FolderListView.h"
#include "platform/SettingsFiles.h"
#include "support/Form1Controls.h"
#include "support/TestServices.h"

#include <QTest>

#include <memory>

// The program's windows around the real main window, with scripted dialogs
// and a temporary settings folder: what the main-window tests share. Link
// quil_ui to use it.
struct MainWindowFixture
{
    TestServices test;
    quil::ScriptedDialogs &dialogs = test.dialogs;
    quil::Services &services = test.services;
    std::unique_ptr<quil::AppWindows> windows;

    // Creates every window, as the entry point does, and shows the main one.
    TForm1 &start(bool show = true)
    {
        windows = std::make_unique<quil::AppWindows>(services);
        if (show)
            showStarted(*windows->Form1);
        return *windows->Form1;
    }
    TForm1 &form() const { return *windows->Form1; }

    // A settings file of the settings folder (quil.ini, quil.ext, ...).
    QString settingsPath(const QString &name) const { return services.settingsFolder.filePath(name); }
    void writeSettings(const QString &name, const QStringList &lines)
    {
        quil::writeSettingsLines(settingsPath(name), lines);
    }

    // The names of the marked entries of the list, sorted.
    QStringList marked() const
    {
        QStringList names;
        for (int i = 0; i < form().listing().count(); ++i)
            if (form().listing().entry(i).marked)
                names.append(form().listing().entry(i).name);
        names.sort();
        return names;
    }

    // Makes the main window active with the list focused on the named row of
    // the listed folder, as a user's click on the row does.
    void focusRow(const QString &name)
    {
        TForm1 &main = form();
        const int row = main.listing().findEntry(name);
        QVERIFY2(row >= 0, qPrintable(name));
        ui(main).ListView->setCurrentIndex(main.listModel().index(row, 0));
        // An activation still queued (the panel's) comes first; the window
        // system also counts main as active while its own panel window has
        // the focus, so wait until main itself is the active one.
        QCoreApplication::processEvents();
        main.activateWindow();
        QTRY_VERIFY(main.isActiveWindow());
        ui(main).ListView->setFocus();
        QVERIFY(ui(main).ListView->hasFocus());
    }
};
