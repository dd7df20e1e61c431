#include "platform/fileop/UndoOperation.h"

#include "platform/BytePath.h"
#include "platform/Dialogs.h"
#include "platform/NativePath.h"
#include "platform/fileop/FileOperation.h"

#include <QMap>

#include <cerrno>
#include <sys/stat.h>
#include <unistd.h>

namespace quil {

namespace {

// Makes the folder and its missing parents, as the restore of a trashed
// item whose folder has gone since needs.
bool makeFolders(const QByteArray &folder)
{
    struct stat st;
    if (folder.isEmpty() || ::lstat(folder.constData(), &st) == 0)
        return !folder.isEmpty() && S_ISDIR(st.st_mode);
    if (errno != ENOENT || !makeFolders(bytepath::parent(folder)))
        return false;
    return ::mkdir(folder.constData(), 0777) == 0 || errno == EEXIST;
}

bool exists(const QByteArray &path)
{
    struct stat st;
    return ::lstat(path.constData(), &st) == 0;
}

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
    QString text = QStringLiteral("Отменить: ") + entry.describe() + QLatin1Char('?');
    if (!entry.lost.empty()) {
        QStringList lost;
        for (const QByteArray &path : entry.lost)
            lost.append(fromNative(path));
        text +=
            QStringLiteral("\r\nЗаменённые файлы не вернутся (их не удалось поместить в корзину):\r\n") + listed(lost);
    }
    return text;
}

UndoOperation::Result UndoOperation::undo(const UndoEntry &entry)
{
    m_leftAlone.clear();
    bool done = false;
    switch (entry.kind) {
    case UndoEntry::Kind::Copy:
        done = undoCopy(entry);
        break;
    case UndoEntry::Kind::Move:
        done = undoMove(entry);
        break;
    case UndoEntry::Kind::Trash:
        done = undoTrash(entry);
        break;
    case UndoEntry::Kind::Rename:
        done = undoRename(entry);
        break;
    case UndoEntry::Kind::CreateFolder:
        done = undoCreateFolder(entry);
        break;
    }
    // What a copy or move replaced comes back from the trash to the places just freed.
    if (!entry.replaced.empty())
        done = undoTrash(UndoEntry{UndoEntry::Kind::Trash, entry.replaced}) && done;
    if (!m_leftAlone.isEmpty())
        m_dialogs.message(QStringLiteral("Не отменено: изменилось после операции или место занято:\r\n") +
                              listed(m_leftAlone),
                          QStringLiteral("Отмена операции"), Dialogs::Icon::Warning);
    return Result{done && m_leftAlone.isEmpty(), m_leftAlone};
}

bool UndoOperation::run(const QStringList &sources, const QString &target, int code, int flags)
{
    if (sources.isEmpty())
        return true;
    FileOperation operation(m_dialogs, sources, target, code, flags);
    return m_runner(operation);
}

bool UndoOperation::stillThere(const UndoItem &item)
{
    const std::optional<ItemIdentity> now = ItemIdentity::read(item.to);
    if (now && now->sameAs(item.identity))
        return true;
    leaveAlone(item.to);
    return false;
}

bool UndoOperation::placeFree(const QByteArray &path)
{
    if (exists(path) || !makeFolders(bytepath::parent(path))) {
        leaveAlone(path);
        return false;
    }
    return true;
}

void UndoOperation::leaveAlone(const QByteArray &path)
{
    m_leftAlone.append(fromNative(path));
}

bool UndoOperation::undoCopy(const UndoEntry &entry)
{
    QStringList made;
    for (auto it = entry.items.rbegin(); it != entry.items.rend(); ++it) {
        if (stillThere(*it))
            made.append(fromNative(it->to));
    }
    return run(made, {}, FO_DELETE, FOF_ALLOWUNDO);
}

bool UndoOperation::undoMove(const UndoEntry &entry)
{
    // Items that go back under their own name into one folder move in one
    // operation; the others one by one to their old paths.
    QMap<QByteArray, QStringList> byFolder;
    QList<const UndoItem *> renamed;
    for (auto it = entry.items.rbegin(); it != entry.items.rend(); ++it) {
        if (!stillThere(*it) || !placeFree(it->from))
            continue;
        if (bytepath::fileName(it->from) == bytepath::fileName(it->to))
            byFolder[bytepath::parent(it->from)].append(fromNative(it->to));
        else
            renamed.append(&*it);
    }
    bool ok = true;
    for (auto it = byFolder.cbegin(); it != byFolder.cend(); ++it)
        ok = run(it.value(), fromNative(bytepath::join(it.key(), "")), FO_MOVE, FOF_ALLOWUNDO) && ok;
    for (const UndoItem *item : renamed)
        ok = run({fromNative(item->to)}, fromNative(item->from), FO_MOVE, FOF_ALLOWUNDO) && ok;
    return ok;
}

bool UndoOperation::undoTrash(const UndoEntry &entry)
{
    bool ok = true;
    for (auto it = entry.items.rbegin(); it != entry.items.rend(); ++it) {
        if (!exists(it->trashInfo)) {
            leaveAlone(it->from);
            continue;
        }
        if (!stillThere(*it) || !placeFree(it->from))
            continue;
        // A rename back, which asks before it replaces anything that took the
        // name meanwhile; the entry's .trashinfo goes once the item is out.
        ok = run({fromNative(it->to)}, fromNative(it->from), FO_RENAME, 0) && ok;
        if (!exists(it->to) && exists(it->from))
            ::unlink(it->trashInfo.constData());
    }
    return ok;
}

bool UndoOperation::undoRename(const UndoEntry &entry)
{
    bool ok = true;
    for (auto it = entry.items.rbegin(); it != entry.items.rend(); ++it) {
        if (stillThere(*it) && placeFree(it->from))
            ok = run({fromNative(it->to)}, fromNative(it->from), FO_RENAME, 0) && ok;
    }
    return ok;
}

bool UndoOperation::undoCreateFolder(const UndoEntry &entry)
{
    for (auto it = entry.items.rbegin(); it != entry.items.rend(); ++it) {
        // A folder that holds anything now is the user's: only an empty one goes.
        // Its time changes with what came and went in it; the same folder is enough.
        const std::optional<ItemIdentity> now = ItemIdentity::read(it->to);
        if (!now || now->device != it->identity.device || now->inode != it->identity.inode || !now->isFolder() ||
            ::rmdir(it->to.constData()) != 0)
            leaveAlone(it->to);
    }
    return true;
}

} // namespace quil
