#include "platform/TitleWidth.h"

#include <QFont>
#include <QFontMetrics>
#include <QString>

namespace quil {

namespace {
// The window icon, the close, maximise and minimise buttons and the bar's
// margins of the common window managers.
constexpr int kTitleBarDecorations = 120;
} // namespace

int titleBarWidth(const QString &title, const QFont &font)
{
    QFont bold = font;
    bold.setBold(true);
    return QFontMetrics(bold).horizontalAdvance(title) + kTitleBarDecorations;
}

} // namespace quil
