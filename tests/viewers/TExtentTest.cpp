#include "viewers/TExtent.h"

#include "support/ExtensionWindowControls.h"
#include "support/TestServices.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>
#include <QTreeWidget>

class TExtentTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void addDeleteAndCloseWritesTheFile();
    void cancelledAddChangesNothing();
    void loadAndResize();
    void saveThatFailsIsReported();

private:
    static QByteArray read(const QString &path)
    {
        QFile file(path);
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
    }
};

void TExtentTest::addDeleteAndCloseWritesTheFile()
{
    TestServices test;
    quil::ScriptedDialogs &dialogs = test.dialogs;
    quil::Services &services = test.services;
    TExtent window(services);
    QCOMPARE(window.windowTitle(), QStringLiteral("  Настройка расширений"));
    QCOMPARE(window.size(), QSize(595, 390));
    QSignalSpy status(&window, &TExtent::statusChanged);
    window.show();

    dialogs.answerInput(QStringLiteral("txt"));
    dialogs.answerOpenFile(QStringLiteral("/usr/bin/less"));
    QTest::mouseClick(ui(window).Button1, Qt::LeftButton);
    QCOMPARE(ui(window).ListView1->topLevelItemCount(), 1);
    QCOMPARE(ui(window).ListView1->topLevelItem(0)->text(0), QStringLiteral(".txt"));
    QCOMPARE(ui(window).ListView1->topLevelItem(0)->text(1), QStringLiteral("/usr/bin/less"));
    const auto asked = dialogs.shown(quil::ScriptedDialogs::Kind::Input);
    QCOMPARE(asked.size(), 1);
    QCOMPARE(asked[0].title, QStringLiteral("Назначить расширение"));
    QCOMPARE(asked[0].text, QStringLiteral("Введите расширение"));
    QCOMPARE(dialogs.shown(quil::ScriptedDialogs::Kind::OpenFile)[0].title, QStringLiteral("Выберите программу"));

    QTest::mouseClick(ui(window).Button5, Qt::LeftButton); // return: closes, which saves
    QVERIFY(!window.isVisible());
    QCOMPARE(status.last().at(0).toString(), QStringLiteral("Жду команды. "));
    QCOMPARE(read(window.tablePath()), QByteArray(".txt\r\n/usr/bin/less\r\n"));

    window.show();
    ui(window).ListView1->setCurrentItem(ui(window).ListView1->topLevelItem(0));
    QTest::mouseClick(ui(window).Button2, Qt::LeftButton);
    QCOMPARE(ui(window).ListView1->topLevelItemCount(), 0);
    window.close();
    QCOMPARE(read(window.tablePath()), QByteArray());
}

void TExtentTest::cancelledAddChangesNothing()
{
    TestServices test;
    quil::ScriptedDialogs &dialogs = test.dialogs;
    quil::Services &services = test.services;
    TExtent window(services);
    dialogs.answerInput(std::nullopt);
    window.Button1Click();
    QCOMPARE(dialogs.shown(quil::ScriptedDialogs::Kind::OpenFile).size(), 0);
    dialogs.answerInput(QStringLiteral(".md"));
    dialogs.answerOpenFile(std::nullopt);
    window.Button1Click();
    QCOMPARE(window.table().size(), 0);
}

void TExtentTest::loadAndResize()
{
    TestServices test;
    test.settings.file("quil.ext", ".a\r\n/bin/a\r\n.b");
    quil::Services &services = test.services;
    TExtent window(services);
    window.LoadExtensionTable();
    QCOMPARE(ui(window).ListView1->topLevelItemCount(), 2);
    QCOMPARE(window.table().programFor(QStringLiteral(".b")), QString());
    window.show();
    window.resize(700, 500);
    QCOMPARE(ui(window).ListView1->size(), QSize(675, 425));
}

// The save button's error goes to the error box where the button is
// connected: a folder in the table's place cannot be written.
void TExtentTest::saveThatFailsIsReported()
{
    TestServices test;
    TExtent window(test.services);
    QVERIFY(QDir().mkpath(window.tablePath()));
    window.show();
    QTest::mouseClick(ui(window).Button3, Qt::LeftButton);
    QCOMPARE(test.dialogs.shown(quil::ScriptedDialogs::Kind::ErrorBox).size(), 1);
    QVERIFY(QFileInfo(window.tablePath()).isDir());
}

QTEST_MAIN(TExtentTest)
#include "TExtentTest.moc"
