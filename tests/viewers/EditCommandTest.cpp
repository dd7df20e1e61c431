#include "app/TForm1.h"
#include "app/TSet1.h"
#include "listing/FolderListView.h"
#include "platform/NativePath.h"
#include "platform/ScriptedDialogs.h"
#include "support/Form1Controls.h"
#include "support/MainWindowFixture.h"
#include "support/RecordingScript.h"
#include "support/Set1Controls.h"
#include "support/TempTree.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QStandardPaths>
#include <QTest>
#include <QTimer>
#include <QToolButton>

#include <cerrno>
#include <cstring>
#include <functional>

// The Edit command, the new text file and the command line, with real
// recording programs as the editors and the typed programs.
class EditCommandTest : public QObject
{
    Q_OBJECT

    // The desktop's text editor for the whole run: GIO reads the defaults once.
    TempTree m_desktop;

    struct Program : MainWindowFixture
    {
        TempTree files;
        QString record = files.path("record");

        Program()
        {
            files.file("my file.txt", "text");
            files.folder("sub");
            files.folder("bin");
            files.folder("bin dir");
            start();
            form().navigateByPath(quil::FolderPath(files.root()));
        }
        // The settings' editor: runs `first`, then creates the file it was
        // given, as an editor saving it does, and records its arguments.
        void useEditor(const QByteArray &first = {})
        {
            const QString editor =
                files.file("bin/editor.sh", "#!/bin/sh\n" + first + "\n: > \"$1\"\nprintf '%s\\0' \"$@\" > '" +
                                                quil::toNative(record) + ".part' && mv '" + quil::toNative(record) +
                                                ".part' '" + quil::toNative(record) + "'\n");
            QFile::setPermissions(editor, QFile::permissions(editor) | QFile::ExeOwner);
            ui(*windows->Set1).CheckBox3->setChecked(true);
            ui(*windows->Set1).Edit4->setText(editor);
        }
        // An editor that marks its start with the file "started", then saves
        // only once the file "go" exists; after a minute without it, it
        // gives up without saving.
        void useEditorWaitingForGo()
        {
            const QByteArray started = quil::toNative(files.path("started"));
            const QByteArray go = quil::toNative(files.path("go"));
            useEditor(": > '" + started + "'\nn=0\nwhile [ ! -e '" + go +
                      "' ] && [ $n -lt 6000 ]; do sleep 0.01; n=$((n + 1)); done\n[ -e '" + go + "' ] || exit 1");
        }
        // Runs action on the window thread once the editor has started.
        void onceTheEditorRuns(QTimer &poll, std::function<void()> action)
        {
            poll.setInterval(10);
            QObject::connect(&poll, &QTimer::timeout, &form(), [this, &poll, action = std::move(action)] {
                if (!QFile::exists(files.path("started")))
                    return;
                poll.stop();
                action();
            });
            poll.start();
        }
        void press(const QString &row, Qt::KeyboardModifiers modifiers)
        {
            focusRow(row);
            QTest::keyClick(ui(form()).ListView, Qt::Key_F4, modifiers);
        }
        void runLine(const QString &line)
        {
            ui(form()).ComboBox1->setEditText(line);
            QTest::keyClick(ui(form()).ComboBox1->lineEdit(), Qt::Key_Return);
        }
    };

private Q_SLOTS:
    void initTestCase()
    {
        QStandardPaths::setTestModeEnabled(true);
        installTestTextOpener(m_desktop, "quil-edit-test");
    }

    void editGivesTheSettingsEditorThePathAsOneArgument()
    {
        Program program;
        program.useEditor();
        // Ctrl does not keep F4 from editing.
        program.press(QStringLiteral("my file.txt"), Qt::ControlModifier);
        QCOMPARE(waitForRecord(program.record), (QList<QByteArray>{quil::toNative(program.files.path("my file.txt"))}));
        QCOMPARE(ui(program.form()).Label9->text(), QStringLiteral("Жду команды..."));
    }

