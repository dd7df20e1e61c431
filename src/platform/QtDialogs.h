#pragma once

#include "platform/Dialogs.h"

#include <QObject>
#include <QPointer>

class QWidget;

namespace quil {

// The program's dialogs: Qt message boxes, input boxes and file dialogs.
// Questions asked from another thread are handed to the window thread and
// the caller waits for the answer.
class QtDialogs : public QObject, public Dialogs
{
    Q_OBJECT
public:
    explicit QtDialogs(QObject *parent = nullptr);

    // The window the boxes belong to when no other window of the program is
    // active; may be null.
    void setParentWidget(QWidget *widget) { m_parentWidget = widget; }

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
    // The window a box belongs to (and is centred on): the program's active
    // window; when none is, the window the last box belonged to while it is
    // shown, else the one set.
    QWidget *dialogParent();
    // Runs f on the window thread and returns its result.
    template <typename F> auto onWindowThread(F f) -> decltype(f());

    QWidget *m_parentWidget = nullptr;
    QPointer<QWidget> m_lastParent;
};

} // namespace quil
