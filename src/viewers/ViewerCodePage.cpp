#include "viewers/ViewerCodePage.h"

namespace quil {

std::optional<ViewerCodePage> codePageFromName(const QString &name)
{
    if (name == QLatin1String("WIN"))
        return ViewerCodePage::Win;
    if (name == QLatin1String("DOS"))
        return ViewerCodePage::Dos;
    if (name == QLatin1String("UCODE"))
        return ViewerCodePage::Ucode;
    return std::nullopt;
}

} // namespace quil
