#include "app/TForm1.h"
#include "app/TSet1.h"
#include "fileops/TForm4.h"
#include "listing/FolderListModel.h"
#include "listing/FolderListView.h"
#include "platform/FileClipboard.h"
#include "platform/NativePath.h"
#include "platform/ScriptedDialogs.h"
#include "shell/TAboutBox.h"
#include "support/Form1Controls.h"
#include "support/Form4Controls.h"
#include "support/MainWindowFixture.h"
#include "support/RecordingScript.h"
#include "support/TempTree.h"
#include "viewers/TExtent.h"
#include "viewers/TRF.h"

#include <QApplication>
#include <QComboBox>
#include <QFile>
#include <QFileInfo>
#include <QKeyEvent>
#include <QKeySequence>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QStandardPaths>
#include <QTest>
#include <QTimer>

using Kind = quil::ScriptedDialogs::Kind;

// The main list's key map, key by key, on the real windows and real files.
class TForm1KeysTest : public QObject
{
    Q_OBJECT

    struct Program : MainWindowFixture
    {
        TempTree files;

        Program()
        {
            files.file("a.txt", "alpha");
            files.file("b.doc", "beta");
            files.file("jam");
            files.folder("sub");
            files.file("sub/inner.txt", QByteArray(10240, 'x'));
            start();
            form().navigateByPath(quil::FolderPath(files.root()));
        }
        void press(const QString &row, int key, Qt::KeyboardModifiers modifiers = Qt::NoModifier)
        {
            focusRow(row);
            QTest::keyClick(ui(form()).ListView, Qt::Key(key), modifiers);
        }
        QString selected() const
        {
            const int row = form().currentRow();
            return row < 0 ? QString() : form().listing().entry(row).name;
        }
        QStringList titles() const
        {
            QStringList result;
            for (const quil::ScriptedDialogs::Shown &shown : dialogs.shown())
                result.append(shown.title);
            return result;
        }
    };

private Q_SLOTS:
    void initTestCase() { QStandardPaths::setTestModeEnabled(true); }

    // Keys whose command asks a question or shows a window; each question is
    // left unanswered, so no file changes.
    void commandKeys_data()
    {
        QTest::addColumn<int>("key");
        QTest::addColumn<int>("modifiers");
        QTest::addColumn<QString>("shown");
        QTest::newRow("F3 views") << int(Qt::Key_F3) << 0 << "window:RF";
        QTest::newRow("Ctrl+F5 copies") << int(Qt::Key_F5) << int(Qt::ControlModifier) << "Копировать с именем";
        QTest::newRow("F6 moves") << int(Qt::Key_F6) << 0 << "Переместить с именем";
        QTest::newRow("F7 creates a folder") << int(Qt::Key_F7) << 0 << "Создать новую папку";
        QTest::newRow("F8 deletes") << int(Qt::Key_F8) << 0 << "Удаление выделенных объектов...";
        QTest::newRow("F9 settings") << int(Qt::Key_F9) << 0 << "window:Set1";
        QTest::newRow("F10 extensions") << int(Qt::Key_F10) << 0 << "window:Extent";
        QTest::newRow("keypad + selects") << int(Qt::Key_Plus) << int(Qt::KeypadModifier) << "Выделение файлов";
        QTest::newRow("keypad - unselects")
            << int(Qt::Key_Minus) << int(Qt::KeypadModifier) << "Отмена выделения файлов";
    }
    void commandKeys()
    {
        QFETCH(int, key);
        QFETCH(int, modifiers);
        QFETCH(QString, shown);
        Program program;
        program.press(QStringLiteral("a.txt"), key, Qt::KeyboardModifiers(modifiers));
        if (shown.startsWith(QLatin1String("window:"))) {
            QWidget *window = nullptr;
            if (shown == QLatin1String("window:RF"))
                window = program.windows->RF.get();
            else if (shown == QLatin1String("window:Set1"))
                window = program.windows->Set1.get();
            else
                window = program.windows->Extent.get();
            QVERIFY(window->isVisible());
        } else {
            QVERIFY2(program.titles().contains(shown), qPrintable(program.titles().join(QLatin1Char('|'))));
        }
        QCOMPARE(ui(program.form()).Label9->text(), QStringLiteral("Жду команды..."));
        QVERIFY(QFileInfo::exists(program.files.path("a.txt")));
    }

