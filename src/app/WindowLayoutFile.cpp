#include "app/WindowLayoutFile.h"

#include "platform/OsError.h"
#include "platform/SettingsFiles.h"

#include <QStringList>

namespace quil {

namespace {

// Screen coordinates and sizes far beyond any screen are no layout.
constexpr int kLimit = 100000;

// The line's blank-separated whole numbers in [low, kLimit], exactly count of them.
std::optional<QList<int>> numbers(const QStringList &lines, int line, int count, int low)
{
    if (line >= lines.size())
        return std::nullopt;
    const QStringList fields = lines.at(line).split(QLatin1Char(' '), Qt::SkipEmptyParts);
    if (fields.size() != count)
        return std::nullopt;
    QList<int> values;
    for (const QString &field : fields) {
        bool ok = false;
        const int value = field.toInt(&ok);
        if (!ok || value < low || value > kLimit)
            return std::nullopt;
        values.append(value);
    }
    return values;
}

QString joined(const QList<int> &values)
{
    QStringList fields;
    for (int value : values)
        fields.append(QString::number(value));
    return fields.join(QLatin1Char(' '));
}

} // namespace

QString windowLayoutPath(const FolderPath &settingsFolder)
{
    return settingsFolder.filePath(u"quil.pos");
}

WindowLayout readWindowLayout(const QString &path, int columnCount)
{
    WindowLayout layout;
    if (!fileExists(path))
        return layout;
    QStringList lines;
    try {
        lines = readSettingsLines(path);
    } catch (const QuilError &) {
        // Kept sizes are a comfort, not the user's data: the design's stand.
        return layout;
    }
    if (const auto main = numbers(lines, 0, 4, -kLimit); main && main->at(2) > 0 && main->at(3) > 0)
        layout.mainWindow = QRect(main->at(0), main->at(1), main->at(2), main->at(3));
    if (const auto maximized = numbers(lines, 1, 1, 0); maximized && maximized->at(0) <= 1)
        layout.mainMaximized = maximized->at(0) == 1;
    if (const auto tree = numbers(lines, 2, 1, 1))
        layout.treeWidth = tree->at(0);
    if (const auto columns = numbers(lines, 3, columnCount, 1))
        layout.columnWidths = *columns;
    if (const auto panel = numbers(lines, 4, 2, -kLimit))
        layout.secondPanel = QPoint(panel->at(0), panel->at(1));
    if (lines.size() > 5 && lines.at(5).startsWith(QLatin1Char('/')))
        layout.secondPanelFolder = lines.at(5);
    if (const auto view = numbers(lines, 6, 1, 0); view && view->at(0) <= 2)
        layout.secondPanelView = view->at(0);
    if (const auto size = numbers(lines, 7, 2, 1))
        layout.secondPanelSize = QSize(size->at(0), size->at(1));
    if (const auto dock = numbers(lines, 8, 1, 0); dock && dock->at(0) <= 2)
        layout.secondPanelDock = dock->at(0);
    if (const auto size = numbers(lines, 9, 2, 1))
        layout.secondPanelDockSize = QSize(size->at(0), size->at(1));
    return layout;
}

void writeWindowLayout(const QString &path, const WindowLayout &layout)
{
    QStringList lines;
    const QRect main = layout.mainWindow.value_or(QRect());
    lines.append(joined({main.x(), main.y(), main.width(), main.height()}));
    lines.append(QString::number(layout.mainMaximized ? 1 : 0));
    lines.append(QString::number(layout.treeWidth.value_or(0)));
    lines.append(joined(layout.columnWidths.value_or(QList<int>())));
    // A panel without a place of its own (never shown) gets one beside the
    // main window next time.
    lines.append(layout.secondPanel ? joined({layout.secondPanel->x(), layout.secondPanel->y()}) : QString());
    lines.append(layout.secondPanelFolder.value_or(QString()));
    lines.append(QString::number(layout.secondPanelView.value_or(0)));
    const auto sizeLine = [](const std::optional<QSize> &size) {
        return size ? joined({size->width(), size->height()}) : QString();
    };
    lines.append(sizeLine(layout.secondPanelSize));
    lines.append(QString::number(layout.secondPanelDock.value_or(0)));
    lines.append(sizeLine(layout.secondPanelDockSize));
    writeSettingsLines(path, lines);
}

} // namespace quil
