#include "app/AppWindows.h"
#include "app/TForm1.h"
#include "app/TSet1.h"
#include "listing/FolderListModel.h"
#include "listing/FolderListView.h"
#include "platform/NativePath.h"
#include "platform/ScriptedDialogs.h"
#include "support/Form1Controls.h"
#include "support/MainWindowFixture.h"
#include "support/PrivateMounts.h"
#include "support/RecordingScript.h"
#include "support/Set1Controls.h"
#include "support/TempTree.h"
#include "viewers/TRF.h"
#include "viewers/TSHPIC.h"
#include "viewers/ViewCommand.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QSignalSpy>
#include <QStandardPaths>
#include <QTest>
#include <QTimer>
#include <QToolButton>
#include <memory>

// The View command and the viewer toggle of the main window, on the real
// windows with real files and a real external program.
class TForm1ViewTest : public QObject
{
    Q_OBJECT

    struct Program : MainWindowFixture
    {
        TempTree files;

        TRF &text() { return *windows->RF; }
        TSHPIC &picture() { return *windows->SHPIC; }
        TSet1 &settings() { return *windows->Set1; }

        // Lists the files' folder, selects the named row and gives the list
        // the focus, as a user's click on it does.
        void selectInList(const QString &name)
        {
            form().navigateByPath(quil::FolderPath(files.root()));
            focusRow(name);
        }
        QString picture(const QByteArray &name, const char *format)
        {
            const QString path = files.path(name);
            QImage image(20, 10, QImage::Format_RGB32);
            image.fill(Qt::red);
            if (!image.save(path, format))
                qWarning("cannot write %s", name.constData());
            return path;
        }
    };

    // Whether the list's in-place editor is open (it holds the focus).
    static bool nameEditorOpen(TForm1 &form)
    {
        QWidget *focus = QApplication::focusWidget();
        return focus != nullptr && focus->isVisible() && ui(form).ListView->viewport()->isAncestorOf(focus);
    }

private Q_SLOTS:
    void initTestCase() { QStandardPaths::setTestModeEnabled(true); }

    void nothingSelectedOrListWithoutFocus()
    {
        Program program;
        TForm1 &form = program.start();
        program.files.file("a.txt", "text");
        program.selectInList(QStringLiteral("a.txt"));
        ui(form).ListView->clearSelection();
        ui(form).SpeedButton4->click();
        QCOMPARE(program.dialogs.messages(), QStringList{QStringLiteral("Ничего не выбрано")});

        // A selected row while the focus is elsewhere is no choice either.
        program.dialogs.clear();
        program.selectInList(QStringLiteral("a.txt"));
        ui(form).cbPath->setFocus();
        ui(form).SpeedButton4->click();
        QCOMPARE(program.dialogs.messages(), QStringList{QStringLiteral("Ничего не выбрано")});
        QVERIFY(!program.text().isVisible());
        QVERIFY(!program.picture().isVisible());
    }