    void f1ShowsTheAboutWindow()
    {
        Program program;
        TAboutBox &about = *program.windows->AboutBox;
        program.focusRow(QStringLiteral("a.txt"));
        bool shown = false;
        // The about window is modal: its loop runs the check and closes it.
        QTimer::singleShot(0, &about, [&] {
            shown = about.isVisible() && about.isModal();
            about.close();
        });
        QTest::keyClick(ui(program.form()).ListView, Qt::Key_F1);
        QVERIFY(shown);
        QCOMPARE(ui(program.form()).Label9->text(), QStringLiteral("Жду команды..."));
    }

    void mainKeyboardPlusAndUnknownKeysOnlySetTheStatus()
    {
        Program program;
        program.press(QStringLiteral("a.txt"), Qt::Key_Plus);
        program.press(QStringLiteral("a.txt"), Qt::Key_F12);
        QVERIFY(program.dialogs.shown().isEmpty());
        QCOMPARE(ui(program.form()).Label9->text(), QStringLiteral("Жду команды..."));
    }

    void keypadMasksUseTheDefaultWhenCancelled()
    {
        Program program;
        program.press(QStringLiteral("a.txt"), Qt::Key_Plus, Qt::KeypadModifier);
        // "*.*" wants a dot: the names without one stay unmarked.
        QCOMPARE(program.marked(), (QStringList{QStringLiteral("a.txt"), QStringLiteral("b.doc")}));
        program.dialogs.answerInput(QStringLiteral("*.doc"));
        program.press(QStringLiteral("a.txt"), Qt::Key_Minus, Qt::KeypadModifier);
        QCOMPARE(program.marked(), QStringList{QStringLiteral("a.txt")});
    }

    void spaceAndInsertToggleMarks()
    {
        Program program;
        program.press(QStringLiteral("a.txt"), Qt::Key_Space);
        QCOMPARE(program.marked(), QStringList{QStringLiteral("a.txt")});
        QCOMPARE(program.selected(), QStringLiteral("a.txt"));
        program.press(QStringLiteral("a.txt"), Qt::Key_Space);
        QVERIFY(program.marked().isEmpty());

        // A marked folder has its size walked into the summary.
        program.press(QStringLiteral("sub"), Qt::Key_Space);
        QCOMPARE(program.marked(), QStringList{QStringLiteral("sub")});
        const QString beforeWalk = ui(program.form()).Label1->text();
        QTRY_VERIFY(ui(program.form()).Label1->text() != beforeWalk);

        program.press(QStringLiteral("a.txt"), Qt::Key_Insert);
        QVERIFY(program.marked().contains(QStringLiteral("a.txt")));
        QVERIFY(program.selected() != QStringLiteral("a.txt"));
        const QString last = program.form().listing().entry(program.form().listing().count() - 1).name;
        program.press(last, Qt::Key_Insert);
        QVERIFY(program.marked().contains(last));
        QCOMPARE(program.selected(), last);
    }

    void ctrlJQuotesPathsIntoTheCommandLine()
    {
        Program program;
        QComboBox *line = ui(program.form()).ComboBox1;
        program.press(QStringLiteral("a.txt"), Qt::Key_J, Qt::ControlModifier);
        program.press(QStringLiteral("b.doc"), Qt::Key_J, Qt::ControlModifier);
        QCOMPARE(line->currentText(), QLatin1Char('"') + program.files.path("a.txt") + QStringLiteral("\" \"") +
                                          program.files.path("b.doc") + QLatin1Char('"'));
        // J alone is the prefix search's.
        line->setEditText(QString());
        program.press(QStringLiteral("a.txt"), Qt::Key_J);
        QVERIFY(line->currentText().isEmpty());
        QCOMPARE(program.selected(), QStringLiteral("jam"));
    }

