#include "platform/ErrorBox.h"

#include "platform/Dialogs.h"
#include "platform/OsError.h"

namespace quil {

void showErrorBox(Dialogs &dialogs, const std::exception &error)
{
    if (const auto *own = dynamic_cast<const QuilError *>(&error))
        dialogs.errorBox(own->message());
    else
        dialogs.errorBox(QString::fromUtf8(error.what()));
}

bool runHandler(Dialogs &dialogs, const std::function<void()> &handler)
{
    try {
        handler();
        return true;
    } catch (const std::exception &error) {
        showErrorBox(dialogs, error);
        return false;
    }
}

} // namespace quil
