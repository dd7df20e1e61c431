#pragma once

#include "platform/FolderPath.h"

#include <QObject>
#include <QPoint>
#include <QStringList>

#include <optional>

class QComboBox;
class QWidget;

namespace quil {

struct Services;

// The favourite folders: Ctrl+D adds the listed folder (or takes it off the
// list again), Ctrl+B shows them in a menu to jump to, and the path box's
// drop-down shows them below its history, after a separator. Kept in
// quil.fav beside quil.ini, written at each change.
class FavouriteFolders : public QObject
{
    Q_OBJECT
public:
    FavouriteFolders(QComboBox &pathBox, Services &services, QObject *parent = nullptr);

    // Reads the kept folders.
    void restore();
    const QStringList &folders() const { return m_folders; }
    // Adds a folder, or takes it off when it is one; the status text that says which.
    QString toggle(const FolderPath &folder);
    // The menu of the folders at a point of the screen; the folder picked.
    std::optional<FolderPath> pick(QWidget *owner, QPoint at) const;

private:
    void showInPathBox();

    QComboBox &m_pathBox;
    Services &m_services;
    QStringList m_folders;
    // How many items at the end of the path box are the folders' (the
    // separator included): the history goes on growing at its top.
    int m_itemsInBox = 0;
};

} // namespace quil
