#include "app/ApplicationHook.h"

ApplicationHook::ApplicationHook(QObject *parent) : QObject(parent) {}

bool ApplicationHook::eventFilter(QObject *watched, QEvent *event)
{
    if (m_handler && m_handler(watched, event))
        return true;
    return QObject::eventFilter(watched, event);
}
