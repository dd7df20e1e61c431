#include "fileops/TransferOperation.h"

#include "platform/Dialogs.h"
#include "platform/fileop/ShellFileOperation.h"

#include <atomic>
#include <cerrno>

namespace quil {

namespace {

// Passes every question on, and notes what the answers and messages say
// about the outcome. The file operation asks from its worker thread.
class OutcomeWatch : public Dialogs
{
public:
    explicit OutcomeWatch(Dialogs &dialogs) : m_dialogs(dialogs) {}

    // Whether the operation's only shortfall can be the skips at "target exists".
    bool onlySkippedAtReplace() const { return m_skippedAtReplace && !m_troubled; }

    void message(const QString &text, const QString &title, Icon icon) override
    {
        // The operation's messages are refusals.
        m_troubled = true;
        m_dialogs.message(text, title, icon);
    }
    bool askYesNo(const QString &text, const QString &title, Icon icon) override
    {
        return m_dialogs.askYesNo(text, title, icon);
    }
    std::optional<QString> inputBox(const QString &title, const QString &prompt, const QString &defaultValue) override
    {
        return m_dialogs.inputBox(title, prompt, defaultValue);
    }
    CheckedAnswer askYesNoWithCheck(const QString &text, const QString &title, const QString &checkText, bool checked,
                                    int height) override
    {
        return m_dialogs.askYesNoWithCheck(text, title, checkText, checked, height);
    }
    std::optional<QString> openFile(const QString &title, const QStringList &filters,
                                    const QString &initialFolder) override
    {
        return m_dialogs.openFile(title, filters, initialFolder);
    }
    void errorBox(const QString &text) override
    {
        m_troubled = true;
        m_dialogs.errorBox(text);
    }
    void beep() override { m_dialogs.beep(); }
    TargetExistsAnswer askTargetExists(const QString &source, const QString &target) override
    {
        const TargetExistsAnswer answer = m_dialogs.askTargetExists(source, target);
        if (answer == TargetExistsAnswer::Skip)
            m_skippedAtReplace = true;
        return answer;
    }
    ErrorAnswer askItemError(const QString &item, const QString &reason) override
    {
        // Asked only about an item that failed, whatever the answer.
        m_troubled = true;
        return m_dialogs.askItemError(item, reason);
    }

private:
    Dialogs &m_dialogs;
    std::atomic<bool> m_skippedAtReplace{false};
    std::atomic<bool> m_troubled{false};
};

} // namespace

bool transferFiles(Dialogs &dialogs, const QStringList &sources, const QString &target, int operation, QWidget *owner)
{
    OutcomeWatch watch(dialogs);
    FileOperation fileOperation(watch, sources, target, operation, FOF_ALLOWUNDO);
    if (runJournalledOperation(fileOperation, operation, FOF_ALLOWUNDO, owner))
        return true;
    // A skip at "target exists" is noted as the first error EEXIST; any
    // other first error is a real one.
    return watch.onlySkippedAtReplace() && !fileOperation.isCancelled() && fileOperation.firstError() == EEXIST;
}

} // namespace quil
