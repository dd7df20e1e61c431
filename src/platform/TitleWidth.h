#pragma once

class QFont;
class QString;

namespace quil {

// The width a dialog needs so that the window manager shows its whole title:
// the title in the bold face title bars use, plus the bar's icon and buttons.
int titleBarWidth(const QString &title, const QFont &font);

} // namespace quil
