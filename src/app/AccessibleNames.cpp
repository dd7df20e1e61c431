#include "app/AccessibleNames.h"

#include <QAbstractButton>
#include <QLabel>
#include <QWidget>

namespace quil {

namespace {

// Labels show a text even while it is empty (a summary not yet written);
// Qt reads the current text of both kinds as long as no fixed name is set.
bool showsText(const QWidget &widget)
{
    if (const auto *label = qobject_cast<const QLabel *>(&widget))
        return label->pixmap().isNull() && label->movie() == nullptr;
    const auto *button = qobject_cast<const QAbstractButton *>(&widget);
    return button != nullptr && !button->text().isEmpty();
}

} // namespace

void nameControls(QWidget &window)
{
    for (QWidget *widget : window.findChildren<QWidget *>()) {
        const QString hint = widget->toolTip();
        if (hint.isEmpty())
            continue;
        if (widget->accessibleDescription().isEmpty())
            widget->setAccessibleDescription(hint);
        if (!showsText(*widget) && widget->accessibleName().isEmpty())
            widget->setAccessibleName(hint);
    }
}

} // namespace quil