    void ctrlJPathIsOneArgumentWhateverTheName_data()
    {
        QTest::addColumn<QByteArray>("program");
        QTest::addColumn<QByteArray>("name");
        const QByteArray tar = "x\" \"--checkpoint=1\" \"--checkpoint-action=exec=touch PWNED";
        // The program too is inserted by Ctrl+J; the second one's name holds quotes.
        QTest::newRow("quotes that would add options") << QByteArray("rec.sh") << tar;
        QTest::newRow("quoted program, quoted name") << QByteArray("rec\" \"--x.sh") << tar;
        QTest::newRow("quotes in a row") << QByteArray("rec.sh") << QByteArray("a\"\"b\"\"\"c");
        QTest::newRow("quote first and last") << QByteArray("rec.sh") << QByteArray("\"edge\"");
        QTest::newRow("blanks and tab") << QByteArray("rec.sh") << QByteArray(" two  blanks\tand tab ");
        QTest::newRow("not UTF-8") << QByteArray("rec.sh") << QByteArray("\xff\xfe \"\xc0");
    }

    // Regression: a quote in a name ended the inserted quote early, and the
    // rest of the name became arguments of their own (options of tar).
    void ctrlJPathIsOneArgumentWhateverTheName()
    {
        QFETCH(QByteArray, program);
        QFETCH(QByteArray, name);
        Program window;
        TempTree records;
        const QString record = records.path("argv");
        recordingScript(window.files, program, record);
        window.files.file(name, "data");
        window.form().navigateByPath(quil::FolderPath(window.files.root()));
        window.press(quil::fromNative(program), Qt::Key_J, Qt::ControlModifier);
        window.press(quil::fromNative(name), Qt::Key_J, Qt::ControlModifier);
        QTest::keyClick(ui(window.form()).ComboBox1->lineEdit(), Qt::Key_Return);
        const QList<QByteArray> argv = waitForRecord(record);
        QCOMPARE(argv.size(), 2);
        QCOMPARE(argv.at(1), window.files.rootBytes() + '/' + name);
        QVERIFY(window.dialogs.messages().isEmpty());
    }

    void backspaceGoesUpExceptWhileANameIsEdited()
    {
        Program program;
        TForm1 &form = program.form();
        program.press(QStringLiteral("a.txt"), Qt::Key_F2);
        QCOMPARE(form.CurrentItemName, QStringLiteral("a.txt"));
        QLineEdit *editor = nullptr;
        QTRY_VERIFY((editor = ui(form).ListView->viewport()->findChild<QLineEdit *>()) != nullptr);
        QTRY_VERIFY(editor->hasFocus());
        editor->end(false);
        QTest::keyClick(editor, Qt::Key_Backspace);
        QCOMPARE(editor->text(), QStringLiteral("a.tx"));
        QCOMPARE(ui(form).cbPath->currentText(), program.files.root() + QLatin1Char('/'));
        QTest::keyClick(editor, Qt::Key_Escape);

        program.press(QStringLiteral("sub"), Qt::Key_Return);
        QCOMPARE(ui(form).cbPath->currentText(), program.files.path("sub/"));
        program.press(QStringLiteral("inner.txt"), Qt::Key_Backspace);
        QCOMPARE(ui(form).cbPath->currentText(), program.files.root() + QLatin1Char('/'));
        QCOMPARE(program.selected(), QStringLiteral("sub"));
    }

