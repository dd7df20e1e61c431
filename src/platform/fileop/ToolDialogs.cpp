#include "platform/fileop/ToolDialogs.h"

#include <cstdio>

namespace quil {

namespace {
void echo(const QString &line)
{
    std::fprintf(stderr, "%s\n", line.toLocal8Bit().constData());
}
} // namespace

ToolDialogs::ToolDialogs(TargetExistsAnswer onExists, ErrorAnswer onError) : m_onExists(onExists), m_onError(onError) {}

void ToolDialogs::message(const QString &text, const QString &title, Icon icon)
{
    ScriptedDialogs::message(text, title, icon);
    echo(QStringLiteral("message: ") + text);
}

Dialogs::TargetExistsAnswer ToolDialogs::askTargetExists(const QString &source, const QString &target)
{
    answerTargetExists(m_onExists);
    echo(QStringLiteral("exists: ") + target);
    return ScriptedDialogs::askTargetExists(source, target);
}

Dialogs::ErrorAnswer ToolDialogs::askItemError(const QString &item, const QString &reason)
{
    ErrorAnswer answer = m_onError;
    if (answer == ErrorAnswer::Retry) {
        m_retries = item == m_lastItem ? m_retries + 1 : 1;
        if (m_retries > 3)
            answer = ErrorAnswer::Cancel;
    }
    m_lastItem = item;
    answerItemError(answer);
    echo(QStringLiteral("error: ") + item + QStringLiteral(": ") + reason);
    return ScriptedDialogs::askItemError(item, reason);
}

} // namespace quil
