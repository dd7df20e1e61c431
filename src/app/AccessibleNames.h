#pragma once

class QWidget;

namespace quil {

// Gives every control of the window that a screen reader could not name (no
// accessible name and no text of its own, such as an icon button) its hint
// as its accessible name and description.
void nameControlsByHints(QWidget &window);

} // namespace quil
