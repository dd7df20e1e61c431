// The main window's about button and context menu; the work is the shell subsystem's.
#include "app/TForm1.h"

#include "app/AppWindows.h"
#include "listing/FolderListView.h"
#include "platform/ChangeHold.h"
#include "shell/ContextMenuController.h"
#include "shell/TAboutBox.h"

#include <QCoreApplication>
#include <QLabel>
#include <QPushButton>

void TForm1::setUpShell()
{
    m_contextMenu = new quil::ContextMenuController(*this, m_services, this);
    connect(Button2, &QPushButton::clicked, this, &TForm1::Button2Click);
    // The list and the window itself; controls with menus of their own (the
    // path box, the command line) keep them.
    for (QWidget *widget : {static_cast<QWidget *>(this), static_cast<QWidget *>(ListView)}) {
        widget->setContextMenuPolicy(Qt::CustomContextMenu);
        connect(widget, &QWidget::customContextMenuRequested, this, &TForm1::PopupMenu1Popup);
    }
}

void TForm1::Button2Click()
{
    if (m_windows != nullptr)
        m_windows->AboutBox->exec();
    setStatus(QCoreApplication::translate("TForm1Shell", "Жду команды..."));
}

void TForm1::PopupMenu1Popup()
{
    // Its paste and delete run file operations.
    const auto held = commandHold();
    m_contextMenu->popup();
}
