#pragma once

#include <QCoreApplication>
#include <QString>
#include <QStringList>
#include <optional>

namespace quil {

// Every message box, question and file dialog of the program goes through this
// interface, so that logic never opens a window itself and tests can script
// the answers (ScriptedDialogs) while the program uses QtDialogs.
class Dialogs
{
public:
    enum class Icon { None, Information, Warning, Error, Question };
    enum class TargetExistsAnswer { Replace, ReplaceAll, Skip, Cancel };
    enum class ErrorAnswer { Retry, Skip, Cancel };

    struct CheckedAnswer
    {
        bool yes = false;     // Yes pressed (Enter); No or Escape gives false
        bool checked = false; // state of the extra check box when closed
        bool closed = false;  // closed by its close box: neither Yes nor No
    };

    virtual ~Dialogs() = default;

    // A modal message box with an OK button; the text is shown exactly as given.
    virtual void message(const QString &text, const QString &title, Icon icon) = 0;
    // A Yes/No box; true for Yes.
    virtual bool askYesNo(const QString &text, const QString &title, Icon icon) = 0;
    // An input box: the typed answer, or nothing when cancelled. Callers that
    // follow the "answer even when cancelled" rule use value_or(defaultValue).
    virtual std::optional<QString> inputBox(const QString &title, const QString &prompt,
                                            const QString &defaultValue) = 0;
    // A Yes/No message dialog of the warning kind with an extra check box.
    virtual CheckedAnswer askYesNoWithCheck(const QString &text, const QString &title, const QString &checkText,
                                            bool checked, int height) = 0;
    // A file-open dialog: the chosen path, or nothing when cancelled. Filters are
    // "Description|pattern" pairs as the callers write them.
    virtual std::optional<QString> openFile(const QString &title, const QStringList &filters,
                                            const QString &initialFolder) = 0;
    // A choice of one of the items of a list (the first preselected): the
    // position chosen, or nothing when cancelled. Dialogs that never offer
    // such a choice (command-line tools) cancel it.
    virtual std::optional<int> chooseItem(const QString &title, const QString &prompt, const QStringList &items)
    {
        Q_UNUSED(title)
        Q_UNUSED(prompt)
        Q_UNUSED(items)
        return std::nullopt;
    }
    // The application's general error box for errors raised by handlers.
    virtual void errorBox(const QString &text) = 0;
    // The system's default beep.
    virtual void beep() = 0;

    // Questions of the shell file operation. They may be asked from its worker
    // thread; implementations hand them to the window thread themselves.
    virtual TargetExistsAnswer askTargetExists(const QString &source, const QString &target) = 0;
    virtual ErrorAnswer askItemError(const QString &item, const QString &reason) = 0;
};

// The program chooser of the settings and extension windows.
inline std::optional<QString> chooseProgram(Dialogs &dialogs)
{
    return dialogs.openFile(QCoreApplication::translate("Dialogs", "Выберите программу"), {QStringLiteral("exe|*.exe")},
                            QString());
}

} // namespace quil
