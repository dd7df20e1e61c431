#include "listing/DiskDisplay.h"

#include "platform/TextFormat.h"

#include <algorithm>
#include <cmath>

namespace quil {

DiskDisplayFigures diskDisplayFigures(qint64 sizeKb, qint64 freeKb)
{
    constexpr int barWidth = 220;
    constexpr int barRight = 375;
    DiskDisplayFigures figures;
    figures.sizeText = groupThousands(sizeKb) + QStringLiteral(" Kb -");
    figures.freeText = groupThousands(freeKb) + QStringLiteral(" Kb");
    int freeWidth = 0;
    if (sizeKb > 0 && freeKb > 0) {
        const double ratio = std::min(1.0, double(freeKb) / double(sizeKb));
        freeWidth = int(std::lround(ratio * barWidth));
    }
    figures.freeWidth = freeWidth;
    figures.freeLeft = barRight - freeWidth;
    figures.usedWidth = barWidth - freeWidth;
    return figures;
}

} // namespace quil