    void editWithoutASettingUsesTheDesktopTextEditor()
    {
        Program program;
        program.press(QStringLiteral("my file.txt"), Qt::NoModifier);
        const QList<QByteArray> record = waitForRecord(m_desktop.path("opened"));
        QCOMPARE(record.value(1), quil::toNative(program.files.path("my file.txt")));
        QFile::remove(m_desktop.path("opened"));
    }

    void editLeavesFoldersAndNeedsARow()
    {
        Program program;
        program.useEditor();
        program.press(QStringLiteral("sub"), Qt::NoModifier);
        ui(program.form()).ListView->clearSelection();
        ui(program.form()).SpeedButton5->click();
        QCOMPARE(program.dialogs.messages(), QStringList{QStringLiteral("Ничего не выбрано")});
        // Neither asked the launcher for anything.
        QCOMPARE(program.test.launcher.requests, 0);
    }

    void newTextFileWaitsForTheEditorThenRelists()
    {
        Program program;
        program.useEditorWaitingForGo();
        program.dialogs.answerInput(QStringLiteral("new.txt"));
        // The editor saves only after the window has run a timer during the
        // wait: a wait that blocked the window would leave it unsaved.
        QTimer poll;
        program.onceTheEditorRuns(poll, [&program] { program.files.file("go"); });
        program.press(QStringLiteral("my file.txt"), Qt::ShiftModifier);
        // Back from the wait: the editor has ended.
        QVERIFY(QFile::exists(program.files.path("new.txt")));
        QCOMPARE(waitForRecord(program.record), (QList<QByteArray>{quil::toNative(program.files.path("new.txt"))}));
        QVERIFY(program.form().listing().findEntry(QStringLiteral("new.txt")) >= 0);
    }

    void closingTheWindowEndsTheWait()
    {
        Program program;
        program.useEditorWaitingForGo();
        program.dialogs.answerInput(QStringLiteral("new.txt"));
        QTimer poll;
        program.onceTheEditorRuns(poll, [&program] { program.form().close(); });
        program.press(QStringLiteral("my file.txt"), Qt::ShiftModifier);
        // Back while the editor still runs: it has not saved.
        QVERIFY(!QFile::exists(program.record));
        QVERIFY(!QFile::exists(program.files.path("new.txt")));
        // Let it end before its folder goes.
        program.files.file("go");
        QVERIFY(!waitForRecord(program.record).isEmpty());
    }

    void newTextFileWithAnEditorThatCannotStart()
    {
        Program program;
        ui(*program.windows->Set1).CheckBox3->setChecked(true);
        ui(*program.windows->Set1).Edit4->setText(program.files.path("missing-editor"));
        program.dialogs.answerInput(QStringLiteral("new.txt"));
        program.press(QStringLiteral("my file.txt"), Qt::ShiftModifier);
        QCOMPARE(program.dialogs.messages(), QStringList{QStringLiteral("Ошибка при запуске текстового редактора ")});
    }

    // Guards against "../x" naming a file outside the folder and an empty
    // name the folder itself.
    void newTextFileRefusesNamesOutsideTheFolder_data()
    {
        QTest::addColumn<QString>("name");
        QTest::newRow("up and out") << "../x";
        QTest::newRow("empty") << "";
    }
    void newTextFileRefusesNamesOutsideTheFolder()
    {
        QFETCH(QString, name);
        Program program;
        program.useEditor();
        program.dialogs.answerInput(name);
        program.press(QStringLiteral("my file.txt"), Qt::ShiftModifier);
        const QString folder = program.files.root() + QLatin1Char('/');
        const auto refused = program.dialogs.shown(quil::ScriptedDialogs::Kind::ItemError);
        QCOMPARE(refused.size(), 1);
        QCOMPARE(refused.first().text, folder + name);
        QCOMPARE(refused.first().extra, QString::fromLocal8Bit(std::strerror(EINVAL)));
        // No editor was started.
        QCOMPARE(program.test.launcher.requests, 0);
        QVERIFY(!QFile::exists(program.record));
    }

