#pragma once

#include <QObject>
#include <functional>

// The application-wide message hook: every event the application delivers is
// first offered to the handler (the file viewer's mouse-wheel handler), which
// may take it; otherwise it is dispatched as usual.
class ApplicationHook : public QObject
{
    Q_OBJECT
public:
    using Handler = std::function<bool(QObject *watched, QEvent *event)>;

    explicit ApplicationHook(QObject *parent = nullptr);

    // The handler that sees each event first; returning true consumes it.
    void setHandler(Handler handler) { m_handler = std::move(handler); }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    Handler m_handler;
};
