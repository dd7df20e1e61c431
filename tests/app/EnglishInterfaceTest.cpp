// The English interface: with the translation loaded, no window, menu or
// message of the program shows a Cyrillic letter.
#include "app/TForm1.h"
#include "app/TSet1.h"
#include "fileops/TForm4.h"
#include "fileops/TSelekt.h"
#include "platform/ContextMenuItems.h"
#include "platform/QtTranslations.h"
#include "platform/ScriptedDialogs.h"
#include "platform/fileop/FileOperation.h"
#include "platform/fileop/FileOperationProgress.h"
#include "search/TFB.h"
#include "search/TFILESCH.h"
#include "shell/TAboutBox.h"
#include "support/MainWindowFixture.h"
#include "support/TempTree.h"
#include "viewers/TExtent.h"
#include "viewers/TRF.h"
#include "viewers/TSHPIC.h"

#include <QAbstractButton>
#include <QAbstractItemView>
#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTest>

namespace {

bool hasCyrillic(const QString &text)
{
    static const QRegularExpression cyrillic(QStringLiteral("[\\x{0400}-\\x{04FF}]"));
    return text.contains(cyrillic);
}

// "window/object: text" for every text of the window and its children that
// holds a Cyrillic letter.
QStringList russianTexts(QWidget *window)
{
    QStringList found;
    const auto check = [&](const QObject *owner, const QString &text) {
        if (hasCyrillic(text))
            found.append(window->metaObject()->className() + QStringLiteral("/") + owner->objectName() +
                         QStringLiteral(": ") + text);
    };
    QList<QWidget *> widgets = window->findChildren<QWidget *>();
    widgets.prepend(window);
    for (QWidget *widget : widgets) {
        for (const QString &text : {widget->windowTitle(), widget->toolTip(), widget->accessibleName(),
                                    widget->accessibleDescription(), widget->statusTip(), widget->whatsThis()})
            check(widget, text);
        for (const QAction *action : widget->actions()) {
            check(widget, action->text());
            check(widget, action->toolTip());
        }
        if (auto *label = qobject_cast<QLabel *>(widget))
            check(widget, label->text());
        if (auto *button = qobject_cast<QAbstractButton *>(widget))
            check(widget, button->text());
        if (auto *group = qobject_cast<QGroupBox *>(widget))
            check(widget, group->title());
        if (auto *edit = qobject_cast<QLineEdit *>(widget))
            check(widget, edit->placeholderText());
        if (auto *combo = qobject_cast<QComboBox *>(widget))
            for (int i = 0; i < combo->count(); ++i)
                check(widget, combo->itemText(i));
        if (auto *list = qobject_cast<QListWidget *>(widget))
            for (int i = 0; i < list->count(); ++i)
                check(widget, list->item(i)->text());
        if (auto *view = qobject_cast<QAbstractItemView *>(widget); view && view->model())
            for (int column = 0; column < view->model()->columnCount(); ++column)
                check(widget, view->model()->headerData(column, Qt::Horizontal).toString());
    }
    return found;
}

} // namespace

class EnglishInterfaceTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase()
    {
        QStandardPaths::setTestModeEnabled(true);
        QVERIFY(quil::installInterfaceTranslations(*qApp, quil::InterfaceLanguage::English,
                                                   QStringLiteral(QUIL_TRANSLATIONS_DIR)));
    }

    void languageOfTheUser_data()
    {
        QTest::addColumn<QStringList>("userLanguages");
        QTest::addColumn<QString>("forced");
        QTest::addColumn<bool>("russian");
        QTest::newRow("ru_RU") << QStringList{"ru-RU"} << QString() << true;
        QTest::newRow("en_US") << QStringList{"en-US"} << QString() << false;
        QTest::newRow("de_DE") << QStringList{"de-DE"} << QString() << false;
        QTest::newRow("LANGUAGE=de:ru") << QStringList{"de", "ru"} << QString() << true;
        QTest::newRow("C") << QStringList{"C"} << QString() << false;
        QTest::newRow("forced ru") << QStringList{"en-US"} << QStringLiteral("ru") << true;
        QTest::newRow("forced en") << QStringList{"ru-RU"} << QStringLiteral("en_GB.UTF-8") << false;
    }
    void languageOfTheUser()
    {
        QFETCH(QStringList, userLanguages);
        QFETCH(QString, forced);
        QFETCH(bool, russian);
        QCOMPARE(quil::interfaceLanguage(userLanguages, forced) == quil::InterfaceLanguage::Russian, russian);
    }

    // Every window shown, with the questions of copy, move, delete, rename,
    // a new folder, the viewer on a file and a search that finds nothing.
    void windowsAndMessagesShowNoRussian()
    {
        MainWindowFixture program;
        TempTree tree;
        tree.folder("dst");
        tree.file("a.txt", "text");
        TForm1 &form = program.start();
        TForm4 &panel = *program.windows->Form4;
        form.navigateByPath(quil::FolderPath(tree.root() + QLatin1Char('/')));
        panel.showPanel();
        panel.SecondPanelPath = quil::FolderPath(tree.path("dst") + QLatin1Char('/'));
        panel.ListSecondPanel(panel.SecondPanelPath);
        program.focusRow(QStringLiteral("a.txt"));

        program.dialogs.answerYesNo(false);
        form.SpeedButton6Click();
        program.dialogs.answerYesNo(false);
        form.SpeedButton7Click();
        program.dialogs.answerYesNoWithCheck(false, true);
        form.SpeedButton9Click();
        program.dialogs.answerInput(std::nullopt);
        form.SpeedButton3Click();
        program.dialogs.answerInput(std::nullopt);
        form.SpeedButton8Click();
        program.focusRow(QStringLiteral("a.txt"));
        form.SpeedButton4Click();
        QTRY_VERIFY(program.windows->RF->isVisible());

        const QList<QWidget *> windows{program.windows->Form1.get(),    program.windows->Form4.get(),
                                       program.windows->AboutBox.get(), program.windows->RF.get(),
                                       program.windows->SHPIC.get(),    program.windows->FILESCH.get(),
                                       program.windows->FB.get(),       program.windows->Set1.get(),
                                       program.windows->Extent.get(),   program.windows->Selekt.get()};
        QStringList found;
        for (QWidget *window : windows) {
            window->show();
            found += russianTexts(window);
        }

        quil::ScriptedDialogs progressDialogs;
        quil::FileOperation copy(progressDialogs, {tree.path("a.txt")}, tree.path("dst"), quil::FO_COPY, 0);
        quil::FileOperationProgress progress(copy);
        progress.refresh();
        found += russianTexts(&progress);

        QVERIFY(program.dialogs.shown().size() >= 5);
        for (const quil::ScriptedDialogs::Shown &shown : program.dialogs.shown())
            for (const QString &text : {shown.title, shown.text, shown.extra})
                if (hasCyrillic(text))
                    found.append(QStringLiteral("dialog: ") + text);
        QVERIFY2(found.isEmpty(), qPrintable(found.join(QLatin1Char('\n'))));
    }

    void contextMenusShowNoRussian()
    {
        using Kind = quil::MenuTarget::Kind;
        for (const Kind kind : {Kind::Volume, Kind::FolderArea, Kind::Folder, Kind::File}) {
            quil::MenuTarget target;
            target.kind = kind;
            target.removable = true;
            const QList<quil::MenuItem> items = quil::menuItemsFor(target);
            QVERIFY(!items.isEmpty());
            for (const quil::MenuItem &item : items)
                QVERIFY2(!hasCyrillic(item.text), qPrintable(item.text));
        }
    }
};

QTEST_MAIN(EnglishInterfaceTest)
#include "EnglishInterfaceTest.moc"
