// The help button on a desktop with no viewer for compiled help: the HTML
// help opens in the browser (a recording script registered for text/html
// alone), and where nothing can open the help an error box says so.
#include "shell/HelpFile.h"
#include "shell/TAboutBox.h"
#include "support/AboutBoxControls.h"
#include "support/RecordingScript.h"
#include "support/TestServices.h"

#include <QApplication>
#include <QPushButton>
#include <QStandardPaths>
#include <gio/gio.h>

namespace {
TempTree *g_xdg = nullptr;
}

class HelpFallbackTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase()
    {
        QStandardPaths::setTestModeEnabled(true);
        GAppInfo *chmViewer = g_app_info_get_default_for_type("application/vnd.ms-htmlhelp", FALSE);
        if (chmViewer) {
            g_object_unref(chmViewer);
            QSKIP("this machine has a viewer for compiled help");
        }
    }

    // "Помощь" did nothing when no application took hquil.chm.
    void helpButton_data()
    {
        QTest::addColumn<QByteArrayList>("helpFiles");
        QTest::addColumn<QByteArray>("opened");
        QTest::addColumn<QString>("message");
        const QByteArrayList built{"bin/hquil.chm", "bin/help/index.html"};
        const QByteArrayList installed{"share/quil/hquil.chm", "share/quil/help/index.html"};
        QTest::newRow("pages beside the program") << built << QByteArray("bin/help/index.html") << QString();
        QTest::newRow("installed pages") << installed << QByteArray("share/quil/help/index.html") << QString();
        QTest::newRow("pages without the help file")
            << QByteArrayList{"share/quil/help/index.html"} << QByteArray("share/quil/help/index.html") << QString();
        QTest::newRow("help file nothing opens")
            << QByteArrayList{"bin/hquil.chm"} << QByteArray()
            << QStringLiteral("Нет программы, которая открыла бы помощь (hquil.chm или HTML)");
        QTest::newRow("no help") << QByteArrayList{} << QByteArray()
                                 << QStringLiteral("Файл помощи hquil.chm не найден");
    }
    void helpButton()
    {
        QFETCH(QByteArrayList, helpFiles);
        QFETCH(QByteArray, opened);
        QFETCH(QString, message);
        TempTree tree;
        for (const char *folder : {"bin", "bin/help", "share", "share/quil", "share/quil/help"})
            tree.folder(folder);
        for (const QByteArray &file : helpFiles)
            tree.file(file, file.endsWith(".chm") ? "ITSF" : "<html><body>QUIL</body></html>");
        const QString record = g_xdg->path("opened");
        QFile::remove(record);

        TestServices test;
        test.services.programFolder = quil::FolderPath(tree.path("bin"));
        TAboutBox about(test.services);
        about.show();
        QTest::mouseClick(ui(about).Button2, Qt::LeftButton);
        QVERIFY(!about.isVisible());
        if (opened.isEmpty()) {
            QCOMPARE(test.dialogs.messages(), QStringList{message});
            QVERIFY(!QFile::exists(record));
            return;
        }
        QVERIFY(test.dialogs.messages().isEmpty());
        const QList<QByteArray> items = waitForRecord(record);
        QCOMPARE(items.size(), 2);
        QCOMPARE(items.at(1), tree.rootBytes() + '/' + opened);
    }
};

int main(int argc, char **argv)
{
    TempTree xdg;
    g_xdg = &xdg;
    installTestTextOpener(xdg, "quil-test-browser", {"text/html"});
    QApplication application(argc, argv);
    HelpFallbackTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "HelpFallbackTest.moc"
