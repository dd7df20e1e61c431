#pragma once

#include <QObject>
#include <QSet>
#include <QString>
#include <QTimer>

class QSocketNotifier;

namespace quil {

// Watches one local folder for what other programs change in it, through an
// inotify descriptor read on the window thread: the names of the entries that
// were created, removed, renamed, written or changed their attributes, and
// whether the folder itself went (removed, renamed, unmounted). Notices are
// gathered and announced at most once per gather interval, so a burst costs
// one announcement per interval, not one per entry. Window thread only.
class FolderWatch : public QObject
{
    Q_OBJECT
public:
    // What came since the last take.
    struct Changes
    {
        QSet<QString> names;     // entry names, as the listing shows them
        bool overflow = false;   // notices were lost: the folder must be read again
        bool folderGone = false; // the folder itself was removed, renamed or unmounted
        bool isEmpty() const { return names.isEmpty() && !overflow && !folderGone; }
    };

    static constexpr int kGatherMsecs = 150;

    explicit FolderWatch(QObject *parent = nullptr);
    ~FolderWatch() override;

    // Watches a folder by its absolute path, in place of the one watched
    // before; the same folder again keeps what was gathered. False (and
    // nothing watched) where the folder cannot be watched: not a folder of
    // the file system, or the system's watch limit reached.
    bool watch(const QString &folderPath);
    void stop();
    const QString &folder() const { return m_folder; }

    // Hands over and forgets what was gathered; reads what the system has
    // queued first.
    Changes take();
    // Whether changes wait to be taken.
    bool hasPending() const { return !m_pending.isEmpty(); }

Q_SIGNALS:
    // Changes wait to be taken.
    void changed();

private:
    void readNotices();

    int m_fd = -1;
    int m_watch = -1;
    QString m_folder;
    QSocketNotifier *m_notifier = nullptr;
    QTimer m_gather;
    Changes m_pending;
};

} // namespace quil
