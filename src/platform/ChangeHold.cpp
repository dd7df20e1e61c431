#include "platform/ChangeHold.h"

#include <QMetaObject>

namespace quil {

ChangeHold::Scope::Scope(ChangeHold &hold) : m_hold(hold)
{
    ++m_hold.m_holds;
}

ChangeHold::Scope::~Scope()
{
    m_hold.release();
}

ChangeHold::ChangeHold(QObject *parent) : QObject(parent) {}

void ChangeHold::apply(Change change, const void *key)
{
    if (m_holds == 0) {
        change();
        return;
    }
    if (key != nullptr)
        for (Held &held : m_held)
            if (held.key == key) {
                held.change = std::move(change);
                return;
            }
    m_held.append({key, std::move(change)});
}

void ChangeHold::holdUntilDestroyed(QObject &object)
{
    ++m_holds;
    ++m_editorHolds;
    // This object as the context: a hold deleted first takes the connection with it.
    connect(&object, &QObject::destroyed, this, [this] {
        --m_editorHolds;
        release();
    });
}

void ChangeHold::release()
{
    if (--m_holds > 0 || m_held.isEmpty() || m_releasePosted)
        return;
    // Not from the destructor of the scope: the command that held may still
    // be unwinding (an exception on its way to its handler's boundary).
    m_releasePosted = true;
    QMetaObject::invokeMethod(this, &ChangeHold::applyHeld, Qt::QueuedConnection);
}

void ChangeHold::applyHeld()
{
    m_releasePosted = false;
    // A new command may have begun holding before this ran: it releases later.
    while (m_holds == 0 && !m_held.isEmpty()) {
        const Held next = m_held.takeFirst();
        next.change();
    }
}

} // namespace quil
