#include "listing/NavigationText.h"

#include "listing/PathText.h"

namespace quil {

QString folderLeftByUp(const QString &pathBoxText)
{
    if (isRootPathText(pathBoxText))
        return pathBoxText;
    QString text = pathBoxText;
    if (text.endsWith(QLatin1Char('/')))
        text.chop(1);
    const qsizetype slash = text.lastIndexOf(QLatin1Char('/'));
    return slash < 0 ? QString() : text.mid(slash + 1);
}

} // namespace quil
