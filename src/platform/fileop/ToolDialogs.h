#pragma once

#include "platform/ScriptedDialogs.h"

namespace quil {

// The answers of quil-fileop: one fixed answer for each question, every
// question and message echoed to standard error. "Retry" is given at most
// three times in a row for the same item, then Cancel, so that a lasting
// error cannot loop for ever.
class ToolDialogs : public ScriptedDialogs
{
public:
    ToolDialogs(TargetExistsAnswer onExists, ErrorAnswer onError);

    void message(const QString &text, const QString &title, Icon icon) override;
    TargetExistsAnswer askTargetExists(const QString &source, const QString &target) override;
    ErrorAnswer askItemError(const QString &item, const QString &reason) override;

private:
    TargetExistsAnswer m_onExists;
    ErrorAnswer m_onError;
    QString m_lastItem;
    int m_retries = 0;
};

} // namespace quil
