#include "fileops/MarksController.h"

#include "fileops/FolderSizeWorker.h"
#include "fileops/MainList.h"
#include "fileops/SecondPanel.h"
#include "fileops/TFolderSize.h"
#include "listing/FolderListModel.h"
#include "listing/FolderListing.h"
#include "platform/BusyCursor.h"
#include "platform/ChangeHold.h"
#include <QCoreApplication>

namespace quil {

MarksController::MarksController(MainList &list, QObject *parent)
    : QObject(parent), m_list(list), m_folderSizes(std::make_unique<FolderSizeWorker>())
{
    connect(&list.listModel(), &QAbstractItemModel::modelAboutToBeReset, this, &MarksController::listingReplaced);
    connect(m_folderSizes.get(), &FolderSizeWorker::WalkEnded, this, &MarksController::releaseFolder,
            Qt::QueuedConnection);
}

MarksController::~MarksController()
{
    m_folderSizes.reset();
    qDeleteAll(m_workers);
}

SecondPanel *MarksController::secondPanel() const
{
    return m_list.secondPanel();
}

void MarksController::ShowSelectionSummary()
{
    m_summary = selectionSummary(m_list.listing());
    m_list.setSummary(selectionSummaryText(m_summary.SelFolderCount, m_summary.SelFileCount, m_summary.SelTotalKB));
}

void MarksController::ToggleCurrentMark()
{
    const int row = m_list.currentRow();
    if (row < 0)
        return;
    FolderListing &listing = m_list.listing();
    TShellItem &entry = listing.entry(row);
    entry.marked = !entry.marked;
    // A virtual folder has no path to walk; a location's folder is not
    // walked, which would ask its server about every folder below.
    if (entry.marked && listing.isFolder(row) && !entry.path().isEmpty()) {
        if (FolderPath(entry.path()).isLocal())
            queueFolderSize(FolderPath(entry.path()), row);
        else
            m_list.setStatus(tr("Размер папки в сетевой папке или архиве не считается"));
    }
    m_list.listModel().rowsChanged(row, row);
    ShowSelectionSummary();
}

void MarksController::applyMaskCommand(MaskCommand command, const QString &mask)
{
    const BusyCursor busy;
    QStringList panelNames;
    if (command == MaskCommand::SelectMissing && secondPanel() != nullptr)
        panelNames = secondPanel()->rowNames();
    applyMask(m_list.listing(), command, mask, panelNames);
    marksChanged();
}

void MarksController::SelectByMask(const QString &mask)
{
    applyMaskCommand(MaskCommand::Select, mask);
}

void MarksController::UnselectByMask(const QString &mask)
{
    applyMaskCommand(MaskCommand::Unselect, mask);
}

void MarksController::SelectMissing(const QString &mask)
{
    applyMaskCommand(MaskCommand::SelectMissing, mask);
}

void MarksController::InvertSelection()
{
    invertFileMarks(m_list.listing());
    marksChanged();
}

void MarksController::clearMarks()
{
    FolderListing &listing = m_list.listing();
    for (int row = 0; row < listing.count(); ++row)
        listing.setMarked(row, false);
    m_list.listModel().rowsChanged(0, listing.count() - 1);
    m_list.redrawList();
}

void MarksController::marksChanged()
{
    ShowSelectionSummary();
    m_list.listModel().rowsChanged(0, m_list.listing().count() - 1);
    m_list.redrawList();
}

void MarksController::queueFolderSize(const FolderPath &folder, int rowIndex)
{
    auto *worker = new TFolderSize(folder.path(), rowIndex, m_listing);
    // The folder's row as rows come and go around it (other programs'
    // changes of the folder); invalid once its entry has gone.
    const QPersistentModelIndex place(m_list.listModel().index(rowIndex, 0));
    // Queued onto the window thread; a report of an earlier listing would
    // land on an entry that is not the folder any more.
    connect(
        worker, &TFolderSize::ReportSize, this,
        [this, worker, place, listing = worker->Listing](int, qint64 totalBytes) {
            // Held while a file operation runs; the listing is compared when
            // applied. A later report of the folder replaces a held one.
            m_list.changeHold().apply(
                [this, listing, place, totalBytes] {
                    if (listing == m_listing)
                        AddListVievSize(place.isValid() ? place.row() : -1, totalBytes);
                },
                worker);
        },
        Qt::QueuedConnection);
    m_workers.append(worker);
    m_folderSizes->add(worker);
}

void MarksController::releaseFolder(TFolderSize *folder)
{
    if (m_workers.removeOne(folder))
        delete folder;
}

void MarksController::AddListVievSize(int rowIndex, qint64 totalBytes)
{
    m_list.setStatus(QCoreApplication::translate("MarksController", "Вычисляю размер..."));
    const qint64 kb = totalBytes / 1024;
    m_list.setSummary(
        selectionSummaryText(m_summary.SelFolderCount, m_summary.SelFileCount, m_summary.SelTotalKB + kb));
    FolderListing &listing = m_list.listing();
    if (rowIndex >= 0 && rowIndex < listing.count()) {
        storeFolderSize(listing, rowIndex, kb);
        m_list.listModel().rowsChanged(rowIndex, rowIndex);
    }
}

void MarksController::listingReplaced()
{
    ++m_listing;
    for (TFolderSize *waiting : m_folderSizes->stopAll())
        releaseFolder(waiting);
}

} // namespace quil