    // Guards against the editor's keys reaching the key map: Enter opened the
    // folder under its old name, F8 asked to delete it.
    void keysInTheNameEditorRunNoCommand_data()
    {
        QTest::addColumn<QString>("row");
        QTest::addColumn<int>("key");
        QTest::addColumn<bool>("renamed");
        QTest::newRow("Enter on a folder") << "sub" << int(Qt::Key_Return) << true;
        QTest::newRow("keypad Enter on a file") << "b.doc" << int(Qt::Key_Enter) << true;
        QTest::newRow("F8") << "a.txt" << int(Qt::Key_F8) << false;
        QTest::newRow("F5") << "sub" << int(Qt::Key_F5) << false;
        QTest::newRow("Down") << "a.txt" << int(Qt::Key_Down) << false;
        QTest::newRow("Escape") << "sub" << int(Qt::Key_Escape) << false;
    }
    void keysInTheNameEditorRunNoCommand()
    {
        QFETCH(QString, row);
        QFETCH(int, key);
        QFETCH(bool, renamed);
        Program program;
        TForm1 &form = program.form();
        const QString folder = ui(form).cbPath->currentText();
        program.press(row, Qt::Key_F2);
        QLineEdit *editor = nullptr;
        QTRY_VERIFY((editor = ui(form).ListView->viewport()->findChild<QLineEdit *>()) != nullptr);
        editor->setText(QStringLiteral("renamed"));
        QTest::keyClick(editor, Qt::Key(key));
        const QStringList told{QStringLiteral("Меняем имя : ") + row + QStringLiteral(" - на  -renamed")};
        QTRY_COMPARE(program.dialogs.messages(), renamed ? told : QStringList());
        QCOMPARE(QFileInfo::exists(program.files.path("renamed")), renamed);
        QCOMPARE(QFileInfo::exists(program.files.path(row.toUtf8())), !renamed);
        // Nothing opened, asked or started; the editor is still open after a command key.
        QCOMPARE(ui(form).cbPath->currentText(), folder);
        QCOMPARE(program.dialogs.shown().size(), renamed ? 1 : 0);
        const bool stillEditing = key != Qt::Key_Escape && !renamed;
        QCOMPARE(ui(form).ListView->isEditingName(), stillEditing);
        if (stillEditing)
            QCOMPARE(program.selected(), row);
    }

    void tabMovesToTheShownSecondPanelAndBack()
    {
        Program program;
        TForm4 &panel = *program.windows->Form4;
        panel.showPanel();
        program.press(QStringLiteral("a.txt"), Qt::Key_Tab);
        quil::PanelListView *panelList = ui(panel).ListView1;
        QTRY_VERIFY(panelList->hasFocus());
        QTest::keyClick(panelList, Qt::Key_Tab);
        QTRY_VERIFY(ui(program.form()).ListView->hasFocus());
        QTRY_VERIFY(program.form().isActiveWindow());
        QCOMPARE(program.selected(), QStringLiteral("a.txt"));
    }

    // Ctrl+R reads the folder again, for file systems that send no notices;
    // R alone is no command.
    void ctrlRReadsTheFolderAgain()
    {
        Program program;
        const int before = program.form().listing().count();
        program.files.file("new.txt");
        program.press(QStringLiteral("a.txt"), Qt::Key_R);
        QCOMPARE(program.form().listing().count(), before);
        program.press(QStringLiteral("a.txt"), Qt::Key_R, Qt::ControlModifier);
        QCOMPARE(program.form().listing().count(), before + 1);
    }