    // Guards against the box's inline completion: Enter ran an older line
    // that began with the typed text.
    void commandLineRunsWhatWasTyped()
    {
        Program program;
        const QString script = recordingScript(program.files, "bin dir/rec.sh", program.record);
        const QString quoted = QLatin1Char('"') + script + QLatin1Char('"');
        program.runLine(quoted + QStringLiteral(" older"));
        QCOMPARE(waitForRecord(program.record).mid(1), QList<QByteArray>{"older"});
        QVERIFY(QFile::remove(program.record));
        QLineEdit *line = ui(program.form()).ComboBox1->lineEdit();
        line->clear();
        line->setFocus();
        QTest::keyClicks(line, quoted + QStringLiteral(" o"));
        QCOMPARE(line->text(), quoted + QStringLiteral(" o"));
        QTest::keyClick(line, Qt::Key_Return);
        QCOMPARE(waitForRecord(program.record).mid(1), QList<QByteArray>{"o"});
    }

    void commandLine_data()
    {
        QTest::addColumn<QString>("arguments"); // after the program's path
        QTest::addColumn<QList<QByteArray>>("expected");
        QTest::newRow("a single blank") << " " << QList<QByteArray>{};
        QTest::newRow("words") << " one  two" << QList<QByteArray>{"one", "two"};
        QTest::newRow("shell syntax") << " ; $(id) `id` |x" << QList<QByteArray>{";", "$(id)", "`id`", "|x"};
    }
    void commandLine()
    {
        QFETCH(QString, arguments);
        QFETCH(QList<QByteArray>, expected);
        Program program;
        const QString script = recordingScript(program.files, "bin dir/rec.sh", program.record);
        const QString line = QLatin1Char('"') + script + QLatin1Char('"') + arguments;
        program.runLine(line);
        const QList<QByteArray> record = waitForRecord(program.record);
        QCOMPARE(record.mid(1), expected);
        QVERIFY(program.dialogs.messages().isEmpty());
        QCOMPARE(ui(program.form()).ComboBox1->currentText(), line);
    }

    // Typed lines and the editor once started in the home folder or the last
    // search's root instead of the listed folder.
    void programsStartInTheListedFolder_data()
    {
        QTest::addColumn<bool>("editor");
        QTest::newRow("command line") << false;
        QTest::newRow("editor") << true;
    }
    void programsStartInTheListedFolder()
    {
        QFETCH(bool, editor);
        Program program;
        const QString script = recordingScript(program.files, "bin/rec.sh", program.record);
        program.form().navigateByPath(quil::FolderPath(program.files.path("sub")));
        QVERIFY(QDir::setCurrent(QStringLiteral("/")));
        if (editor) {
            program.files.file("sub/notes.txt", "text");
            program.form().navigateByPath(quil::FolderPath(program.files.path("sub")));
            ui(*program.windows->Set1).CheckBox3->setChecked(true);
            ui(*program.windows->Set1).Edit4->setText(script);
            program.press(QStringLiteral("notes.txt"), Qt::NoModifier);
        } else {
            program.runLine(QLatin1Char('"') + script + QLatin1Char('"'));
        }
        const QList<QByteArray> record = waitForRecord(program.record);
        QVERIFY(!record.isEmpty());
        QCOMPARE(record.first(), quil::toNative(QFileInfo(program.files.path("sub")).canonicalFilePath()));
    }

    void commandLineFailuresAndHistory()
    {
        Program program;
        program.runLine(QStringLiteral("\"quil-no-such-program arg"));
        program.runLine(QStringLiteral("quil-no-such-program"));
        program.runLine(QStringLiteral("quil-no-such-program"));
        QCOMPARE(program.dialogs.messages(), (QStringList{QStringLiteral("Не могу выполнить: \""),
                                                          QStringLiteral("Не могу выполнить: quil-no-such-program"),
                                                          QStringLiteral("Не могу выполнить: quil-no-such-program")}));
        QComboBox *box = ui(program.form()).ComboBox1;
        QCOMPARE(box->count(), 3);
        QCOMPARE(box->itemText(1), box->itemText(2));
    }
};

QTEST_MAIN(EditCommandTest)
#include "EditCommandTest.moc"
