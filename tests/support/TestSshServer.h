#pragma once

#include <QProcess>
#include <QString>

// An sshd on 127.0.0.1 at a free port, for gvfs's sftp backend inside
// gvfs_session.sh: its host key and configuration are made in a folder of
// the test's, and a client logs in with the key at $QUIL_TEST_SSH_DIR/key
// once makeClientKey() made it. Stopped with the object.
class TestSshServer
{
public:
    // Starts it; failure() tells why it is not running (the test skips).
    explicit TestSshServer(const QString &folder);
    ~TestSshServer();
    TestSshServer(const TestSshServer &) = delete;
    TestSshServer &operator=(const TestSshServer &) = delete;

    // Empty while it runs; else why it is not (no sshd, no test ssh folder).
    const QString &failure() const { return m_failure; }
    // The folder's sftp URI as root on this server, ending with "/".
    QString uri(const QString &absoluteFolder) const;
    // The host key's fingerprint as ssh-keygen -l shows it.
    QString hostFingerprint() const;
    // Makes the client's key, which the server accepts.
    bool makeClientKey() const;
    // Writes the host key into the client's known hosts: no question then.
    bool trustHost() const;

private:
    QString m_hostKey;
    QString m_sshDir;
    int m_port = 0;
    QProcess m_sshd;
    QString m_failure;
};
