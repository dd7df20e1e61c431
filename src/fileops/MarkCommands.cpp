#include "fileops/MarkCommands.h"

#include "listing/FolderListing.h"
#include "platform/MaskMatcher.h"
#include "platform/ShellNamespace.h"
#include "platform/TextFormat.h"

#include <QCoreApplication>
#include <QSet>

namespace quil {

SelectionSummary selectionSummary(const FolderListing &listing)
{
    SelectionSummary summary;
    for (int row = 0; row < listing.count(); ++row) {
        if (!listing.isMarked(row))
            continue;
        // The child alone: a whole entry per marked row would cost the
        // memory of a large folder's listing again.
        const FolderChild child = listing.child(row);
        // A volume's mount point is a root, which the look-up of a name
        // never finds; a virtual item has no path at all. A location's item
        // counts what the location told when it was listed.
        const ItemId::Kind kind = child.id.kind();
        if (kind != ItemId::Kind::Path && kind != ItemId::Kind::Location)
            continue;
        const std::optional<FindData> found =
            kind == ItemId::Kind::Path ? ShellNamespace::findData(child.id) : child.details;
        if (!found)
            continue;
        if (found->attributes & AttributeDirectory) {
            ++summary.SelFolderCount;
            summary.SelTotalKB += folderSizeKb(listing.entry(row));
        } else {
            ++summary.SelFileCount;
            const qint64 kb = qint64(std::min<quint64>(found->size, quint64(INT64_MAX)) / 1024);
            summary.SelTotalKB += kb == 0 ? 1 : kb;
        }
    }
    return summary;
}

QString selectionSummaryText(int folders, int files, qint64 totalKb)
{
    return QCoreApplication::translate("MarkCommands", "Выделено в ") + QString::number(folders) +
           QCoreApplication::translate("MarkCommands", " папках и в ") + QString::number(files) +
           QCoreApplication::translate("MarkCommands", " файлах: ") + groupThousands(totalKb) + QStringLiteral(" KB");
}

qint64 folderSizeKb(const TShellItem &entry)
{
    return entry.needsDetails ? 1 : entry.size;
}

void storeFolderSize(FolderListing &listing, int row, qint64 kilobytes)
{
    if (row < 0 || row >= listing.count())
        return;
    listing.fillDetails(row, row);
    listing.entry(row).size = kilobytes;
}

void applyMask(FolderListing &listing, MaskCommand command, const QString &mask, const QStringList &panelNames)
{
    const MaskMatcher matcher(mask);
    const QSet<QString> inPanel(panelNames.begin(), panelNames.end());
    for (int row = 0; row < listing.count(); ++row) {
        if (listing.isFolder(row))
            continue;
        const QString name = listing.name(row);
        if (matcher.matches(name))
            listing.setMarked(row, command != MaskCommand::Unselect);
        if (command == MaskCommand::SelectMissing && inPanel.contains(name))
            listing.setMarked(row, false);
    }
}

void invertFileMarks(FolderListing &listing)
{
    for (int row = 0; row < listing.count(); ++row)
        if (!listing.isFolder(row))
            listing.setMarked(row, !listing.isMarked(row));
}

} // namespace quil