    // Delete is F8; Shift+Delete asks the same question with the trash box unticked.
    void deleteKeysAskTheDeleteQuestion_data()
    {
        QTest::addColumn<int>("modifiers");
        QTest::addColumn<bool>("toTrash");
        QTest::newRow("Delete") << 0 << true;
        QTest::newRow("Shift+Delete") << int(Qt::ShiftModifier) << false;
    }
    void deleteKeysAskTheDeleteQuestion()
    {
        QFETCH(int, modifiers);
        QFETCH(bool, toTrash);
        Program program;
        program.press(QStringLiteral("a.txt"), Qt::Key_Delete, Qt::KeyboardModifiers(modifiers));
        const QList<quil::ScriptedDialogs::Shown> asked = program.dialogs.shown(Kind::YesNoWithCheck);
        QCOMPARE(asked.size(), 1);
        QCOMPARE(asked.first().title, QStringLiteral("Удаление выделенных объектов..."));
        QVERIFY(asked.first().text.contains(QStringLiteral("a.txt")));
        QCOMPARE(asked.first().checked, toTrash);
        QCOMPARE(program.dialogs.messages(), QStringList{QStringLiteral("Удаление отменено")});
        QVERIFY(QFileInfo::exists(program.files.path("a.txt")));
        if (toTrash)
            return;
        // Yes with the box left unticked deletes for good.
        program.dialogs.answerYesNoWithCheck(true, false);
        program.press(QStringLiteral("b.doc"), Qt::Key_Delete, Qt::KeyboardModifiers(modifiers));
        QVERIFY(!QFileInfo::exists(program.files.path("b.doc")));
        QCOMPARE(program.form().listing().findEntry(QStringLiteral("b.doc")), -1);
    }

    // Ctrl+A is the keypad's + with the mask "*": every file, no folder.
    void ctrlAMarksEveryFile()
    {
        Program program;
        program.press(QStringLiteral("sub"), Qt::Key_A, Qt::ControlModifier);
        QCOMPARE(program.marked(),
                 (QStringList{QStringLiteral("a.txt"), QStringLiteral("b.doc"), QStringLiteral("jam")}));
        QVERIFY(program.dialogs.shown().isEmpty());
    }

    // Ctrl+C and Ctrl+X put the marked entries (else the current row's) on
    // the clipboard as the context menu does; Ctrl+V copies or moves them
    // into the listed folder.
    void clipboardKeysCopyCutAndPaste()
    {
        Program program;
        TForm1 &form = program.form();
        program.press(QStringLiteral("a.txt"), Qt::Key_Space);
        program.press(QStringLiteral("b.doc"), Qt::Key_Space);
        program.press(QStringLiteral("jam"), Qt::Key_C, Qt::ControlModifier);
        QCOMPARE(quil::filesOnClipboard().paths,
                 (QStringList{program.files.path("a.txt"), program.files.path("b.doc")}));
        QVERIFY(!quil::filesOnClipboard().cut);
        form.navigateByPath(quil::FolderPath(program.files.path("sub")));
        program.press(QStringLiteral("inner.txt"), Qt::Key_V, Qt::ControlModifier);
        QVERIFY(QFileInfo::exists(program.files.path("sub/a.txt")));
        QVERIFY(QFileInfo::exists(program.files.path("sub/b.doc")));
        QVERIFY(QFileInfo::exists(program.files.path("a.txt")));
        // The pasted files are listed.
        QVERIFY(form.listing().findEntry(QStringLiteral("b.doc")) >= 0);

        form.navigateByPath(quil::FolderPath(program.files.root()));
        program.press(QStringLiteral("jam"), Qt::Key_X, Qt::ControlModifier);
        QCOMPARE(quil::filesOnClipboard().paths, QStringList{program.files.path("jam")});
        QVERIFY(quil::filesOnClipboard().cut);
        form.navigateByPath(quil::FolderPath(program.files.path("sub")));
        program.press(QStringLiteral("inner.txt"), Qt::Key_V, Qt::ControlModifier);
        QVERIFY(QFileInfo::exists(program.files.path("sub/jam")));
        QVERIFY(!QFileInfo::exists(program.files.path("jam")));
        QVERIFY(quil::filesOnClipboard().isEmpty());
        QVERIFY(program.dialogs.messages().isEmpty());
    }

