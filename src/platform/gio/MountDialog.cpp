#include "platform/gio/MountDialog.h"

#include <QCheckBox>
#include <QCoreApplication>
#include <QDialog>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace quil {

namespace {

QLineEdit *addField(QFormLayout &form, const QString &label, const QString &name, const QString &text)
{
    auto *field = new QLineEdit(text);
    field->setObjectName(name);
    form.addRow(label, field);
    return field;
}

} // namespace

std::optional<MountQuestions::PasswordAnswer> MountDialog::askPassword(const PasswordRequest &request)
{
    QDialog dialog(m_parent);
    dialog.setWindowTitle(QCoreApplication::translate("MountDialog", "Подключение"));
    auto *layout = new QVBoxLayout(&dialog);
    auto *message = new QLabel(request.message);
    message->setWordWrap(true);
    layout->addWidget(message);

    QRadioButton *anonymous = nullptr;
    QRadioButton *named = nullptr;
    if (request.anonymousAllowed) {
        anonymous = new QRadioButton(QCoreApplication::translate("MountDialog", "Анонимно"));
        anonymous->setObjectName(QStringLiteral("anonymous"));
        named = new QRadioButton(QCoreApplication::translate("MountDialog", "Как пользователь:"));
        named->setObjectName(QStringLiteral("named"));
        named->setChecked(true);
        layout->addWidget(anonymous);
        layout->addWidget(named);
    }
    auto *form = new QFormLayout;
    layout->addLayout(form);
    QLineEdit *user = request.needsUser ? addField(*form, QCoreApplication::translate("MountDialog", "Пользователь:"),
                                                   QStringLiteral("user"), request.defaultUser)
                                        : nullptr;
    QLineEdit *domain = request.needsDomain ? addField(*form, QCoreApplication::translate("MountDialog", "Домен:"),
                                                       QStringLiteral("domain"), request.defaultDomain)
                                            : nullptr;
    QLineEdit *password = request.needsPassword ? addField(*form, QCoreApplication::translate("MountDialog", "Пароль:"),
                                                           QStringLiteral("password"), {})
                                                : nullptr;
    if (password)
        password->setEchoMode(QLineEdit::Password);
    QCheckBox *remember = nullptr;
    if (request.canRemember) {
        // Unticked: nothing is kept unless the user asks.
        remember = new QCheckBox(QCoreApplication::translate("MountDialog", "Запомнить пароль"));
        remember->setObjectName(QStringLiteral("remember"));
        layout->addWidget(remember);
    }
    if (anonymous) {
        const auto follow = [=](bool byName) {
            for (QLineEdit *field : {user, domain, password})
                if (field)
                    field->setEnabled(byName);
        };
        QObject::connect(named, &QRadioButton::toggled, &dialog, follow);
    }
    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
    buttons->button(QDialogButtonBox::Ok)->setText(QCoreApplication::translate("MountDialog", "Подключиться"));
    buttons->button(QDialogButtonBox::Cancel)->setText(QCoreApplication::translate("MountDialog", "Отмена"));
    QObject::connect(buttons, &QDialogButtonBox::accepted, &dialog, &QDialog::accept);
    QObject::connect(buttons, &QDialogButtonBox::rejected, &dialog, &QDialog::reject);
    layout->addWidget(buttons);
    if (password && (!user || !request.defaultUser.isEmpty()))
        password->setFocus();
    if (dialog.exec() != QDialog::Accepted)
        return std::nullopt;

    PasswordAnswer answer;
    answer.anonymous = anonymous && anonymous->isChecked();
    answer.user = user ? user->text() : request.defaultUser;
    answer.domain = domain ? domain->text() : request.defaultDomain;
    answer.password = password ? password->text() : QString();
    answer.remember = remember && remember->isChecked();
    return answer;
}

std::optional<int> MountDialog::askQuestion(const QString &message, const QStringList &choices)
{
    QMessageBox box(QMessageBox::Question, QCoreApplication::translate("MountDialog", "Подключение"), message,
                    QMessageBox::NoButton, m_parent);
    std::vector<QAbstractButton *> buttons;
    for (const QString &choice : choices)
        buttons.push_back(box.addButton(choice, QMessageBox::AcceptRole));
    box.exec();
    for (std::size_t i = 0; i < buttons.size(); ++i)
        if (box.clickedButton() == buttons[i])
            return int(i);
    return std::nullopt;
}

} // namespace quil
