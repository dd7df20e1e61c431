// The main window as the commands see it: the main list of the file
// commands and the frame that the second panel's buttons fold and measure.
#include "app/TForm1.h"

#include "fileops/CommandSources.h"
#include "fileops/Glyphs.h"
#include "fileops/SecondPanelButtons.h"
#include "listing/FolderListView.h"
#include "listing/FolderNavigator.h"
#include "listing/FolderTreeModel.h"

#include <QLabel>
#include <QToolButton>
#include <QTreeView>

void TForm1::redrawList()
{
    ListView->viewport()->update();
}

bool TForm1::listHasFocus() const
{
    return quil::listHasFocus(ListView);
}

void TForm1::relistFolder()
{
    m_nav->relist();
}

int TForm1::selectedTreeNode() const
{
    const QModelIndex node = ShellTreeView1->currentIndex();
    return node.isValid() ? m_treeModel->positionOf(node) : -1;
}

void TForm1::setSummary(const QString &text)
{
    Label1->setText(text);
}

void TForm1::showPanelState(bool shown)
{
    quil::setGlyph(SpeedButton17, shown ? QStringLiteral("TOONE") : QStringLiteral("TOTWO"));
}

bool TForm1::treeShown() const
{
    return !ShellTreeView1->isHidden();
}

void TForm1::setTreeShown(bool shown)
{
    constexpr int tree = quil::SecondPanelButtons::kTreeWidth;
    ShellTreeView1->setVisible(shown);
    quil::setGlyph(SpeedButton13, shown ? QStringLiteral("TOLEFT") : QStringLiteral("TORIGHT"));
    resize(width() + (shown ? tree : -tree), height());
}
