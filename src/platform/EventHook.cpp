#include "platform/EventHook.h"

namespace quil {

EventHook::EventHook(QObject *watched, QEvent::Type type, Handler handler)
    : QObject(watched), m_type(type), m_handler(std::move(handler))
{
    watched->installEventFilter(this);
}

bool EventHook::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == m_type && m_handler(event))
        return true;
    return QObject::eventFilter(watched, event);
}

} // namespace quil
