#pragma once

#include <QByteArray>
#include <QDateTime>
#include <QObject>
#include <QString>

#include <vector>

namespace quil {

class MountQuestions;

// One entry of a folder of a GIO location, with what the location tells.
struct GioEntry
{
    QByteArray name; // the entry's own name, as the location spells it
    QString displayName;
    QString contentType;
    qint64 size = 0;
    QDateTime modified; // invalid where the location gives no time
    bool isFolder = false;
    bool isLink = false;
    bool hidden = false;
    bool readOnly = false;
    // An item of the trash: the path it was deleted from and when.
    QByteArray originalPath;
    QDateTime deleted;
};

// Reads a folder of a GIO location without blocking the window: the
// enumeration runs asynchronously on the window thread's main context and
// hands over its entries in batches. A location that is not mounted is
// mounted first, its questions going to MountQuestions. One reading at a
// time; start() while reading cancels the earlier one first.
class GioFolderReader : public QObject
{
    Q_OBJECT
public:
    explicit GioFolderReader(MountQuestions *questions, QObject *parent = nullptr);
    ~GioFolderReader() override;
    GioFolderReader(const GioFolderReader &) = delete;
    GioFolderReader &operator=(const GioFolderReader &) = delete;

    void start(const QString &uri);
    // Stops the reading: only cancelled() follows, no other signal.
    void cancel();
    bool reading() const { return m_job != nullptr; }

Q_SIGNALS:
    void entriesRead(const std::vector<quil::GioEntry> &batch);
    void finished();
    // GIO's own text for the failure.
    void failed(const QString &message);
    void cancelled();

private:
    struct Job;
    friend struct Job;
    Job *m_job = nullptr;
    MountQuestions *m_questions;
};

} // namespace quil
