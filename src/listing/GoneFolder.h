#pragma once

#include "platform/FolderPath.h"

#include <QString>

namespace quil {

// The nearest folder above a listed folder that another program removed or
// renamed: the first of its parents that exists (reads the disk once per
// parent tried); empty when none does.
FolderPath existingFolderAbove(const FolderPath &gone);

// The status text that says why a list shows that folder instead.
QString goneFolderText(const FolderPath &gone, const FolderPath &shown);

} // namespace quil