    // Ctrl+H hides the entries whose names begin with "." and shows them
    // again; the choice outlives the program.
    void ctrlHHidesAndShowsHiddenEntries()
    {
        Program program;
        program.files.file(".hidden");
        program.form().navigateByPath(quil::FolderPath(program.files.root()));
        QVERIFY(program.form().listing().findEntry(QStringLiteral(".hidden")) >= 0);
        program.press(QStringLiteral("b.doc"), Qt::Key_H, Qt::ControlModifier);
        QCOMPARE(program.form().listing().findEntry(QStringLiteral(".hidden")), -1);
        QCOMPARE(program.selected(), QStringLiteral("b.doc"));
        program.press(QStringLiteral("b.doc"), Qt::Key_H, Qt::ControlModifier);
        QVERIFY(program.form().listing().findEntry(QStringLiteral(".hidden")) >= 0);

        program.press(QStringLiteral("b.doc"), Qt::Key_H, Qt::ControlModifier);
        program.form().close();
        program.windows.reset();
        program.start();
        program.form().navigateByPath(quil::FolderPath(program.files.root()));
        QCOMPARE(program.form().listing().findEntry(QStringLiteral(".hidden")), -1);
        QVERIFY(program.dialogs.messages().isEmpty());
    }

    // Ctrl+D keeps the listed folder among the favourites (a second Ctrl+D
    // takes it off); after a restart the path box's drop-down holds it and
    // Ctrl+B's menu lists it.
    void ctrlDKeepsFavouritesAndCtrlBJumpsToThem()
    {
        Program program;
        program.form().navigateByPath(quil::FolderPath(program.files.path("sub")));
        program.press(QStringLiteral("inner.txt"), Qt::Key_D, Qt::ControlModifier);
        program.press(QStringLiteral("inner.txt"), Qt::Key_D, Qt::ControlModifier);
        program.press(QStringLiteral("inner.txt"), Qt::Key_D, Qt::ControlModifier);
        program.form().navigateByPath(quil::FolderPath(program.files.root()));
        program.press(QStringLiteral("a.txt"), Qt::Key_D, Qt::ControlModifier);
        program.form().close();
        program.windows.reset();
        program.start();
        program.form().navigateByPath(quil::FolderPath(program.files.root()));
        const QComboBox &box = *ui(program.form()).cbPath;
        QCOMPARE(box.itemText(box.count() - 2), program.files.path("sub"));
        QCOMPARE(box.itemText(box.count() - 1), program.files.root());
        program.focusRow(QStringLiteral("a.txt"));
        // The menu's own loop picks the first folder.
        QTimer::singleShot(0, [] {
            QWidget *menu = QApplication::activePopupWidget();
            QVERIFY(menu != nullptr);
            QTest::keyClick(menu, Qt::Key_Down);
            QTest::keyClick(menu, Qt::Key_Return);
        });
        QTest::keyClick(ui(program.form()).ListView, Qt::Key_B, Qt::ControlModifier);
        QCOMPARE(program.form().listedFolder().path(), program.files.path("sub"));
        QVERIFY(program.dialogs.messages().isEmpty());
    }

    // Ctrl+T: x-terminal-emulator, else $TERMINAL, started in the listed
    // folder; neither is told.
    void ctrlTOpensATerminalInTheListedFolder_data()
    {
        QTest::addColumn<bool>("debianTerminal");
        QTest::addColumn<bool>("terminalVariable");
        QTest::newRow("x-terminal-emulator first") << true << true;
        QTest::newRow("TERMINAL") << false << true;
        QTest::newRow("none") << false << false;
    }
    void ctrlTOpensATerminalInTheListedFolder()
    {
        QFETCH(bool, debianTerminal);
        QFETCH(bool, terminalVariable);
        Program program;
        TempTree tools;
        // PATH holds only these: no terminal of the machine is found.
        tools.folder("bin");
        QVERIFY(QFile::link(QStringLiteral("/bin/mv"), tools.path("bin/mv")));
        if (debianTerminal)
            recordingScript(tools, "bin/x-terminal-emulator", tools.path("debian"));
        const QString other = recordingScript(tools, "other-terminal", tools.path("other"));
        const QByteArray path = qgetenv("PATH");
        const QByteArray terminal = qgetenv("TERMINAL");
        qputenv("PATH", quil::toNative(tools.path("bin")));
        if (terminalVariable)
            qputenv("TERMINAL", quil::toNative(other));
        else
            qunsetenv("TERMINAL");
        program.form().navigateByPath(quil::FolderPath(program.files.path("sub")));
        program.press(QStringLiteral("inner.txt"), Qt::Key_T, Qt::ControlModifier);
        qputenv("PATH", path);
        qputenv("TERMINAL", terminal);
        if (!debianTerminal && !terminalVariable) {
            QCOMPARE(program.dialogs.messages(),
                     QStringList{QStringLiteral(
                         "Терминал не найден: нет программы x-terminal-emulator, и переменная TERMINAL не задана")});
            return;
        }
        const QList<QByteArray> record = waitForRecord(tools.path(debianTerminal ? "debian" : "other"));
        QCOMPARE(record, QList<QByteArray>{quil::toNative(program.files.path("sub"))});
        QVERIFY(program.dialogs.messages().isEmpty());
    }

