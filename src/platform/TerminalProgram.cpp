#include "platform/TerminalProgram.h"

#include "platform/Launcher.h"

#include <QtGlobal>

namespace quil {

QString terminalProgram()
{
    const QString debian = Launcher::resolveProgram(QStringLiteral("x-terminal-emulator"));
    if (!debian.isEmpty())
        return debian;
    return qEnvironmentVariable("TERMINAL").trimmed();
}

} // namespace quil
