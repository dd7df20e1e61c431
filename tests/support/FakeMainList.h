#pragma once

#include "fileops/MainList.h"
#include "fileops/MarksController.h"
#include "fileops/SecondPanel.h"
#include "listing/FolderListModel.h"
#include "listing/FolderListing.h"
#include "platform/ChangeHold.h"
#include "platform/ShellNamespace.h"

#include <QDir>
#include <QStringList>
#include <QWidget>

// A second panel over a real folder: its rows are the folder's names as
// they are on disk now. Records its re-listings.
class FakeSecondPanel : public quil::SecondPanel
{
public:
    QString folder; // ends in "/"
    bool shown = true;
    int relists = 0;

    quil::FolderPath folderPath() const override { return quil::FolderPath(folder); }
    QStringList rowNames() const override
    {
        return QDir(folder).entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot);
    }
    bool isShown() const override { return shown; }
    void showPanel() override { shown = true; }
    void relist() override { ++relists; }
    void focusList() override {}
};

// The commands' main list without the main window: a real listing of a real
// folder, its real model and marks; the focus, the current row and the
// tree's node are what the test sets, and the status line, the summary and
// the tree refreshes are recorded.
class FakeMainList : public quil::MainList
{
public:
    int row = -1;
    bool focused = true;
    int treeNode = -1;
    mutable FakeSecondPanel panel;
    bool withPanel = true;

    QStringList statuses;
    QString summary;
    QList<int> refreshedNodes;
    QList<quil::FolderPath> navigations;
    int nameEdits = 0;

    FakeMainList() = default;

    // Lists folder and makes the row of name current.
    void show(const QString &folder, const QString &name = {})
    {
        navigateByPath(quil::FolderPath(folder));
        row = name.isEmpty() ? -1 : m_listing.findEntry(name);
    }
    // The names of the listed entries and of the marked ones, in list order.
    QStringList names() const
    {
        QStringList result;
        for (int i = 0; i < m_listing.count(); ++i)
            result.append(m_listing.entry(i).name);
        return result;
    }
    QStringList marked() const
    {
        QStringList result;
        for (int i = 0; i < m_listing.count(); ++i)
            if (m_listing.entry(i).marked)
                result.append(m_listing.entry(i).name);
        return result;
    }
    void mark(const QStringList &names)
    {
        for (const QString &name : names)
            m_listing.entry(m_listing.findEntry(name)).marked = true;
    }

    quil::FolderListing &listing() override { return m_listing; }
    quil::FolderListModel &listModel() override { return m_model; }
    void redrawList() override {}
    int currentRow() const override { return row; }
    bool listHasFocus() const override { return focused; }
    void startNameEdit(int) override { ++nameEdits; }
    quil::MarksController &marks() const override { return m_marks; }
    quil::FolderPath listedFolder() const override { return quil::FolderPath(m_listing.currentPath()); }
    // As the window lists: the folder read (OsError keeps the listing), the
    // entry to select made current.
    void navigateByPath(const quil::FolderPath &path) override
    {
        navigations.append(path);
        const quil::ItemId folder = quil::ShellNamespace::parse(path.path());
        m_model.reading([&] { m_listing.readFolder(folder); });
        m_listing.setCurrent(folder,
                             quil::ShellNamespace::displayName(folder, quil::ShellNamespace::NameForm::Parsing));
        row = m_listing.findEntry(m_listing.EntryToSelect);
        if (row < 0 && m_listing.count() > 0)
            row = 0;
    }
    void relistFolder() override { navigateByPath(listedFolder()); }
    QString &entryToSelect() override { return m_listing.EntryToSelect; }
    int selectedTreeNode() const override { return treeNode; }
    void refreshTree(int position) override { refreshedNodes.append(position); }
    void scrollTreeSelectionToTop() override {}
    void setStatus(const QString &text) override { statuses.append(text); }
    void setSummary(const QString &text) override { summary = text; }
    quil::SecondPanel *secondPanel() const override { return withPanel ? &panel : nullptr; }
    quil::ChangeHold &changeHold() const override { return m_hold; }
    QWidget *ownerWindow() override { return &m_owner; }

private:
    quil::FolderListing m_listing;
    quil::FolderListModel m_model{m_listing};
    mutable quil::ChangeHold m_hold;
    mutable quil::MarksController m_marks{*this};
    QWidget m_owner;
};
