#include "platform/fileop/UndoJournal.h"

#include <QCoreApplication>
#include <sys/stat.h>

namespace quil {

ItemIdentity ItemIdentity::of(const struct stat &st)
{
    ItemIdentity id;
    id.device = st.st_dev;
    id.inode = st.st_ino;
    id.type = st.st_mode & S_IFMT;
    id.size = st.st_size;
    id.modified = st.st_mtim;
    return id;
}

std::optional<ItemIdentity> ItemIdentity::read(const QByteArray &path)
{
    struct stat st;
    if (::lstat(path.constData(), &st) != 0)
        return std::nullopt;
    return of(st);
}

bool ItemIdentity::isFolder() const
{
    return type == S_IFDIR;
}

bool ItemIdentity::sameAs(const ItemIdentity &other) const
{
    return device == other.device && inode == other.inode && type == other.type && size == other.size &&
           modified.tv_sec == other.modified.tv_sec && modified.tv_nsec == other.modified.tv_nsec;
}

QString UndoEntry::describe() const
{
    QString name;
    switch (kind) {
    case Kind::Copy:
        name = QCoreApplication::translate("UndoJournal", "копирование");
        break;
    case Kind::Move:
        name = QCoreApplication::translate("UndoJournal", "перемещение");
        break;
    case Kind::Trash:
        name = QCoreApplication::translate("UndoJournal", "удаление в корзину");
        break;
    case Kind::Rename:
        name = QCoreApplication::translate("UndoJournal", "переименование");
        break;
    case Kind::CreateFolder:
        name = QCoreApplication::translate("UndoJournal", "создание папки");
        break;
    }
    return name + QLatin1Char(' ') + QString::number(items.size()) +
           QCoreApplication::translate("UndoJournal", " объект(ов)");
}

UndoJournal &UndoJournal::session()
{
    static UndoJournal journal;
    return journal;
}

void UndoJournal::push(UndoEntry entry)
{
    if (entry.items.empty())
        return;
    m_entries.push_back(std::move(entry));
    if (m_entries.size() > size_t(kLimit))
        m_entries.erase(m_entries.begin());
}

const UndoEntry *UndoJournal::newest() const
{
    return m_entries.empty() ? nullptr : &m_entries.back();
}

std::optional<UndoEntry> UndoJournal::takeNewest()
{
    if (m_entries.empty())
        return std::nullopt;
    UndoEntry entry = std::move(m_entries.back());
    m_entries.pop_back();
    return entry;
}

void UndoJournal::recordCreatedFolder(const QByteArray &path)
{
    const std::optional<ItemIdentity> made = ItemIdentity::read(path);
    if (!made)
        return;
    push(UndoEntry{UndoEntry::Kind::CreateFolder, {UndoItem{{}, path, {}, *made, {}}}});
}

} // namespace quil
