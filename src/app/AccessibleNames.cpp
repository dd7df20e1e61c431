#include "app/AccessibleNames.h"

#include <QAbstractButton>
#include <QWidget>

namespace quil {

void nameControlsByHints(QWidget &window)
{
    for (QWidget *widget : window.findChildren<QWidget *>()) {
        if (!widget->accessibleName().isEmpty() || widget->toolTip().isEmpty())
            continue;
        const auto *button = qobject_cast<QAbstractButton *>(widget);
        if (button != nullptr && !button->text().isEmpty())
            continue;
        widget->setAccessibleName(widget->toolTip());
        if (widget->accessibleDescription().isEmpty())
            widget->setAccessibleDescription(widget->toolTip());
    }
}

} // namespace quil
