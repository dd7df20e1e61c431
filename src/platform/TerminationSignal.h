#pragma once

#include <QObject>

class QSocketNotifier;

namespace quil {

// Turns SIGTERM, SIGINT and SIGHUP (a logout, kill, Ctrl+C in the terminal)
// into a signal of the event loop, so the program ends as when its window is
// closed: settings written, running work stopped without losing data. One
// per process; the handlers stay installed while it lives.
class TerminationSignal : public QObject
{
    Q_OBJECT
public:
    explicit TerminationSignal(QObject *parent = nullptr);
    ~TerminationSignal() override;

Q_SIGNALS:
    void received();

private:
    QSocketNotifier *m_notifier = nullptr;
};

} // namespace quil
