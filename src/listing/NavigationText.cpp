#include "listing/NavigationText.h"

#include "listing/PathText.h"

namespace quil {

QString folderLeftByUp(const QString &pathBoxText)
{
    if (isRootPathText(pathBoxText))
        return pathBoxText;
    return splitLastName(pathBoxText).name;
}

} // namespace quil
