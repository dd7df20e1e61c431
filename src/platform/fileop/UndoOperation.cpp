#include "platform/fileop/UndoOperation.h"

#include "platform/Dialogs.h"
#include "platform/NativePath.h"
#include "platform/fileop/FileOperation.h"
#include "platform/fileop/UndoJob.h"

namespace quil {

UndoOperation::UndoOperation(Dialogs &dialogs, Runner runner) : m_dialogs(dialogs), m_runner(std::move(runner))
{
    if (!m_runner)
        m_runner = [](FileOperation &operation) { return operation.run(); };
}

QString UndoOperation::question(const UndoEntry &entry)
{
    return QStringLiteral("Отменить: ") + entry.describe() + QLatin1Char('?');
}

UndoOperation::Result UndoOperation::undo(const UndoEntry &entry)
{
    fileop::UndoJob job(entry);
    FileOperation operation(m_dialogs, FO_UNDO, [&job](fileop::OperationState &state) { return job.run(state); });
    const bool done = m_runner(operation);
    QStringList leftAlone;
    for (const QByteArray &path : job.leftAlone())
        leftAlone.append(fromNative(path));
    if (!leftAlone.isEmpty()) {
        constexpr int kShown = 15;
        QString text = QStringLiteral("Не отменено: изменилось после операции или место занято:\r\n");
        for (int i = 0; i < leftAlone.size() && i < kShown; ++i)
            text += leftAlone.at(i) + QStringLiteral("\r\n");
        if (leftAlone.size() > kShown)
            text += QStringLiteral("...\r\n");
        m_dialogs.message(text, QStringLiteral("Отмена операции"), Dialogs::Icon::Warning);
    }
    return Result{done && leftAlone.isEmpty(), leftAlone, job.remaining()};
}

} // namespace quil
