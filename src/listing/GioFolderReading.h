#pragma once

#include "listing/EntryStore.h"
#include "listing/FolderReading.h"
#include "platform/gio/GioFolderReader.h"

#include <QElapsedTimer>
#include <QHash>

namespace quil {

class MountQuestions;

// A folder of a GIO location (network folder, trash, archive), read by
// GioFolderReader, which mounts it first when it is not mounted; its
// entries come with the details the location gives and are sorted when the
// last one has come.
class GioFolderReading : public FolderReading
{
    Q_OBJECT
public:
    GioFolderReading(const ItemId &folder, const FolderListing &like, MountQuestions *questions);

private:
    void begin() override;
    void stop() override;
    void take(const std::vector<GioEntry> &batch);
    // The trash's entries show the folder each came from as their type.
    void showOriginalPlaces();

    GioFolderReader m_reader;
    EntryStore m_children;
    QElapsedTimer m_sinceProgress;
    QHash<QString, QString> m_originalPlaces; // an entry's URI, its original folder
};

} // namespace quil
