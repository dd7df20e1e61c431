#include "platform/fileop/UndoOperation.h"

#include "platform/Dialogs.h"
#include "platform/NativePath.h"
#include "platform/fileop/FileOperation.h"
#include "platform/fileop/UndoJob.h"
#include <QCoreApplication>

namespace quil {

namespace {

// Lines of paths for a message, the first few of many.
QString listed(const QStringList &paths)
{
    constexpr int kShown = 15;
    QString text;
    for (int i = 0; i < paths.size() && i < kShown; ++i)
        text += paths.at(i) + QStringLiteral("\r\n");
    if (paths.size() > kShown)
        text += QStringLiteral("...\r\n");
    return text;
}

} // namespace

UndoOperation::UndoOperation(Dialogs &dialogs, Runner runner) : m_dialogs(dialogs), m_runner(std::move(runner))
{
    if (!m_runner)
        m_runner = [](FileOperation &operation) { return operation.run(); };
}

QString UndoOperation::question(const UndoEntry &entry)
{
    QString text = QCoreApplication::translate("UndoOperation", "Отменить: ") + entry.describe() + QLatin1Char('?');
    if (!entry.lost.empty()) {
        QStringList lost;
        for (const QByteArray &path : entry.lost)
            lost.append(fromNative(path));
        text += QCoreApplication::translate(
                    "UndoOperation", "\r\nЗаменённые файлы не вернутся (их не удалось поместить в корзину):\r\n") +
                listed(lost);
    }
    return text;
}

UndoOperation::Result UndoOperation::undo(const UndoEntry &entry)
{
    fileop::UndoJob job(entry);
    FileOperation operation(m_dialogs, FO_UNDO, [&job](fileop::OperationState &state) { return job.run(state); });
    const bool done = m_runner(operation);
    QStringList leftAlone;
    for (const QByteArray &path : job.leftAlone())
        leftAlone.append(fromNative(path));
    if (!leftAlone.isEmpty())
        m_dialogs.message(QCoreApplication::translate("UndoOperation",
                                                      "Не отменено: изменилось после операции или место занято:\r\n") +
                              listed(leftAlone),
                          QCoreApplication::translate("UndoOperation", "Отмена операции"), Dialogs::Icon::Warning);
    return Result{done && leftAlone.isEmpty(), leftAlone, job.remaining()};
}

} // namespace quil
