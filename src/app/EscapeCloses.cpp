#include "app/EscapeCloses.h"

#include "platform/EventHook.h"

#include <QKeyEvent>
#include <QWidget>

namespace quil {

void closeOnEscape(QWidget &window, std::function<bool()> stopWork)
{
    // Keys that no control took go up to the window, where this hook sees them.
    new EventHook(&window, QEvent::KeyPress, [&window, stopWork = std::move(stopWork)](QEvent *event) {
        const auto *key = static_cast<QKeyEvent *>(event);
        const Qt::KeyboardModifiers held = key->modifiers() & ~Qt::KeyboardModifiers(Qt::KeypadModifier);
        if (key->key() != Qt::Key_Escape || held.toInt() != 0)
            return false;
        if (!stopWork || !stopWork())
            window.close();
        return true;
    });
}

} // namespace quil