    // Regression: the first click into the list, on the row already current
    // since start-up, opened the in-place editor, which took the focus.
    void firstClickIntoTheListOnlyFocuses()
    {
        Program program;
        TForm1 &form = program.start();
        program.files.file("a.txt", "text");
        form.navigateByPath(quil::FolderPath(program.files.root()));
        form.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&form));
        ui(form).cbPath->setFocus();
        QCOMPARE(ui(form).ListView->currentIndex().row(), 0);
        const QRect rect = ui(form).ListView->visualRect(form.listModel().index(0, 0));
        QTest::mouseClick(ui(form).ListView->viewport(), Qt::LeftButton, {}, rect.center());
        QVERIFY(ui(form).ListView->hasFocus());
        // The editor of a click would open once the double-click time is over.
        QTimer later;
        later.setSingleShot(true);
        QSignalSpy over(&later, &QTimer::timeout);
        later.start(QApplication::doubleClickInterval() + 1);
        QVERIFY(over.wait());
        QVERIFY(!nameEditorOpen(form));
        ui(form).SpeedButton4->click();
        QVERIFY(program.dialogs.messages().isEmpty());
        QVERIFY(program.text().isVisible());
        // Closed, so that its late activation cannot take the focus from the list below.
        program.text().close();

        // A click on the current row of the focused list edits its name.
        form.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&form));
        ui(form).ListView->setFocus();
        QTest::mouseClick(ui(form).ListView->viewport(), Qt::LeftButton, {}, rect.center());
        QTRY_VERIFY(nameEditorOpen(form));
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Escape);
        QVERIFY(!nameEditorOpen(form));
        // F2 edits at once.
        ui(form).ListView->setFocus();
        QTest::keyClick(ui(form).ListView, Qt::Key_F2);
        QVERIFY(nameEditorOpen(form));
    }

    void aFolderIsNotViewed()
    {
        Program program;
        TForm1 &form = program.start();
        program.files.folder("folder.png");
        program.selectInList(QStringLiteral("folder.png"));
        ui(form).SpeedButton4->click();
        QCOMPARE(ui(form).Label9->text(), QStringLiteral(" Просмотр..."));
        QVERIFY(!program.text().isVisible());
        QVERIFY(!program.picture().isVisible());
        QVERIFY(program.dialogs.messages().isEmpty());
    }

    void textFileOpensTheTextViewer()
    {
        Program program;
        TForm1 &form = program.start();
        const QString path = program.files.file("notes.txt", "hello");
        program.picture().show();
        program.selectInList(QStringLiteral("notes.txt"));
        ui(form).SpeedButton4->click();
        QVERIFY(program.text().isVisible());
        QVERIFY(!program.picture().isVisible());
        QCOMPARE(program.text().currentFilePath(), path);
        QVERIFY(program.text().windowTitle().contains(path));
        QVERIFY(!form.viewCommand()->LastViewWasPicture);
    }

    void pictureNeverOpensTheTextViewer_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("format"); // empty: content that is no picture
        QTest::newRow("png") << QStringLiteral("photo.png") << QStringLiteral("PNG");
        QTest::newRow("jpeg, lower case") << QStringLiteral("photo.jpeg") << QStringLiteral("JPEG");
        QTest::newRow("JPG") << QStringLiteral("PHOTO.JPG") << QStringLiteral("JPEG");
        QTest::newRow("bmp") << QStringLiteral("photo.Bmp") << QStringLiteral("BMP");
        QTest::newRow("damaged gif") << QStringLiteral("photo.gif") << QString();
        QTest::newRow("damaged ico") << QStringLiteral("photo.ico") << QString();
        QTest::newRow("damaged wmf") << QStringLiteral("photo.wmf") << QString();
    }

    void pictureNeverOpensTheTextViewer()
    {
        QFETCH(QString, name);
        QFETCH(QString, format);
        Program program;
        TForm1 &form = program.start();
        const QString path = format.isEmpty() ? program.files.file(name.toUtf8(), "not a picture")
                                              : program.picture(name.toUtf8(), qPrintable(format));
        program.text().show();
        program.selectInList(name);
        ui(form).SpeedButton4->click();
        QVERIFY(!program.text().isVisible());
        QVERIFY(program.picture().isVisible());
        QVERIFY(form.viewCommand()->LastViewWasPicture);
        QCOMPARE(program.picture().currentFilePath(), path);
        // A damaged file is reported, the title is then left as it was.
        const bool damaged = format.isEmpty();
        QCOMPARE(program.dialogs.shown(quil::ScriptedDialogs::Kind::ErrorBox).size(), damaged ? 1 : 0);
        if (!damaged)
            QCOMPARE(program.picture().windowTitle(), QStringLiteral(" Изображение:   ") + path);

        // Viewed again while the window is open: loaded into it at once.
        const QString second = program.picture("second.png", "PNG");
        program.selectInList(QStringLiteral("second.png"));
        ui(form).SpeedButton4->click();
        QVERIFY(program.picture().isVisible());
        QCOMPARE(program.picture().windowTitle(), QStringLiteral(" Изображение:   ") + second);
        QVERIFY(!program.text().isVisible());
    }

    void externalViewerGetsThePathAsOneArgument_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<bool>("isPicture");
        QTest::newRow("picture") << QStringLiteral("my holiday photo 1.JPG") << true;
        QTest::newRow("text") << QStringLiteral("read me \"now\" $(id).txt") << false;
    }

    void externalViewerGetsThePathAsOneArgument()
    {
        QFETCH(QString, name);
        QFETCH(bool, isPicture);
        Program program;
        TForm1 &form = program.start();
        TempTree tools;
        const QString record = tools.path("record");
        const QString viewer = recordingScript(tools, "viewer.sh", record);
        const Set1Controls settings = ui(program.settings());
        (isPicture ? settings.CheckBox2 : settings.CheckBox1)->setChecked(true);
        (isPicture ? settings.Edit2 : settings.Edit1)->setText(viewer);
        const QString path = program.files.file(name.toUtf8(), "content");
        program.selectInList(name);
        ui(form).SpeedButton4->click();
        const QList<QByteArray> items = waitForRecord(record);
        QCOMPARE(items.size(), 2);
        QCOMPARE(items.at(1), quil::toNative(path));
        QVERIFY(!program.text().isVisible());
        QVERIFY(!program.picture().isVisible());
        QVERIFY(program.dialogs.messages().isEmpty());
    }

    void toggleShowsAndHidesTheViewerUsedLast()
    {
        Program program;
        TForm1 &form = program.start();
        program.files.file("notes.txt", "hello");
        program.picture("photo.png", "PNG");

        // Nothing viewed yet: the text viewer is the one toggled.
        ui(form).SpeedButton12->click();
        QVERIFY(program.text().isVisible());
        ui(form).SpeedButton12->click();
        QVERIFY(!program.text().isVisible());

        program.selectInList(QStringLiteral("photo.png"));
        ui(form).SpeedButton4->click();
        QVERIFY(program.picture().isVisible());
        ui(form).SpeedButton12->click();
        QVERIFY(!program.picture().isVisible());
        program.text().show();
        ui(form).SpeedButton12->click();
        QVERIFY(program.picture().isVisible());
        QVERIFY(!program.text().isVisible());

        program.selectInList(QStringLiteral("notes.txt"));
        ui(form).SpeedButton4->click();
        QVERIFY(program.text().isVisible());
        QVERIFY(!program.picture().isVisible());
        ui(form).SpeedButton12->click();
        QVERIFY(!program.text().isVisible());
        QVERIFY(!program.picture().isVisible());
    }
};

int main(int argc, char **argv)
{
    usePrivateMounts();
    QApplication application(argc, argv);
    TForm1ViewTest test;
    return QTest::qExec(&test, argc, argv);
}
#include "TForm1ViewTest.moc"
