#include "listing/GioFolderReading.h"

#include "platform/OsError.h"
#include "platform/gio/GioLocation.h"

#include <algorithm>

namespace quil {

namespace {

constexpr int kProgressIntervalMs = 250;

// A location's entry as the list's entries are: a folder's identifier ends
// with "/", which tells it from a file without asking the location again.
FolderChild childOf(const QString &folderUri, const GioEntry &entry)
{
    FolderChild child;
    child.id = ItemId::location(gioChildLocation(folderUri, entry.name, entry.isFolder));
    child.name = entry.displayName.isEmpty() ? QString::fromUtf8(entry.name) : entry.displayName;
    child.isFolder = entry.isFolder;
    child.isLink = entry.isLink;
    FindData details;
    details.size = entry.isFolder ? 0 : quint64(std::max<qint64>(entry.size, 0));
    details.modifiedMsecs = entry.modified.isValid() ? entry.modified.toMSecsSinceEpoch() : 0;
    if (entry.isFolder)
        details.attributes |= AttributeDirectory;
    if (entry.readOnly)
        details.attributes |= AttributeReadOnly;
    if (entry.hidden)
        details.attributes |= AttributeHidden;
    child.details = details;
    return child;
}

} // namespace

GioFolderReading::GioFolderReading(const ItemId &folder, const FolderListing &like, MountQuestions *questions)
    : FolderReading(folder, like), m_reader(questions), m_children(folder)
{
    connect(&m_reader, &GioFolderReader::entriesRead, this, &GioFolderReading::take);
    connect(&m_reader, &GioFolderReader::finished, this, [this] {
        m_result.replaceEntries(std::move(m_children));
        finish();
    });
    connect(&m_reader, &GioFolderReader::failed, this,
            [this](const QString &message) { fail(std::make_exception_ptr(QuilError(message))); });
}

void GioFolderReading::begin()
{
    m_sinceProgress.start();
    m_reader.start(m_folder.path());
}

void GioFolderReading::stop()
{
    m_reader.cancel();
}

void GioFolderReading::take(const std::vector<GioEntry> &batch)
{
    for (const GioEntry &entry : batch)
        m_children.add(childOf(m_folder.path(), entry));
    if (m_sinceProgress.elapsed() >= kProgressIntervalMs) {
        m_sinceProgress.restart();
        Q_EMIT progress(qint64(m_children.size()));
    }
}

} // namespace quil
