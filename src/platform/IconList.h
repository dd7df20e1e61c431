#pragma once

#include <QIcon>

namespace quil {

// The process-wide icon list: turns an icon index of the namespace
// (IconNames) into a picture from the icon theme, falling back on the
// generic icon name and then on the style's own file, folder and drive icons.
// Icons are made once per index. Window thread only.
class IconList
{
public:
    static QIcon icon(int index);
};

} // namespace quil
