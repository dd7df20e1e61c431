#pragma once

#include <QString>
#include <QtGlobal>

namespace quil {

// What the disk row shows for a volume: the two label texts and the bar of
// 220 pixels whose right end is at x = 375.
struct DiskDisplayFigures
{
    QString sizeText;  // Label5: grouped size followed by " Kb -"
    QString freeText;  // Label6: grouped free space followed by " Kb"
    int freeWidth = 0; // Shape2
    int freeLeft = 375;
    int usedWidth = 220; // Shape1, left edge fixed at 157
};

// Figures for a volume of sizeKb kilobytes with freeKb free. A size of 0
// (the volume does not tell) gives an empty free bar instead of dividing by
// zero; free space above the size fills the bar.
DiskDisplayFigures diskDisplayFigures(qint64 sizeKb, qint64 freeKb);

} // namespace quil
