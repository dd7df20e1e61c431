#include "listing/FolderReading.h"

#include "listing/GioFolderReading.h"
#include "listing/LocalFolderReading.h"

namespace quil {

FolderReading::FolderReading(const ItemId &folder, const FolderListing &like) : m_folder(folder)
{
    m_result.setSortKey(like.sortKey());
    m_result.setHiddenShown(like.hiddenShown());
}

std::unique_ptr<FolderReading> FolderReading::make(const ItemId &folder, const FolderListing &like,
                                                   MountQuestions *questions)
{
    if (folder.isLocation())
        return std::make_unique<GioFolderReading>(folder, like, questions);
    return std::make_unique<LocalFolderReading>(folder, like);
}

void FolderReading::start()
{
    begin();
}

void FolderReading::cancel()
{
    if (m_ended)
        return;
    m_ended = true;
    stop();
    Q_EMIT cancelled();
}

void FolderReading::finish()
{
    if (m_ended)
        return;
    m_ended = true;
    m_finishedWell = true;
    Q_EMIT finished();
}

void FolderReading::fail(std::exception_ptr error)
{
    if (m_ended)
        return;
    m_ended = true;
    m_error = std::move(error);
    Q_EMIT failed();
}

} // namespace quil
