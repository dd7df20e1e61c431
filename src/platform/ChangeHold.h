#pragma once

#include <QList>
#include <QObject>

#include <functional>

namespace quil {

// Changes that reach the window from outside the running command (device
// notices, folder-size reports) wait here while a command that changes
// files runs: its file operation spins nested event loops, and a change
// applied in one of them would alter the listing, the marks or the target
// under the command. Held changes are applied in the order they came, once
// the last hold has ended and control is back in the event loop. Window
// thread only.
class ChangeHold : public QObject
{
    Q_OBJECT
public:
    using Change = std::function<void()>;

    // Holds changes for as long as it lives; holds nest.
    class Scope
    {
    public:
        explicit Scope(ChangeHold &hold);
        ~Scope();
        Scope(const Scope &) = delete;
        Scope &operator=(const Scope &) = delete;

    private:
        ChangeHold &m_hold;
    };

    explicit ChangeHold(QObject *parent = nullptr);

    // Applies a change now, or keeps it while held. A change given with a
    // key replaces a held one of the same key in its place (a later report
    // of a running total makes the earlier one pointless).
    void apply(Change change, const void *key = nullptr);
    bool isHolding() const { return m_holds > 0; }
    // Whether a command holds (not only an open name editor): changes made
    // in place, row by row, may still be shown under an editor.
    bool isHoldingForCommand() const { return m_holds > m_editorHolds; }
    // Holds changes until the object is destroyed: an in-place name editor,
    // which its view deletes once it has closed. A list re-read under an
    // open editor would rename an item of another folder.
    void holdUntilDestroyed(QObject &object);

private:
    struct Held
    {
        const void *key;
        Change change;
    };
    void release();
    void applyHeld();

    int m_holds = 0;
    int m_editorHolds = 0;
    bool m_releasePosted = false;
    QList<Held> m_held;
};

} // namespace quil
