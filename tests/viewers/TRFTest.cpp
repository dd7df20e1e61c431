#include "viewers/TRF.h"
#include "platform/CodePages.h"
#include "support/TestServices.h"
#include "support/ViewerControls.h"
#include "viewers/ViewerWheelFilter.h"

#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QSignalSpy>
#include <QTest>
#include <QTextBlock>
#include <QTimer>
#include <QToolButton>
#include <QWheelEvent>

#include <memory>

using Kind = quil::ScriptedDialogs::Kind;

class TRFTest : public QObject
{
    Q_OBJECT

private:
    std::unique_ptr<TempTree> m_tree;
    std::unique_ptr<TestServices> m_services;
    quil::ScriptedDialogs *m_dialogs = nullptr;
    std::unique_ptr<TRF> m_rf;
    std::unique_ptr<quil::ViewerWheelFilter> m_wheel;

    QString firstLine() const { return ui(*m_rf).Memo1->document()->firstBlock().text(); }

    void open(const QString &path)
    {
        m_rf->setCurrentFilePath(path);
        QVERIFY(m_rf->LoadViewFile());
    }

    // A file of 64000 bytes or more, each row showing its own row number.
    QString largeFile(qint64 size)
    {
        QByteArray bytes(size, '.');
        return m_tree->file("large.bin", bytes);
    }

    void wheel(int delta)
    {
        QWidget *target = ui(*m_rf).Memo1->viewport();
        const QPointF at(10, 10);
        QWheelEvent event(at, target->mapToGlobal(at), QPoint(), QPoint(0, delta), Qt::NoButton, Qt::NoModifier,
                          Qt::NoScrollPhase, false);
        QApplication::sendEvent(target, &event);
    }

    void focusMemo()
    {
        m_rf->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(m_rf.get()));
        ui(*m_rf).Memo1->setFocus();
        QTRY_VERIFY(ui(*m_rf).Memo1->hasFocus());
    }

