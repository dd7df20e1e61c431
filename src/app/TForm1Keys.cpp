// The main window's keyboard map, its edit command and command line, and the
// settings window; the work is the listing's key map and the viewers' edit command.
#include "app/TForm1.h"

#include "app/FavouriteFolders.h"

#include "app/AppWindows.h"
#include "app/ListKeyMap.h"
#include "app/TSet1.h"
#include "fileops/CommandSources.h"
#include "listing/FolderListView.h"
#include "listing/FolderNavigator.h"
#include "platform/ChangeHold.h"
#include "platform/ErrorBox.h"
#include "platform/EventHook.h"
#include "platform/Services.h"
#include "search/TFILESCH.h"
#include "viewers/EditCommand.h"

#include <QComboBox>
#include <QKeyEvent>
#include <QLineEdit>
#include <QToolButton>
#include <QTreeView>

#include <QCoreApplication>
#include <optional>

void TForm1::setUpKeys()
{
    m_keyMap = new quil::ListKeyMap(*this, m_services);
    m_favourites = new quil::FavouriteFolders(*cbPath, m_services, this);
    new quil::EventHook(ListView, QEvent::KeyPress, [this](QEvent *event) {
        const auto *key = static_cast<QKeyEvent *>(event);
        return ListViewKeyDown(key->key(), key->modifiers());
    });
    // The box's own Enter would add the line to its list once; the command
    // line keeps every line run, duplicates too.
    ComboBox1->setInsertPolicy(QComboBox::NoInsert);
    // Enter runs what was typed: an inline completion would run an older
    // line of the list instead.
    ComboBox1->setCompleter(nullptr);
    const auto enterHook = [this](QEvent *event) { return ComboBox1KeyDown(static_cast<QKeyEvent *>(event)->key()); };
    new quil::EventHook(ComboBox1, QEvent::KeyPress, enterHook);
    new quil::EventHook(ComboBox1->lineEdit(), QEvent::KeyPress, enterHook);
    connect(SpeedButton5, &QToolButton::clicked, this, &TForm1::SpeedButton5Click);
    connect(SpeedButton10, &QToolButton::clicked, this, &TForm1::SpeedButton10Click);
}

void TForm1::connectSettingsWindow()
{
    TSet1 *settings = m_windows->Set1.get();
    m_edit = new quil::EditCommand(m_services, settings->settings(), *this);
    connect(settings, &TSet1::otherViewerMark, m_windows->FILESCH.get(), &TFILESCH::setOtherViewerMark);
    connect(settings, &TSet1::fontHeightChosen, this, &TForm1::applyFontHeight);
}

bool TForm1::ListViewKeyDown(int key, Qt::KeyboardModifiers shift)
{
    return m_keyMap->keyDown(key, shift);
}

void TForm1::SpeedButton5Click()
{
    const int row = quil::commandRow(*this, m_services.dialogs);
    if (row < 0)
        return;
    setStatus(QCoreApplication::translate("TForm1Keys", "Редактирование."));
    if (!m_listing.isFolder(row) && m_edit != nullptr)
        m_edit->edit(m_listing.entry(row).path(), listedFolder());
}

void TForm1::newTextFile()
{
    if (m_edit == nullptr)
        return;
    ListView->cancelPendingEdit();
    // Outside changes wait while the name is asked, not while the editor
    // runs: the window stays in use meanwhile.
    std::optional<quil::ChangeHold::Scope> held(std::in_place, *m_changeHold);
    const quil::FolderPath folder = listedFolder();
    // A list the user has left meanwhile is not taken back to the new file.
    if (m_edit->createTextFile(folder, [&held] { held.reset(); }) && listedFolder() == folder)
        quil::runHandler(m_services.dialogs, [this] { relistFolder(); });
}

bool TForm1::ComboBox1KeyDown(int key)
{
    if (key != Qt::Key_Return && key != Qt::Key_Enter)
        return false;
    if (m_edit != nullptr)
        m_edit->runCommandLine(*ComboBox1, listedFolder());
    return true;
}

void TForm1::SpeedButton10Click()
{
    setStatus(QCoreApplication::translate("TForm1Keys", "Настройка."));
    if (m_windows == nullptr)
        return;
    m_windows->Set1->show();
    m_windows->Set1->raise();
}

void TForm1::applyFontHeight(int pixels)
{
    for (QWidget *view : {static_cast<QWidget *>(ListView), static_cast<QWidget *>(ShellTreeView1)}) {
        // Only the height changes: the list's bold stays.
        QFont font = view->font();
        font.setPixelSize(pixels);
        view->setFont(font);
        view->repaint();
    }
    m_nav->refreshTree(m_nav->computerNodePosition());
}
