#include "support/TestSshServer.h"

#include <QFile>

#include <netinet/in.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

constexpr int kWaitMs = 60000; // a bound only

int freePort()
{
    const int fd = ::socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    socklen_t length = sizeof address;
    ::bind(fd, reinterpret_cast<sockaddr *>(&address), sizeof address);
    ::getsockname(fd, reinterpret_cast<sockaddr *>(&address), &length);
    ::close(fd);
    return ntohs(address.sin_port);
}

QByteArray output(const QString &program, const QStringList &arguments, bool *ok = nullptr)
{
    QProcess process;
    process.start(program, arguments);
    const bool done =
        process.waitForFinished(kWaitMs) && process.exitStatus() == QProcess::NormalExit && process.exitCode() == 0;
    if (ok != nullptr)
        *ok = done;
    return process.readAllStandardOutput();
}

bool makeKey(const QString &path)
{
    QFile::remove(path);
    QFile::remove(path + QStringLiteral(".pub"));
    bool ok = false;
    output(QStringLiteral("ssh-keygen"), {"-q", "-t", "ed25519", "-N", "", "-f", path}, &ok);
    return ok;
}

} // namespace

TestSshServer::TestSshServer(const QString &folder)
    : m_hostKey(folder + QStringLiteral("/host")), m_sshDir(qEnvironmentVariable("QUIL_TEST_SSH_DIR"))
{
    if (m_sshDir.isEmpty() || !QFile::exists(QStringLiteral("/usr/sbin/sshd"))) {
        m_failure = QStringLiteral("sshd or the test's ssh folder is missing");
        return;
    }
    if (!makeKey(m_hostKey)) {
        m_failure = QStringLiteral("ssh-keygen failed");
        return;
    }
    m_port = freePort();
    const QString config = folder + QStringLiteral("/sshd_config");
    QFile file(config);
    if (!file.open(QIODevice::WriteOnly)) {
        m_failure = QStringLiteral("cannot write ") + config;
        return;
    }
    file.write(QStringLiteral("ListenAddress 127.0.0.1\nPort %1\nHostKey %2\nAuthorizedKeysFile %3/key.pub\n"
                              "PidFile none\nStrictModes no\nUsePAM no\nSubsystem sftp internal-sftp\n")
                   .arg(m_port)
                   .arg(m_hostKey, m_sshDir)
                   .toUtf8());
    file.close();
    ::mkdir("/run/sshd", 0755); // sshd's own empty folder
    m_sshd.setProcessChannelMode(QProcess::MergedChannels);
    m_sshd.start(QStringLiteral("/usr/sbin/sshd"), {"-D", "-e", "-f", config});
    QByteArray said; // its lines may come in pieces
    while (!said.contains("Server listening") && m_sshd.waitForReadyRead(kWaitMs))
        said += m_sshd.readAll();
    if (!said.contains("Server listening"))
        m_failure = QStringLiteral("sshd did not start: ") + QString::fromUtf8(said);
}

TestSshServer::~TestSshServer()
{
    if (m_sshd.state() == QProcess::NotRunning)
        return;
    m_sshd.terminate();
    m_sshd.waitForFinished();
}

QString TestSshServer::uri(const QString &absoluteFolder) const
{
    return QStringLiteral("sftp://root@127.0.0.1:%1%2/").arg(m_port).arg(absoluteFolder);
}

QString TestSshServer::hostFingerprint() const
{
    return QString::fromUtf8(
        output(QStringLiteral("ssh-keygen"), {QStringLiteral("-lf"), m_hostKey + QStringLiteral(".pub")})
            .split(' ')
            .value(1));
}

bool TestSshServer::makeClientKey() const
{
    return makeKey(m_sshDir + QStringLiteral("/key"));
}

bool TestSshServer::trustHost() const
{
    QFile publicKey(m_hostKey + QStringLiteral(".pub"));
    QFile knownHosts(m_sshDir + QStringLiteral("/known_hosts"));
    if (!publicKey.open(QIODevice::ReadOnly) || !knownHosts.open(QIODevice::Append))
        return false;
    // "type key comment": the comment is left out.
    const QList<QByteArray> key = publicKey.readAll().split(' ');
    return knownHosts.write(QStringLiteral("[127.0.0.1]:%1 ").arg(m_port).toUtf8() + key.value(0) + ' ' +
                            key.value(1).trimmed() + '\n') > 0;
}
