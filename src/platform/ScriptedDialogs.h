#pragma once

#include "platform/Dialogs.h"

#include <QList>
#include <deque>
#include <mutex>

namespace quil {

// Dialogs for tests and command-line tools: records every text shown and
// returns prepared answers in order. When no answer is prepared, questions
// get a default (No, cancel, Cancel, Skip) so that a test never hangs.
// Safe to call from any thread.
class ScriptedDialogs : public Dialogs
{
public:
    enum class Kind {
        Message,
        YesNo,
        Input,
        YesNoWithCheck,
        OpenFile,
        ErrorBox,
        Beep,
        TargetExists,
        ItemError,
        Choice
    };

    struct Shown
    {
        Kind kind;
        QString title;
        QString text; // message text, prompt, or the item named by a question
        // default value of an input box, check text, target path, the items
        // of a choice (one a line)
        QString extra;
        Icon icon = Icon::None;
        bool checked = false; // the check box as a question with one offered it
    };

    // Prepared answers, used first in first out.
    void answerYesNo(bool yes);
    void answerInput(std::optional<QString> text);
    void answerYesNoWithCheck(bool yes, bool checked);
    // The dialog with the check box closed by its close box.
    void answerCheckClosed(bool checked);
    void answerOpenFile(std::optional<QString> path);
    // The item of a choice picked by its text; nothing or an item not
    // offered cancels the choice.
    void answerChoice(std::optional<QString> item);
    void answerTargetExists(TargetExistsAnswer answer);
    void answerItemError(ErrorAnswer answer);
    // Answers given when nothing is prepared for these two questions.
    void setDefaultTargetExists(TargetExistsAnswer answer);
    void setDefaultItemError(ErrorAnswer answer);

    QList<Shown> shown() const;
    QList<Shown> shown(Kind kind) const;
    // The texts shown by message boxes and error boxes, in order.
    QStringList messages() const;
    int beeps() const;
    void clear();

    void message(const QString &text, const QString &title, Icon icon) override;
    bool askYesNo(const QString &text, const QString &title, Icon icon) override;
    std::optional<QString> inputBox(const QString &title, const QString &prompt, const QString &defaultValue) override;
    CheckedAnswer askYesNoWithCheck(const QString &text, const QString &title, const QString &checkText, bool checked,
                                    int height) override;
    std::optional<QString> openFile(const QString &title, const QStringList &filters,
                                    const QString &initialFolder) override;
    std::optional<int> chooseItem(const QString &title, const QString &prompt, const QStringList &items) override;
    void errorBox(const QString &text) override;
    void beep() override;
    TargetExistsAnswer askTargetExists(const QString &source, const QString &target) override;
    ErrorAnswer askItemError(const QString &item, const QString &reason) override;

private:
    void record(Shown shown);

    mutable std::mutex m_mutex;
    QList<Shown> m_shown;
    std::deque<bool> m_yesNo;
    std::deque<std::optional<QString>> m_inputs;
    std::deque<CheckedAnswer> m_checked;
    std::deque<std::optional<QString>> m_files;
    std::deque<std::optional<QString>> m_choices;
    std::deque<TargetExistsAnswer> m_exists;
    std::deque<ErrorAnswer> m_errors;
    TargetExistsAnswer m_defaultExists = TargetExistsAnswer::Cancel;
    ErrorAnswer m_defaultError = ErrorAnswer::Cancel;
};

} // namespace quil
