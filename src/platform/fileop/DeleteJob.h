#pragma once

#include "platform/fileop/FileOperationCalls.h"
#include "platform/fileop/SourceFolders.h"

#include <QStringList>

namespace quil::fileop {

struct OperationState;

// Deletes a list of sources for good, folders with everything in them.
class DeleteJob
{
public:
    explicit DeleteJob(OperationState &state) : m_state(state) {}
    bool run(const QStringList &sources);

private:
    Outcome removeTree(const Place &place);

    OperationState &m_state;
    SourceFolders m_folders;
};

// Moves a list of sources to the trash.
bool runTrash(OperationState &state, const QStringList &sources);

} // namespace quil::fileop
