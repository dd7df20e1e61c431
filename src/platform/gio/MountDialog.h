#pragma once

#include "platform/gio/MountQuestions.h"

class QWidget;

namespace quil {

// The user answers a mount's questions in dialogs of the program: user,
// domain and password (or anonymous), and whether the desktop's keyring
// may keep them; a question such as a host's unknown key with its choices.
class MountDialog : public MountQuestions
{
public:
    explicit MountDialog(QWidget *parent) : m_parent(parent) {}

    std::optional<PasswordAnswer> askPassword(const PasswordRequest &request) override;
    std::optional<int> askQuestion(const QString &message, const QStringList &choices) override;

private:
    QWidget *m_parent;
};

} // namespace quil