private Q_SLOTS:
    void init()
    {
        m_tree = std::make_unique<TempTree>();
        m_services = std::make_unique<TestServices>();
        m_dialogs = &m_services->dialogs;
        m_rf = std::make_unique<TRF>(m_services->services);
        m_wheel = std::make_unique<quil::ViewerWheelFilter>(*m_rf);
        qApp->installEventFilter(m_wheel.get());
        m_rf->show();
        QVERIFY(QTest::qWaitForWindowExposed(m_rf.get()));
    }

    void cleanup()
    {
        qApp->removeEventFilter(m_wheel.get());
        m_wheel.reset();
        m_rf.reset();
        m_dialogs = nullptr;
        m_services.reset();
        m_tree.reset();
    }

    void initialWindow()
    {
        QCOMPARE(m_rf->windowTitle(), QStringLiteral("Просмотр содержимого файлов  V1.4"));
        QCOMPARE(m_rf->size(), QSize(717, 488));
        QCOMPARE(ui(*m_rf).Memo1->geometry(), QRect(8, 40, 672, 413));
        QCOMPARE(ui(*m_rf).ScrollBar1->x(), 680);
        QVERIFY(ui(*m_rf).Memo1->isReadOnly());
        QCOMPARE(ui(*m_rf).Memo1->font().pixelSize(), 13);
        QCOMPARE(ui(*m_rf).Label3->text(), QStringLiteral("WIN"));
        QCOMPARE(ui(*m_rf).Label4->text(), QStringLiteral("UCODE  DOS"));
        QCOMPARE(ui(*m_rf).Button5->text(), QStringLiteral("TXT - HEX"));
        QCOMPARE(ui(*m_rf).Button5->toolTip(), QStringLiteral("Режимы просмотра"));
        QCOMPARE(ui(*m_rf).BitBtn1->toolTip(), QStringLiteral("Переключение кодировки"));
        QCOMPARE(ui(*m_rf).BitBtn2->toolTip(), QStringLiteral("Выход - Esc"));
        QCOMPARE(ui(*m_rf).BitBtn3->toolTip(), QStringLiteral("Завернуть длинные строки"));
        QCOMPARE(ui(*m_rf).Button3->text(), QStringLiteral("Искать >"));
        QCOMPARE(ui(*m_rf).Button3->toolTip(), QStringLiteral("Поиск в файле"));
        QCOMPARE(ui(*m_rf).Edit1->toolTip(), QStringLiteral("Введи текст для поиска"));
        QVERIFY(m_rf->LoadViewFile()); // no file set: nothing, no error
        QVERIFY(ui(*m_rf).Memo1->toPlainText().isEmpty());
        QVERIFY(m_dialogs->shown().isEmpty());
    }

    void pagedKeysAndWheel()
    {
        open(largeFile(64000));
        QVERIFY(m_rf->windowTitle().endsWith(QStringLiteral(" - Размер : 64000")));
        QVERIFY(ui(*m_rf).ScrollBar1->isVisible());
        QVERIFY(ui(*m_rf).ScrollBar1->isEnabled());
        QCOMPARE(ui(*m_rf).ScrollBar1->maximum(), 3979);
        QCOMPARE(ui(*m_rf).Memo1->document()->blockCount(), 23);
        QVERIFY(firstLine().startsWith("00000000: 2E 2E"));
        focusMemo();

        QTest::keyClick(ui(*m_rf).Memo1, Qt::Key_Down);
        QCOMPARE(ui(*m_rf).ScrollBar1->value(), 2);
        QVERIFY(firstLine().startsWith("00000010: "));
        QTest::keyClick(ui(*m_rf).Memo1, Qt::Key_PageDown);
        QCOMPARE(ui(*m_rf).ScrollBar1->value(), 25);
        QTest::keyClick(ui(*m_rf).Memo1, Qt::Key_PageUp);
        QCOMPARE(ui(*m_rf).ScrollBar1->value(), 2);
        QTest::keyClick(ui(*m_rf).Memo1, Qt::Key_End);
        QCOMPARE(ui(*m_rf).ScrollBar1->value(), 3979);
        QVERIFY(ui(*m_rf).Memo1->document()->lastBlock().text().startsWith("0000F9F0: "));
        QTest::keyClick(ui(*m_rf).Memo1, Qt::Key_Down);
        QCOMPARE(ui(*m_rf).ScrollBar1->value(), 3979);
        QTest::keyClick(ui(*m_rf).Memo1, Qt::Key_Home);
        QCOMPARE(ui(*m_rf).ScrollBar1->value(), 1);
        QTest::keyClick(ui(*m_rf).Memo1, Qt::Key_Up);
        QCOMPARE(ui(*m_rf).ScrollBar1->value(), 1);

        wheel(-120);
        QCOMPARE(ui(*m_rf).ScrollBar1->value(), 2);
        wheel(-120);
        QCOMPARE(ui(*m_rf).ScrollBar1->value(), 3);
        wheel(120);
        QCOMPARE(ui(*m_rf).ScrollBar1->value(), 2);
        QVERIFY(firstLine().startsWith("00000010: "));

        // Dragging the scroll bar renders too.
        ui(*m_rf).ScrollBar1->setValue(101);
        QVERIFY(firstLine().startsWith("00000640: "));

        // Without the focus the wheel is the text area's own.
        ui(*m_rf).Edit1->setFocus();
        QTRY_VERIFY(ui(*m_rf).Edit1->hasFocus());
        wheel(-120);
        QCOMPARE(ui(*m_rf).ScrollBar1->value(), 101);

        focusMemo();
        QTest::keyClick(ui(*m_rf).Memo1, Qt::Key_Escape);
        QVERIFY(!m_rf->isVisible());
    }

    void wholeFileKeysAndWheel()
    {
        QByteArray text;
        for (int i = 0; i < 200; ++i)
            text += "line " + QByteArray::number(i) + "\r\n";
        open(m_tree->file("small.txt", text + QByteArray("a\tb\0c", 5)));
        QVERIFY(m_rf->viewState().wholeFileMode());
        QVERIFY(!ui(*m_rf).ScrollBar1->isVisible());
        QCOMPARE(ui(*m_rf).Memo1->document()->lastBlock().text(), QStringLiteral("a\t    b►c"));
        const int before = ui(*m_rf).ScrollBar1->value();
        focusMemo();
        for (const Qt::Key key :
             {Qt::Key_Down, Qt::Key_PageDown, Qt::Key_End, Qt::Key_Up, Qt::Key_Home, Qt::Key_PageUp})
            QTest::keyClick(ui(*m_rf).Memo1, key);
        QCOMPARE(ui(*m_rf).ScrollBar1->value(), before);
        QCOMPARE(firstLine(), QStringLiteral("line 0"));

        QScrollBar *own = ui(*m_rf).Memo1->verticalScrollBar();
        QVERIFY(own->maximum() > 3);
        own->setValue(0);
        wheel(-120);
        QCOMPARE(own->value(), 1);
        wheel(-120);
        QCOMPARE(own->value(), 2);
        wheel(120);
        QCOMPARE(own->value(), 1);

        QTest::keyClick(ui(*m_rf).Memo1, Qt::Key_Escape);
        QVERIFY(!m_rf->isVisible());
    }

    void codePageCycle()
    {
        // "Ая" in UTF-16LE and in CP866.
        open(m_tree->file("u.txt", QByteArray("\x10\x04\x4F\x04", 4)));
        QCOMPARE(firstLine(), QString::fromUtf8("\x10\x04O\x04").replace(QChar(0x10), QChar(0x25BA)));
        const QStringList label3{"DOS", "UCODE", "WIN"};
        const QStringList label4{"WIN UCODE", "DOS WIN", "UCODE DOS"};
        for (int i = 0; i < 3; ++i) {
            ui(*m_rf).BitBtn1->click();
            QCOMPARE(ui(*m_rf).Label3->text(), label3[i]);
            QCOMPARE(ui(*m_rf).Label4->text(), label4[i]);
            if (label3[i] == "UCODE")
                QCOMPARE(firstLine(), QStringLiteral("Ая"));
        }
        QVERIFY(m_dialogs->shown().isEmpty());
    }

    void ucodeWholeFileTakesTheFocus()
    {
        ui(*m_rf).BitBtn1->click();
        ui(*m_rf).BitBtn1->click();
        QCOMPARE(ui(*m_rf).Label3->text(), QStringLiteral("UCODE"));
        m_rf->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(m_rf.get()));
        ui(*m_rf).Edit1->setFocus();
        QTRY_VERIFY(ui(*m_rf).Edit1->hasFocus());
        open(m_tree->file("u.txt", QByteArray("\x10\x04\x4F\x04", 4)));
        QCOMPARE(firstLine(), QStringLiteral("Ая"));
        QTRY_VERIFY(ui(*m_rf).Memo1->hasFocus());
    }

    void toggleTextHex()
    {
        open(m_tree->file("s.txt", "ABCDEFGHIJKLMNOPQR"));
        ui(*m_rf).Button5->click();
        QVERIFY(!m_rf->viewState().wholeFileMode());
        QCOMPARE(ui(*m_rf).Memo1->document()->blockCount(), 2);
        QVERIFY(ui(*m_rf).ScrollBar1->isVisible());
        QVERIFY(!ui(*m_rf).ScrollBar1->isEnabled());
        ui(*m_rf).Button5->click();
        QCOMPARE(ui(*m_rf).Memo1->toPlainText(), QStringLiteral("ABCDEFGHIJKLMNOPQR"));
        ui(*m_rf).BitBtn3->click();
        QCOMPARE(ui(*m_rf).Memo1->lineWrapMode(), QPlainTextEdit::WidgetWidth);

        // Paged text answers the search with the hint to switch.
        ui(*m_rf).Edit1->setText("abc");
        ui(*m_rf).Button3->click();
        QCOMPARE(m_dialogs->messages(), QStringList{"Файл большой! Включи - HEX "});
        QCOMPARE(ui(*m_rf).Memo1->lineWrapMode(), QPlainTextEdit::NoWrap); // the search unwraps
    }

    void hugeFileReachesItsLastPage()
    {
        // 64 GiB: more rows than the scroll bar's integer range holds.
        open(m_tree->sparseFile("huge", qint64(64) << 30));
        QVERIFY(m_rf->viewState().paging().scale() > 1);
        focusMemo();
        QTest::keyClick(ui(*m_rf).Memo1, Qt::Key_End);
        QCOMPARE(ui(*m_rf).ScrollBar1->value(), ui(*m_rf).ScrollBar1->maximum());
        QVERIFY(firstLine().startsWith("FFFFFFEA0: 00 "));
        QVERIFY(ui(*m_rf).Memo1->document()->lastBlock().text().startsWith("FFFFFFFF0: 00 "));
        QTest::keyClick(ui(*m_rf).Memo1, Qt::Key_Up);
        QVERIFY(firstLine().startsWith("FFFFFFE90: 00 "));
        ui(*m_rf).ScrollBar1->setValue(ui(*m_rf).ScrollBar1->maximum() / 2);
        QVERIFY(m_rf->viewState().pageOffset() > (qint64(30) << 30));
    }

    void noSecondSearchWhileOneRuns()
    {
        open(m_tree->file("big.bin", QByteArray(4 * 1024 * 1024, '.')));
        ui(*m_rf).Edit1->setText("absent");
        // Clicked again from inside the first search's pending-event processing.
        int nested = 0;
        QTimer::singleShot(0, m_rf.get(), [&] {
            ++nested;
            ui(*m_rf).Button3->click();
        });
        ui(*m_rf).Button3->click();
        QCOMPARE(nested, 1);
        QCOMPARE(m_dialogs->messages(), QStringList{"absent - не найдено"});
    }

    void searchWholeFile()
    {
        open(m_tree->file("s.txt", "first line\r\nxx AB yy ab\r\n" + quil::codepage::toCp1251(QStringLiteral("Ёлка"))));
        focusMemo();
        ui(*m_rf).Edit1->setText("ab");
        ui(*m_rf).Button3->click();
        QCOMPARE(ui(*m_rf).Memo1->textCursor().selectedText(), QStringLiteral("AB"));
        QCOMPARE(ui(*m_rf).Memo1->textCursor().blockNumber(), 1);
        ui(*m_rf).Edit1->setFocus();
        QTest::keyClick(ui(*m_rf).Edit1, Qt::Key_Return);
        QCOMPARE(ui(*m_rf).Memo1->textCursor().selectedText(), QStringLiteral("ab"));
        QCOMPARE(ui(*m_rf).Memo1->textCursor().selectionStart(), 20);
        ui(*m_rf).Button3->click();
        QCOMPARE(m_dialogs->shown().size(), 1);
        const quil::ScriptedDialogs::Shown shown = m_dialogs->shown().first();
        QCOMPARE(shown.text, QStringLiteral("ab- не найдено"));
        QCOMPARE(shown.title, QStringLiteral("Поиск в файле"));
        QCOMPARE(shown.icon, quil::Dialogs::Icon::Information);

        ui(*m_rf).Edit1->setText(QStringLiteral("ёлка"));
        ui(*m_rf).Memo1->moveCursor(QTextCursor::Start);
        ui(*m_rf).Button3->click();
        QCOMPARE(ui(*m_rf).Memo1->textCursor().selectedText(), QStringLiteral("Ёлка"));
    }

    void searchPagedHex()
    {
        QByteArray bytes(200000, '.');
        bytes.replace(0, 4, "Need");
        bytes.replace(0x1234, 4, "NEED");
        open(m_tree->file("big.bin", bytes));
        ui(*m_rf).Edit1->setText("need");
        ui(*m_rf).Button3->click();
        QCOMPARE(ui(*m_rf).ScrollBar1->value(), 0x123);
        QCOMPARE(ui(*m_rf).Memo1->textCursor().selectedText(), QStringLiteral("00001230"));
        QVERIFY(ui(*m_rf).Memo1->hasFocus() || !m_rf->isActiveWindow());
        QCOMPARE(ui(*m_rf).Memo1->document()->findBlockByNumber(1).text().left(8), QStringLiteral("00001230"));

        // The repeated search continues after the match line: none left.
        ui(*m_rf).Button3->click();
        QCOMPARE(m_dialogs->messages(), QStringList{"need - не найдено"});
        QCOMPARE(ui(*m_rf).ScrollBar1->value(), 0x123);

        // In DOS the message shows the text carried to CP866 ("я" is 0xEF, "п" in WIN).
        ui(*m_rf).BitBtn1->click();
        QCOMPARE(ui(*m_rf).ScrollBar1->value(), 1);
        ui(*m_rf).Edit1->setText(QStringLiteral("я"));
        ui(*m_rf).Button3->click();
        QCOMPARE(m_dialogs->messages().last(), QStringLiteral("п - не найдено"));
    }

    // WIN showed a UTF-8 file as Windows-1251 and its search found no typed Russian word.
    void utf8TextInWin()
    {
        open(m_tree->file("a.txt", QByteArray("Привет, мир\nЁж и ёж\n")));
        QCOMPARE(ui(*m_rf).Label3->text(), QStringLiteral("WIN"));
        QCOMPARE(firstLine(), QStringLiteral("Привет, мир"));
        focusMemo();
        ui(*m_rf).Memo1->moveCursor(QTextCursor::Start);
        ui(*m_rf).Edit1->setText(QStringLiteral("МИР"));
        ui(*m_rf).Button3->click();
        QCOMPARE(ui(*m_rf).Memo1->textCursor().selectedText(), QStringLiteral("мир"));
        ui(*m_rf).Edit1->setText(QStringLiteral("ёж"));
        ui(*m_rf).Button3->click();
        QCOMPARE(ui(*m_rf).Memo1->textCursor().selectedText(), QStringLiteral("Ёж"));
        QCOMPARE(ui(*m_rf).Memo1->textCursor().blockNumber(), 1);
        ui(*m_rf).Button3->click();
        QCOMPARE(ui(*m_rf).Memo1->textCursor().selectedText(), QStringLiteral("ёж"));

        // A large file in hex: the typed text is found in UTF-8 and in Windows-1251.
        QByteArray bytes(200000, '.');
        bytes.replace(0x1000, 12, QByteArray("ПРИВЕТ"));
        bytes.replace(0x3000, 6, quil::codepage::toCp1251(QStringLiteral("привет")));
        open(m_tree->file("big.txt", bytes));
        ui(*m_rf).Edit1->setText(QStringLiteral("Привет"));
        ui(*m_rf).Button3->click();
        QCOMPARE(ui(*m_rf).ScrollBar1->value(), 0x100);
        QCOMPARE(ui(*m_rf).Memo1->textCursor().selectedText(), QStringLiteral("00001000"));
        ui(*m_rf).Button3->click();
        QCOMPARE(ui(*m_rf).ScrollBar1->value(), 0x300);
        QVERIFY(m_dialogs->messages().isEmpty());
    }

    void searchWithoutFile()
    {
        ui(*m_rf).Edit1->setText("x");
        ui(*m_rf).Button3->click();
        QVERIFY(m_dialogs->shown().isEmpty());
        ui(*m_rf).Edit1->setFocus();
        QTest::keyClick(ui(*m_rf).Edit1, Qt::Key_Enter);
        QCOMPARE(m_dialogs->messages(), QStringList{"x - не найдено"});
    }

    void openErrorKeepsTheViewerUsable()
    {
        m_rf->setCurrentFilePath(m_tree->path("gone.txt"));
        QVERIFY(!m_rf->LoadViewFile());
        QCOMPARE(m_dialogs->shown(Kind::ErrorBox).size(), 1);
        QVERIFY(m_dialogs->shown(Kind::ErrorBox).first().text.startsWith("System Error.  Code: 2."));
        QVERIFY(m_rf->windowTitle().endsWith(QStringLiteral(" - Размер : 0")));
        QVERIFY(ui(*m_rf).Memo1->toPlainText().isEmpty());
        open(m_tree->file("ok.txt", "fine"));
        QCOMPARE(ui(*m_rf).Memo1->toPlainText(), QStringLiteral("fine"));
    }
};

QTEST_MAIN(TRFTest)
#include "TRFTest.moc"
