#pragma once

#include <QEvent>
#include <QObject>
#include <functional>

namespace quil {

// Offers one kind of event of a watched object to a function before the
// object sees it; the event is consumed when the function returns true.
// Lets a window handle a control's events without subclassing the control
// or taking over its own eventFilter. Parented to the watched object.
class EventHook : public QObject
{
    Q_OBJECT
public:
    using Handler = std::function<bool(QEvent *event)>;

    EventHook(QObject *watched, QEvent::Type type, Handler handler);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    QEvent::Type m_type;
    Handler m_handler;
};

} // namespace quil
