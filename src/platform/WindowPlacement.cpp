#include "platform/WindowPlacement.h"

#include <QDialog>
#include <QEvent>
#include <QGuiApplication>
#include <QMargins>
#include <QScreen>
#include <QStyle>
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

// What a window manager adds to a window whose frame is not known yet: a
// title bar above it and thin borders.
QMargins titleBarOnly(const QWidget &window)
{
    if (window.windowFlags() & Qt::FramelessWindowHint)
        return {};
    const int title = window.style()->pixelMetric(QStyle::PM_TitleBarHeight, nullptr, &window);
    const int border = title / 4;
    return {border, title, border, border};
}

// Whether the window system has reported a window's frame. At some scale
// factors Qt reports a frame smaller than the window: that is no frame.
bool frameKnown(const QWidget &window)
{
    const QRect frame = window.frameGeometry();
    return frame != window.geometry() && frame.contains(window.geometry());
}

// A shown window's frame, or its inner rectangle with a title bar above.
QRect frameOf(const QWidget &window)
{
    return frameKnown(window) ? window.frameGeometry() : window.geometry().marginsAdded(titleBarOnly(window));
}

// The frame a window will have: its own once it has been shown, before that
// the decorations of a window that has them (the window manager draws the
// same ones).
QMargins frameMargins(const QWidget &window, const QWidget *shown)
{
    const QWidget *model = frameKnown(window) ? &window : shown;
    if (model == nullptr || !frameKnown(*model))
        return titleBarOnly(window);
    const QRect frame = model->frameGeometry();
    const QRect client = model->geometry();
    return {client.left() - frame.left(), client.top() - frame.top(), frame.right() - client.right(),
            frame.bottom() - client.bottom()};
}

bool placesItself(const QWidget &window)
{
    return qobject_cast<const QDialog *>(&window) != nullptr && !window.testAttribute(Qt::WA_Moved);
}

QRect availableArea(const QPoint &point, const QWidget &fallback)
{
    QScreen *screen = QGuiApplication::screenAt(point);
    if (screen == nullptr)
        screen = fallback.screen();
    return screen != nullptr ? screen->availableGeometry() : QRect();
}

} // namespace

std::optional<QRect> besideFrame(const QSize &frame, const QRect &main, const QRect &area)
{
    const QRect candidates[] = {
        QRect(QPoint(main.left(), main.bottom() + 1), frame),
        QRect(QPoint(main.right() + 1, main.top()), frame),
        QRect(QPoint(main.left() - frame.width(), main.top()), frame),
        QRect(QPoint(main.left(), main.top() - frame.height()), frame),
    };
    if (frame.width() > area.width() || frame.height() > area.height())
        return std::nullopt;
    for (const QRect &candidate : candidates) {
        // Slid along the main window's side into the area; it fits when the
        // slide did not bring it over the main window.
        const QRect inside = keptInside(candidate, area);
        if (!inside.intersects(main))
            return inside;
    }
    return std::nullopt;
}

WindowPlacement::WindowPlacement(QObject *parent) : QObject(parent) {}

void WindowPlacement::place(QWidget &window) const
{
    const Qt::WindowType type = window.windowType();
    if (!window.isWindow() || (type != Qt::Window && type != Qt::Dialog && type != Qt::Tool) ||
        (window.windowState() & (Qt::WindowMaximized | Qt::WindowFullScreen)))
        return;
    const QWidget *main = m_main && m_main->isVisible() && m_main != &window ? m_main.data() : nullptr;
    const QMargins margins = frameMargins(window, main);
    const QSize decorations(margins.left() + margins.right(), margins.top() + margins.bottom());
    // A window made but never shown has no frame yet: its position is its
    // inner corner's, and a move puts that corner at the point it names.
    const QPoint inner = window.testAttribute(Qt::WA_WState_Created) && !frameKnown(window)
                             ? QPoint(margins.left(), margins.top())
                             : QPoint();
    QRect frame(window.pos() - inner, window.size() + decorations);
    if (!window.testAttribute(Qt::WA_Moved) && main != nullptr) {
        const QRect mainFrame = frameOf(*main);
        if (&window == m_beside)
            frame = besideFrame(frame.size(), mainFrame, availableArea(mainFrame.center(), *main)).value_or(frame);
        else
            frame.moveCenter(mainFrame.center());
    }
    const QRect area = availableArea(frame.center(), main != nullptr ? *main : window);
    if (area.isEmpty())
        return;
    // Larger than the area: as small as the area allows, never below the
    // least size its controls need.
    const QSize fitting = frame.size().boundedTo(area.size());
    if (fitting != frame.size()) {
        window.resize((fitting - decorations).expandedTo(window.minimumSize()));
        frame.setSize(window.size() + decorations);
    }
    // Qt centres such a dialog, at its fitted size, right after this.
    if (placesItself(window))
        return;
    const QPoint corner = keptInside(frame, area).topLeft() + inner;
    if (corner != window.pos() || !window.testAttribute(Qt::WA_Moved))
        window.move(corner);
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
