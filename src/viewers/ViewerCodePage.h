#pragma once

#include <QString>
#include <optional>

namespace quil {

// The viewer's three code pages: WIN is Windows-1251, DOS is CP866 (shown
// through the OEM to ANSI conversion), UCODE is UTF-16LE.
enum class ViewerCodePage { Win, Dos, Ucode };

// The code page a caption names; nothing for any other text.
std::optional<ViewerCodePage> codePageFromName(const QString &name);

} // namespace quil
