#pragma once

#include <QObject>
#include <memory>

class QSocketNotifier;
class QTimer;

namespace quil {

// A program started by the Launcher whose end the caller wants to learn:
// poll hasEnded() (as the editor wait does between rounds of event
// processing) or connect to ended(), which comes through the event loop of
// the thread that made the object. Destroying it does not stop the program.
class StartedProcess : public QObject
{
    Q_OBJECT
public:
    // The exit code while the program still runs, as Windows reports it.
    static constexpr int stillActive = 259;

    // Takes a child of this process that was started without being reaped.
    explicit StartedProcess(qint64 pid, QObject *parent = nullptr);
    ~StartedProcess() override;

    qint64 pid() const { return m_pid; }
    // Whether the program has ended (one non-blocking wait for it). ended()
    // is sent once either way.
    bool hasEnded();
    // The program's exit code once it has ended (128 + signal number when a
    // signal ended it); stillActive until then.
    int exitCode();

Q_SIGNALS:
    void ended(int exitCode);

private:
    void check();

    qint64 m_pid;
    int m_pidFd = -1;
    bool m_ended = false;
    bool m_reported = false;
    int m_exitCode = stillActive;
    QSocketNotifier *m_notifier = nullptr;
    QTimer *m_timer = nullptr;
};

} // namespace quil
