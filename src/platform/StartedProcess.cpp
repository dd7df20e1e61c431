#include "platform/StartedProcess.h"

#include <QSocketNotifier>
#include <QTimer>

#include <cerrno>
#include <sys/syscall.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

namespace quil {

StartedProcess::StartedProcess(qint64 pid, QObject *parent) : QObject(parent), m_pid(pid)
{
#ifdef SYS_pidfd_open
    m_pidFd = int(::syscall(SYS_pidfd_open, pid_t(pid), 0));
#endif
    if (m_pidFd >= 0) {
        // A pidfd becomes readable when the process ends.
        m_notifier = new QSocketNotifier(m_pidFd, QSocketNotifier::Read, this);
        connect(m_notifier, &QSocketNotifier::activated, this, &StartedProcess::check);
    } else {
        // Kernels before 5.3: look now and then.
        m_timer = new QTimer(this);
        connect(m_timer, &QTimer::timeout, this, &StartedProcess::check);
        m_timer->start(100);
    }
}

StartedProcess::~StartedProcess()
{
    if (m_pidFd >= 0)
        ::close(m_pidFd);
    if (!hasEnded()) {
        // Nobody waits any more; reap it when it ends so no zombie stays behind.
        const pid_t pid = pid_t(m_pid);
        std::jthread([pid] {
            int status = 0;
            while (::waitpid(pid, &status, 0) < 0 && errno == EINTR) {
            }
        }).detach();
    }
}

bool StartedProcess::hasEnded()
{
    if (m_ended)
        return true;
    int status = 0;
    pid_t result;
    do {
        result = ::waitpid(pid_t(m_pid), &status, WNOHANG);
    } while (result < 0 && errno == EINTR);
    if (result == 0)
        return false;
    m_ended = true;
    if (result < 0)
        m_exitCode = -1; // reaped by someone else: the code is lost
    else if (WIFEXITED(status))
        m_exitCode = WEXITSTATUS(status);
    else if (WIFSIGNALED(status))
        m_exitCode = 128 + WTERMSIG(status);
    if (m_notifier != nullptr)
        m_notifier->setEnabled(false);
    if (m_timer != nullptr)
        m_timer->stop();
    // A caller that polled first still gets ended(), from the event loop.
    QMetaObject::invokeMethod(this, &StartedProcess::check, Qt::QueuedConnection);
    return true;
}

int StartedProcess::exitCode()
{
    hasEnded();
    return m_exitCode;
}

void StartedProcess::check()
{
    if (hasEnded() && !m_reported) {
        m_reported = true;
        Q_EMIT ended(m_exitCode);
    }
}

} // namespace quil
