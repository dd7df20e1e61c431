#pragma once

#include <functional>

class QWidget;

namespace quil {

// Escape closes a window as its close box does, when the key reaches the
// window: a control that uses Escape itself (an open drop-down list, a name
// editor, a dialog of its own) keeps it. While stopWork says it stopped
// something (a running search), that was the Escape's work and the window
// stays open.
void closeOnEscape(QWidget &window, std::function<bool()> stopWork = {});

} // namespace quil