    // While a name is found by typing, a Space is part of it; a Space that
    // starts no name marks and stays on its row.
    void spaceWhileTypingANameIsPartOfIt()
    {
        Program program;
        for (const char *name : {" lead.txt", "x y.txt", "x z.txt"})
            program.files.file(name);
        program.form().navigateByPath(quil::FolderPath(program.files.root()));
        program.press(QStringLiteral("a.txt"), Qt::Key_Space);
        QCOMPARE(program.marked(), QStringList{QStringLiteral("a.txt")});
        QCOMPARE(program.selected(), QStringLiteral("a.txt"));
        program.press(QStringLiteral("a.txt"), Qt::Key_Space);

        program.focusRow(QStringLiteral("a.txt"));
        QTest::keyClicks(ui(program.form()).ListView, QStringLiteral("x z"));
        QCOMPARE(program.selected(), QStringLiteral("x z.txt"));
        QVERIFY(program.marked().isEmpty());
    }

    void shiftF4CancelledLeavesTheStatus()
    {
        Program program;
        program.focusRow(QStringLiteral("a.txt"));
        program.form().setStatus(QStringLiteral("прежний"));
        // Only the F4 press: Shift's own press sets the status like any key.
        QKeyEvent press(QEvent::KeyPress, Qt::Key_F4, Qt::ShiftModifier);
        QApplication::sendEvent(ui(program.form()).ListView, &press);
        QCOMPARE(program.titles(), QStringList{QStringLiteral("Создаем текстовый  файл")});
        QCOMPARE(ui(program.form()).Label9->text(), QStringLiteral("прежний"));
    }

    // Regression: after a click on the empty area took the selection away, a
    // key that landed on the current row left it unselected; in a folder of
    // one entry the next command said "Ничего не выбрано".
    void keyLandingOnTheCurrentRowSelectsIt_data()
    {
        QTest::addColumn<int>("key");
        for (const int key : {Qt::Key_Home, Qt::Key_End, Qt::Key_Up, Qt::Key_Down, Qt::Key_PageUp, Qt::Key_PageDown})
            QTest::newRow(qPrintable(QKeySequence(key).toString())) << key;
    }
    void keyLandingOnTheCurrentRowSelectsIt()
    {
        QFETCH(int, key);
        Program program;
        program.form().navigateByPath(quil::FolderPath(program.files.path("sub")));
        program.focusRow(QStringLiteral("inner.txt"));
        quil::FolderListView &list = *ui(program.form()).ListView;
        QTest::mouseClick(list.viewport(), Qt::LeftButton, {}, QPoint(5, list.viewport()->height() - 5));
        QCOMPARE(program.selected(), QString());
        QTest::keyClick(&list, Qt::Key(key));
        QCOMPARE(program.selected(), QStringLiteral("inner.txt"));
        program.dialogs.answerInput(std::nullopt);
        QTest::keyClick(&list, Qt::Key_F5);
        QCOMPARE(program.titles(), QStringList{QStringLiteral("Копировать с именем")});
    }
};

QTEST_MAIN(TForm1KeysTest)
#include "TForm1KeysTest.moc"
