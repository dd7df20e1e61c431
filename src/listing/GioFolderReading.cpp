#include "listing/GioFolderReading.h"

#include "platform/BytePath.h"
#include "platform/NativePath.h"
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
    // In the trash the date that tells items apart is the deletion's.
    const QDateTime &date = entry.deleted.isValid() ? entry.deleted : entry.modified;
    details.modifiedMsecs = date.isValid() ? date.toMSecsSinceEpoch() : 0;
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
        showOriginalPlaces();
        finish();
    });
    connect(&m_reader, &GioFolderReader::failed, this,
            [this](const QString &message) { fail(std::make_exception_ptr(QuilError(message))); });
}

void GioFolderReading::begin()
{
    m_sinceProgress.start();
    // Said at once: a location may first be mounted, with its questions.
    Q_EMIT progress(0);
    m_reader.start(m_folder.path());
}

void GioFolderReading::stop()
{
    m_reader.cancel();
}

void GioFolderReading::take(const std::vector<GioEntry> &batch)
{
    for (const GioEntry &entry : batch) {
        const size_t index = m_children.add(childOf(m_folder.path(), entry));
        if (!entry.originalPath.isEmpty())
            m_originalPlaces.insert(m_children.child(index).id.path(),
                                    fromNative(bytepath::parent(entry.originalPath)));
    }
    if (m_sinceProgress.elapsed() >= kProgressIntervalMs) {
        m_sinceProgress.restart();
        Q_EMIT progress(qint64(m_children.size()));
    }
}

void GioFolderReading::showOriginalPlaces()
{
    if (m_originalPlaces.isEmpty())
        return;
    m_result.fillDetails(0, m_result.count() - 1);
    for (int row = 0; row < m_result.count(); ++row) {
        TShellItem &entry = m_result.entry(row);
        const auto place = m_originalPlaces.constFind(entry.path());
        if (place != m_originalPlaces.cend())
            entry.typeText = place->left(80);
    }
}

} // namespace quil
