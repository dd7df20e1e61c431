#include "platform/CheckedWarningBox.h"
#include "platform/TitleWidth.h"

#include <QCheckBox>
#include <QPushButton>
#include <QTest>
#include <QTimer>

// The delete warning's layout and keys, on a real dialog.
using quil::CheckedWarningBox;

class CheckedWarningBoxTest : public QObject
{
    Q_OBJECT

    static QString fiveNames()
    {
        return QStringLiteral("Удалить : 5 объект(ов)\n1\n2\n3\n4\n5\n...\n\n\n\n В Ы П О Л Н И Т Ь ?");
    }

    // Opens the box modally, presses the key once it shows, and answers the result.
    static int answer(CheckedWarningBox &box, Qt::Key key)
    {
        QTimer::singleShot(0, &box,
                           [&box, key] { QTest::keyClick(box.focusWidget() ? box.focusWidget() : &box, key); });
        return box.exec();
    }

private Q_SLOTS:
    void layout()
    {
        quil::CheckedWarningBox box(QStringLiteral("Удаление выделенных объектов..."), fiveNames(),
                                    QStringLiteral("Удалять в корзину."), true, 280);
        QCOMPARE(box.height(), 280);
        QCOMPARE(box.checkBox()->pos(), QPoint(20, 210));
        QVERIFY(box.checkBox()->width() >= 130);
        QVERIFY(box.checkBox()->isChecked());
        QCOMPARE(box.windowTitle(), QStringLiteral("Удаление выделенных объектов..."));
        QVERIFY(box.yesButton()->geometry().top() > box.checkBox()->geometry().bottom());
        // The title bar shows the whole title, not "Удаление выд...".
        QVERIFY(box.width() >= quil::titleBarWidth(box.windowTitle(), box.font()));
    }

    void keys_data()
    {
        QTest::addColumn<int>("key");
        QTest::addColumn<int>("result");
        QTest::newRow("Enter is Yes") << int(Qt::Key_Return) << int(QDialog::Accepted);
        QTest::newRow("Escape is No") << int(Qt::Key_Escape) << int(QDialog::Rejected);
    }
    void keys()
    {
        QFETCH(int, key);
        QFETCH(int, result);
        quil::CheckedWarningBox box(QStringLiteral("t"), QStringLiteral("text"), QStringLiteral("box"), false, 280);
        QCOMPARE(answer(box, Qt::Key(key)), result);
        QVERIFY(!box.isChecked());
    }

    // The close box rejects the dialog as No does, but is told apart from it.
    void closeBoxIsNeitherYesNorNo_data()
    {
        QTest::addColumn<QString>("way");
        QTest::addColumn<bool>("closedByBox");
        QTest::newRow("close box") << "close" << true;
        QTest::newRow("Escape") << "escape" << false;
        QTest::newRow("No button") << "no" << false;
    }
    void closeBoxIsNeitherYesNorNo()
    {
        QFETCH(QString, way);
        QFETCH(bool, closedByBox);
        quil::CheckedWarningBox box(QStringLiteral("t"), QStringLiteral("text"), QStringLiteral("box"), true, 280);
        QTimer::singleShot(0, &box, [&box, way] {
            if (way == QLatin1String("close"))
                box.close();
            else if (way == QLatin1String("escape"))
                QTest::keyClick(box.focusWidget() ? box.focusWidget() : &box, Qt::Key_Escape);
            else
                box.noButton()->click();
        });
        QCOMPARE(box.exec(), int(QDialog::Rejected));
        QCOMPARE(box.closedByBox(), closedByBox);
        QVERIFY(box.isChecked());
    }
};

QTEST_MAIN(CheckedWarningBoxTest)
#include "CheckedWarningBoxTest.moc"
