#include "app/ComboListPick.h"

#include "platform/EventHook.h"

#include <QAbstractItemView>
#include <QComboBox>
#include <QKeyEvent>
#include <QTimer>

#include <memory>

void connectListPick(QComboBox *box, std::function<void()> picked)
{
    // A box without completion: inline completion would fill the edit with a
    // line the user never picked.
    box->setCompleter(nullptr);
    auto picking = std::make_shared<bool>(false);
    // Set while the box handles the user's pick; activated comes from inside
    // that handling, and the next pass of the event loop forgets it.
    const auto mark = [box, picking] {
        *picking = true;
        QTimer::singleShot(0, box, [picking] { *picking = false; });
    };
    // Hooks installed after the popup's own filter see its events first.
    QAbstractItemView *list = box->view();
    new quil::EventHook(list->viewport(), QEvent::MouseButtonRelease, [mark](QEvent *) {
        mark();
        return false;
    });
    const auto keys = [mark](QEvent *event, bool closedBox) {
        const int key = static_cast<QKeyEvent *>(event)->key();
        const bool pick = closedBox ? key == Qt::Key_Up || key == Qt::Key_Down
                                    : key == Qt::Key_Return || key == Qt::Key_Enter || key == Qt::Key_Select;
        if (pick)
            mark();
        return false;
    };
    // The popup takes Enter as early as the shortcut override.
    for (const QEvent::Type type : {QEvent::ShortcutOverride, QEvent::KeyPress})
        new quil::EventHook(list, type, [keys](QEvent *event) { return keys(event, false); });
    new quil::EventHook(box, QEvent::KeyPress, [keys](QEvent *event) { return keys(event, true); });
    QObject::connect(box, &QComboBox::activated, box, [picking, picked = std::move(picked)] {
        if (*picking) {
            *picking = false;
            picked();
        }
    });
}
