#include "app/FileDragDrop.h"

#include "platform/Dialogs.h"
#include "platform/FileClipboard.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QDrag>
#include <QDropEvent>
#include <QMimeData>
#include <QMouseEvent>

namespace quil {

namespace {

// Shift moves; Ctrl, or no key, copies, as this desktop's file managers do.
bool movesWith(Qt::KeyboardModifiers modifiers)
{
    return modifiers.testFlag(Qt::ShiftModifier) && !modifiers.testFlag(Qt::ControlModifier);
}

Qt::DropAction actionFor(const QDropEvent &event)
{
    const Qt::DropAction wanted = movesWith(event.modifiers()) ? Qt::MoveAction : Qt::CopyAction;
    return event.possibleActions().testFlag(wanted) ? wanted : Qt::CopyAction;
}

// URIs that name no file of this machine: such a drop is refused whole.
QStringList notLocalUris(const ClipboardFiles &files)
{
    return files.otherHosts + files.otherSchemes;
}

} // namespace

FileDragDrop::FileDragDrop(Dialogs &dialogs, DropHandler onDrop, QObject *parent)
    : QObject(parent), m_dialogs(dialogs), m_drop(std::move(onDrop))
{}

void FileDragDrop::addSite(Site site)
{
    QWidget *viewport = site.view->viewport();
    viewport->setAcceptDrops(true);
    viewport->installEventFilter(this);
    m_viewports.append(viewport);
    m_sites.append(std::move(site));
}

bool FileDragDrop::mayDropInto(const QStringList &paths, const FolderPath &folder)
{
    for (const QString &path : paths) {
        const FolderPath source(path);
        if (source.parent() == folder || source.contains(folder))
            return false;
    }
    return !paths.isEmpty();
}

const FileDragDrop::Site *FileDragDrop::siteOf(QObject *viewport) const
{
    const qsizetype index = m_viewports.indexOf(viewport);
    return index >= 0 ? &m_sites.at(index) : nullptr;
}

bool FileDragDrop::eventFilter(QObject *watched, QEvent *event)
{
    const Site *site = siteOf(watched);
    if (site == nullptr)
        return false;
    switch (event->type()) {
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonRelease:
    case QEvent::MouseMove:
        return startDragOnMove(*site, event);
    case QEvent::DragEnter:
    case QEvent::DragMove: {
        auto *drag = static_cast<QDragMoveEvent *>(event);
        if (event->type() == QEvent::DragEnter)
            m_offered = filesOfMimeData(*drag->mimeData());
        // Other machines' files and other locations are let in, to be told
        // at the drop why they are refused.
        const bool refusedWhole = !notLocalUris(m_offered).isEmpty();
        if (refusedWhole || !dropFolder(*site, m_offered.paths, drag->position().toPoint()).isEmpty()) {
            drag->setDropAction(actionFor(*drag));
            drag->accept();
        } else {
            drag->ignore();
        }
        return true;
    }
    case QEvent::DragLeave:
        return true;
    case QEvent::Drop:
        drop(*site, static_cast<QDropEvent *>(event));
        return true;
    default:
        return false;
    }
}

bool FileDragDrop::startDragOnMove(const Site &site, QEvent *event)
{
    const auto *mouse = static_cast<QMouseEvent *>(event);
    QWidget *viewport = site.view->viewport();
    if (event->type() != QEvent::MouseMove) {
        const bool pressed = event->type() == QEvent::MouseButtonPress && mouse->button() == Qt::LeftButton;
        m_pressedViewport = pressed ? viewport : nullptr;
        m_pressPoint = mouse->position().toPoint();
        return false;
    }
    if (!mouse->buttons().testFlag(Qt::LeftButton) || m_pressedViewport != viewport || !site.sourcesAt ||
        (mouse->position().toPoint() - m_pressPoint).manhattanLength() < QApplication::startDragDistance())
        return false;
    m_pressedViewport = nullptr;
    const QModelIndex index = site.view->indexAt(m_pressPoint);
    if (!index.isValid())
        return false;
    CommandSources sources = site.sourcesAt(index);
    sources.paths = fileSystemPaths(sources.paths);
    if (sources.paths.isEmpty())
        return false;
    auto *drag = new QDrag(viewport);
    drag->setMimeData(mimeDataForFiles({sources.paths, false, {}, {}}));
    m_dragged = sources;
    drag->exec(Qt::CopyAction | Qt::MoveAction, Qt::CopyAction);
    m_dragged = {};
    if (site.dragEnded)
        site.dragEnded();
    return true;
}

FolderPath FileDragDrop::dropFolder(const Site &site, const QStringList &paths, QPoint point)
{
    const FolderPath folder = site.folderAt(point);
    if (folder.isEmpty() || !folder.isLocal() || !mayDropInto(paths, folder))
        return {};
    return folder;
}

void FileDragDrop::drop(const Site &site, QDropEvent *event)
{
    const ClipboardFiles offered = filesOfMimeData(*event->mimeData());
    m_offered = {};
    if (const QStringList refused = notLocalUris(offered); !refused.isEmpty()) {
        event->ignore();
        // Told once the drag has ended: a message box inside it would hold
        // the other program's drag.
        QMetaObject::invokeMethod(
            this,
            [this, refused] {
                m_dialogs.message(tr("Перетаскивание отменено: это не файлы этого компьютера") +
                                      QStringLiteral("\r\n") + refused.join(QStringLiteral("\r\n")),
                                  QStringLiteral("QUIL"), Dialogs::Icon::Warning);
            },
            Qt::QueuedConnection);
        return;
    }
    const FolderPath folder = dropFolder(site, offered.paths, event->position().toPoint());
    if (folder.isEmpty()) {
        event->ignore();
        return;
    }
    const bool move = actionFor(*event) == Qt::MoveAction;
    event->setDropAction(move ? Qt::MoveAction : Qt::CopyAction);
    event->accept();
    CommandSources sources;
    sources.paths = offered.paths;
    for (const QString &path : sources.paths)
        sources.names.append(FolderPath(path).lastName());
    // The main list's marks go once the marked entries were what was dropped.
    sources.fromMarks = m_dragged.fromMarks && m_dragged.paths == sources.paths;
    QMetaObject::invokeMethod(
        this, [this, sources, folder, move] { m_drop(sources, folder, move); }, Qt::QueuedConnection);
}

} // namespace quil
