#pragma once

#include <QString>
#include <QStringList>

#include <optional>

namespace quil {

// What a location asks while it is mounted, and the user's answers. The
// window layer answers with dialogs; tests answer from a script.
class MountQuestions
{
public:
    struct PasswordRequest
    {
        QString message;
        QString defaultUser;
        QString defaultDomain;
        bool needsUser = false;
        bool needsDomain = false;
        bool needsPassword = false;
        bool anonymousAllowed = false;
        bool canRemember = false;
    };
    struct PasswordAnswer
    {
        bool anonymous = false;
        QString user;
        QString domain;
        QString password;
        // Kept by the desktop's keyring only when the user asks for it.
        bool remember = false;
    };

    virtual ~MountQuestions() = default;
    // No answer: the user cancelled, and the mount fails.
    virtual std::optional<PasswordAnswer> askPassword(const PasswordRequest &request) = 0;
    // A question with its choices (a host's unknown key, with its
    // fingerprint in the message); the index chosen, none to cancel.
    virtual std::optional<int> askQuestion(const QString &message, const QStringList &choices) = 0;
};

} // namespace quil
