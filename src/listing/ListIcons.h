#pragma once

#include <QIcon>

namespace quil {

// The picture of an icon index of the process-wide icon list (IconNames):
// the theme icon by name or its generic fallback, or the style's own folder,
// file, disk and computer icons where the theme has none. Cached per index;
// window thread only.
QIcon listIcon(int iconIndex);

} // namespace quil
