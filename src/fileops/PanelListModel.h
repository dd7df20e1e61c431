#pragma once

#include "fileops/PanelFolder.h"

#include <QAbstractListModel>
#include <QHash>
#include <QStringList>

#include <vector>

namespace quil {

// The second panel's rows as a model over its two lists of full paths (a
// location's URIs), folders then files: one row per path, its name as caption, editable in
// place. Captions and icons are made on request, for the rows a view shows;
// an icon once made stays with its row. A caption typed in stays on its row
// until the next listing.
class PanelListModel : public QAbstractListModel
{
    Q_OBJECT
public:
    // A row's full path, or its URI in a location.
    static constexpr int PathRole = Qt::UserRole;

    PanelListModel(QStringList &folders, QStringList &files, QObject *parent = nullptr);

    int rowCount(const QModelIndex &parent = {}) const override;
    QVariant data(const QModelIndex &index, int role) const override;
    Qt::ItemFlags flags(const QModelIndex &index) const override;
    bool setData(const QModelIndex &index, const QVariant &value, int role) override;

    // Shows another listing (a reset of the model).
    void replace(PanelFolderListing listing);
    void clear() { replace({}); }

    bool isFolder(int row) const { return row < m_folders.size(); }
    const QString &path(int row) const;
    // The row's caption.
    QString caption(int row) const;
    // The row of a full path, -1 when none.
    int rowOfPath(const QString &path) const;
    // The row whose name is the longest: the widest, in all likelihood.
    int longestRow() const;

    // Puts a path in its sorted place in its group; returns its row.
    int insertPath(const QString &path, bool isFolder);
    void removePath(int row);
    // The row's icon made again (its item changed).
    void refreshIcon(int row);

private:
    QStringList &m_folders;
    QStringList &m_files;
    // Icon index per row, -1 until the row is first shown.
    mutable std::vector<int> m_icons;
    // Captions typed in, by the path of their row.
    QHash<QString, QString> m_typed;
};

} // namespace quil
