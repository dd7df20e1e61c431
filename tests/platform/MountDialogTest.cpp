#include "platform/gio/MountDialog.h"

#include <QApplication>
#include <QCheckBox>
#include <QDialog>
#include <QDialogButtonBox>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <QTimer>

#include <functional>

using namespace quil;

namespace {

// Runs answer on the modal dialog that the next call opens.
void whenShown(const std::function<void(QWidget &)> &answer)
{
    QTimer::singleShot(0, [answer] {
        QWidget *modal = QApplication::activeModalWidget();
        QVERIFY(modal);
        answer(*modal);
    });
}

} // namespace

class MountDialogTest : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void passwordAnswers()
    {
        MountDialog dialogs(nullptr);
        MountQuestions::PasswordRequest request{"Пароль для sftp://h/", "anna", "", true, false, true, true, true};

        whenShown([](QWidget &box) {
            box.findChild<QLineEdit *>("password")->setText("secret");
            QCOMPARE(box.findChild<QCheckBox *>("remember")->isChecked(), false);
            qobject_cast<QDialog *>(&box)->accept();
        });
        auto answer = dialogs.askPassword(request);
        QVERIFY(answer);
        QCOMPARE(answer->user, QStringLiteral("anna"));
        QCOMPARE(answer->password, QStringLiteral("secret"));
        QVERIFY(!answer->anonymous && !answer->remember);

        whenShown([](QWidget &box) {
            box.findChild<QRadioButton *>("anonymous")->setChecked(true);
            QVERIFY(!box.findChild<QLineEdit *>("user")->isEnabled());
            box.findChild<QCheckBox *>("remember")->setChecked(true);
            qobject_cast<QDialog *>(&box)->accept();
        });
        answer = dialogs.askPassword(request);
        QVERIFY(answer && answer->anonymous && answer->remember);

        whenShown([](QWidget &box) { qobject_cast<QDialog *>(&box)->reject(); });
        QVERIFY(!dialogs.askPassword(request));
    }

    void questionChoices()
    {
        MountDialog dialogs(nullptr);
        whenShown([](QWidget &box) { qobject_cast<QMessageBox *>(&box)->buttons().at(1)->click(); });
        QCOMPARE(dialogs.askQuestion("Ключ SHA256:abc", {"Log In Anyway", "Cancel"}), std::optional<int>(1));
        whenShown([](QWidget &box) { qobject_cast<QDialog *>(&box)->reject(); });
        QCOMPARE(dialogs.askQuestion("Ключ", {"Log In Anyway", "Cancel"}), std::nullopt);
    }
};

QTEST_MAIN(MountDialogTest)
#include "MountDialogTest.moc"
