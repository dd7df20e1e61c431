#pragma once

#include "fileops/CommandSources.h"
#include "platform/FileClipboard.h"
#include "platform/FolderPath.h"

#include <QObject>
#include <QPoint>
#include <QPointer>

#include <functional>

class QAbstractItemView;
class QDropEvent;
class QMimeData;
class QModelIndex;

namespace quil {

class Dialogs;

// Files dragged out of the program's lists (to its other views or to other
// programs) and files dropped onto its lists, its second panel and its tree.
// A drag carries what the clipboard carries: text/uri-list and
// x-special/gnome-copied-files, URIs made of the names' own bytes. A drop
// copies, or moves with Shift (Ctrl copies), through the handler given,
// after the drag has ended: its questions must not run inside the drag.
class FileDragDrop : public QObject
{
    Q_OBJECT
public:
    // What one view gives and takes.
    struct Site
    {
        QAbstractItemView *view = nullptr;
        // The folder a drop at a point of the view's viewport goes into:
        // the folder of a folder row, else the view's own folder; empty
        // where nothing may be dropped.
        std::function<FolderPath(QPoint)> folderAt;
        // What a drag started on a row carries; none when the view gives no drags.
        std::function<CommandSources(const QModelIndex &)> sourcesAt;
        // Told when a drag started in the view has ended.
        std::function<void()> dragEnded;
    };
    using DropHandler = std::function<void(const CommandSources &sources, const FolderPath &folder, bool move)>;

    FileDragDrop(Dialogs &dialogs, DropHandler onDrop, QObject *parent = nullptr);

    void addSite(Site site);

    // Whether files may be dropped into a folder: never into a folder they
    // lie in (nothing would change) nor into one of them or below it.
    static bool mayDropInto(const QStringList &paths, const FolderPath &folder);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    const Site *siteOf(QObject *viewport) const;
    // Mouse press and move on a site: starts a drag past the drag distance.
    bool startDragOnMove(const Site &site, QEvent *event);
    // The folder files dragged over the site at a point would be dropped
    // into; empty when they may not be dropped there.
    static FolderPath dropFolder(const Site &site, const QStringList &paths, QPoint point);
    void drop(const Site &site, QDropEvent *event);

    Dialogs &m_dialogs;
    DropHandler m_drop;
    QList<Site> m_sites;
    // The sites' viewports, compared only: a view may go before this object.
    QList<const QObject *> m_viewports;
    // The press a drag may start from.
    QPointer<QObject> m_pressedViewport;
    QPoint m_pressPoint;
    // The program's own drag while it runs: a drop of it may clear the marks.
    CommandSources m_dragged;
    // The files of the drag over a site, read once as it enters.
    ClipboardFiles m_offered;
};

} // namespace quil
