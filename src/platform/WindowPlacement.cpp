#include "platform/WindowPlacement.h"

#include <QDialog>
#include <QEvent>
#include <QGuiApplication>
#include <QMargins>
#include <QScreen>
#include <QWidget>

#include <algorithm>

namespace quil {

QRect keptInside(const QRect &frame, const QRect &area)
{
    QRect result = frame;
    if (result.right() > area.right())
        result.moveRight(area.right());
    if (result.bottom() > area.bottom())
        result.moveBottom(area.bottom());
    if (result.left() < area.left())
        result.moveLeft(area.left());
    if (result.top() < area.top())
        result.moveTop(area.top());
    return result;
}

namespace {

// The frame a window will have: its own once it has been shown, before that
// the decorations of a window that has them (the window manager draws the
// same ones).
QMargins frameMargins(const QWidget &window, const QWidget *shown)
{
    const QWidget *model =
        window.testAttribute(Qt::WA_WState_Created) && window.frameGeometry() != window.geometry() ? &window : shown;
    if (model == nullptr)
        return {};
    const QRect frame = model->frameGeometry();
    const QRect client = model->geometry();
    return {client.left() - frame.left(), client.top() - frame.top(), frame.right() - client.right(),
            frame.bottom() - client.bottom()};
}

bool placesItself(const QWidget &window)
{
    return qobject_cast<const QDialog *>(&window) != nullptr && !window.testAttribute(Qt::WA_Moved);
}

} // namespace

WindowPlacement::WindowPlacement(QObject *parent) : QObject(parent) {}

void WindowPlacement::place(QWidget &window) const
{
    const Qt::WindowType type = window.windowType();
    if (!window.isWindow() || (type != Qt::Window && type != Qt::Dialog && type != Qt::Tool) || placesItself(window))
        return;
    const QWidget *main = m_main && m_main->isVisible() && m_main != &window ? m_main.data() : nullptr;
    const QMargins margins = frameMargins(window, main);
    QRect frame = QRect(window.pos(), window.size())
                      .marginsAdded(QMargins(0, 0, margins.left() + margins.right(), margins.top() + margins.bottom()));
    if (!window.testAttribute(Qt::WA_Moved) && main != nullptr)
        frame.moveCenter(main->frameGeometry().center());
    QScreen *screen = QGuiApplication::screenAt(frame.center());
    if (screen == nullptr)
        screen = main != nullptr ? main->screen() : window.screen();
    if (screen == nullptr)
        return;
    const QRect inside = keptInside(frame, screen->availableGeometry());
    if (inside.topLeft() != window.pos() || !window.testAttribute(Qt::WA_Moved))
        window.move(inside.topLeft());
}

bool WindowPlacement::eventFilter(QObject *watched, QEvent *event)
{
    // The show event reaches a window before it is mapped, so the window
    // opens where it belongs instead of jumping there.
    if (event->type() == QEvent::Show && watched->isWidgetType()) {
        auto *widget = static_cast<QWidget *>(watched);
        if (widget->isWindow() && !event->spontaneous())
            place(*widget);
    }
    return QObject::eventFilter(watched, event);
}

} // namespace quil
