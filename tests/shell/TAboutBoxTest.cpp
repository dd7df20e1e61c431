// The about window and its help button on the real windows; the help file is
// opened by a recording script registered as its default application.
#include "shell/TAboutBox.h"
#include "app/AppWindows.h"
#include "app/TForm1.h"
#include "shell/HelpFile.h"
#include "support/AboutBoxControls.h"
#include "support/Form1Controls.h"
#include "support/MainWindowFixture.h"
#include "support/RecordingScript.h"

#include <QApplication>
#include <QLabel>
#include <QPushButton>
#include <QStandardPaths>
#include <QTextDocument>
#include <QTimer>

namespace {
TempTree *g_xdg = nullptr;
}

class TAboutBoxTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase() { QStandardPaths::setTestModeEnabled(true); }

    void texts()
    {
        MainWindowFixture program;
        program.start(false);
        TAboutBox &about = *program.windows->AboutBox;
        QCOMPARE(about.windowTitle(), QStringLiteral("  О программе"));
        QVERIFY(about.isModal());
        QCOMPARE(ui(about).Image1->size(), QSize(41, 41));
        QVERIFY(!ui(about).Image1->pixmap().isNull());
        QCOMPARE(ui(about).Label1->text(), QStringLiteral("QUIL - менеджер файлов"));
        QCOMPARE(ui(about).Label2->text(), QStringLiteral("Version  1.5   (01.2013)"));
        QCOMPARE(ui(about).Label3->text(), QStringLiteral("Простая программа для работы\nс папками и файлами.\n"
                                                          "А ты знаешь, что у тебя на дисках?"));
        QVERIFY(ui(about).Label3->alignment() & Qt::AlignHCenter);
        const QString credits = ui(about).Label9->text() + ui(about).Label10->text() + ui(about).Label11->text();
        for (const char *library : {"giflib", "libpng", "zlib", "libjpeg-turbo"})
            QVERIFY2(credits.contains(QLatin1String(library)), library);
        QCOMPARE(about.homePage(), QStringLiteral(QUIL_HOMEPAGE_URL));
        QCOMPARE(ui(about).Button1->text(), QStringLiteral("Ok"));
        QCOMPARE(ui(about).Button2->text(), QStringLiteral("Помощь"));
    }

    // Where the help file is looked for: beside the executable first, then
    // in share/quil/ of an installed program.
    void helpButton_data()
    {
        QTest::addColumn<QByteArrayList>("helpFiles");
        QTest::addColumn<QByteArray>("opened");
        QTest::newRow("beside the program")
            << QByteArrayList{"bin/hquil.chm", "share/quil/hquil.chm"} << QByteArray("bin/hquil.chm");
        QTest::newRow("installed") << QByteArrayList{"share/quil/hquil.chm"} << QByteArray("share/quil/hquil.chm");
        QTest::newRow("missing") << QByteArrayList{} << QByteArray();
    }
    void helpButton()
    {
        QFETCH(QByteArrayList, helpFiles);
        QFETCH(QByteArray, opened);
        TempTree tree;
        tree.folder("bin");
        tree.folder("share");
        tree.folder("share/quil");
        for (const QByteArray &file : helpFiles)
            tree.file(file, "ITSF");
        const QString record = g_xdg->path("opened");
        QFile::remove(record);

        MainWindowFixture program;
        program.services.programFolder = quil::FolderPath(tree.path("bin"));
        TForm1 &form = program.start();
        TAboutBox &about = *program.windows->AboutBox;
        bool shown = false;
        QTimer::singleShot(0, &about, [&] {
            shown = about.isVisible();
            QTest::mouseClick(ui(about).Button2, Qt::LeftButton);
        });
        QTest::mouseClick(ui(form).Button2, Qt::LeftButton);

        QVERIFY(shown);
        QVERIFY(!about.isVisible());
        QCOMPARE(ui(form).Label9->text(), QStringLiteral("Жду команды..."));
        if (opened.isEmpty()) {
            QCOMPARE(program.dialogs.messages(), QStringList{QStringLiteral("Файл помощи hquil.chm не найден")});
            QVERIFY(quil::findHelpFile(program.services.programFolder).isEmpty());
            return;
        }
        QVERIFY(program.dialogs.messages().isEmpty());
        const QList<QByteArray> items = waitForRecord(record);
        QCOMPARE(items.size(), 2);
        QCOMPARE(items.at(1), tree.rootBytes() + '/' + opened);
    }

    // The window named github.com/quil/quil, which is not this project's address.
    void homePageOnlyWhenTheBuildNamesOne()
    {
        TestServices test;
        TAboutBox about(test.services);
        about.setHomePage(QString());
        about.show();
        for (const QLabel *label : about.findChildren<QLabel *>()) {
            QVERIFY2(!label->text().contains(QLatin1String("github")), qPrintable(label->objectName()));
            QVERIFY2(!label->text().contains(QLatin1String("://")), qPrintable(label->objectName()));
            QVERIFY2(!label->isVisible() || !label->text().contains(QLatin1String("<a ")),
                     qPrintable(label->objectName()));
        }
        QVERIFY(!ui(about).Label6->isVisible());
        QVERIFY(!ui(about).Label7->isVisible());
        QVERIFY(!ui(about).Label8->isVisible());
        QCOMPARE(ui(about).Label4->text(), QStringLiteral("Сделали разработчики QUIL."));

        const QString record = g_xdg->path("opened");
        QFile::remove(record);
        about.setHomePage(QStringLiteral("https://example.org/quil?a=1&b=2"));
        QVERIFY(ui(about).Label6->isVisible());
        QVERIFY(ui(about).Label7->isVisible());
        QTextDocument shown;
        shown.setHtml(ui(about).Label7->text());
        QCOMPARE(shown.toPlainText(), QStringLiteral("example.org/quil?a=1&b=2"));
        about.Label7Click();
        const QList<QByteArray> items = waitForRecord(record);
        QCOMPARE(items.size(), 2);
        QCOMPARE(items.at(1), QByteArray("https://example.org/quil?a=1&b=2"));
    }

    void everyLineFitsItsLabel()
    {
        TestServices test;
        TAboutBox about(test.services);
        for (const QLabel *label : about.findChildren<QLabel *>()) {
            // The links' markup is longer than what they show.
            if (Qt::mightBeRichText(label->text()))
                continue;
            const QFontMetrics metrics(label->font());
            for (const QString &line : label->text().split(QLatin1Char('\n')))
                QVERIFY2(metrics.horizontalAdvance(line) <= label->width(), qPrintable(line));
        }
    }

    void okClosesWithoutAMessage()
    {
        MainWindowFixture program;
        TForm1 &form = program.start();
        TAboutBox &about = *program.windows->AboutBox;
        QTimer::singleShot(0, &about, [&] { QTest::mouseClick(ui(about).Button1, Qt::LeftButton); });
        form.Button2Click();
        QVERIFY(!about.isVisible());
        QVERIFY(program.dialogs.messages().isEmpty());
        QCOMPARE(ui(form).Label9->text(), QStringLiteral("Жду команды..."));
    }
};

int main(int argc, char **argv)
{
    TempTree xdg;
    g_xdg = &xdg;
    const QString opener = installTestTextOpener(xdg, "quil-test-help", {"application/vnd.ms-htmlhelp", "text/plain"});
    // Addresses reach the same script through a web entry of its own (%u).
    xdg.file("data/applications/quil-test-web.desktop",
             "[Desktop Entry]\nType=Application\nName=Quil test web\nExec='" + quil::toNative(opener) +
                 "' %u\nMimeType=x-scheme-handler/https;\nTerminal=false\n");
    QFile list(xdg.path("config/mimeapps.list"));
    if (!list.open(QIODevice::ReadOnly))
        return 1;
    QByteArray lists = list.readAll();
    list.close();
    lists.replace("[Added Associations]\n", "x-scheme-handler/https=quil-test-web.desktop\n[Added Associations]\n");
    xdg.file("config/mimeapps.list", lists);
    QApplication application(argc, argv);
    TAboutBoxTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "TAboutBoxTest.moc"
