#include "app/AppWindows.h"

#include "app/AccessibleInterfaces.h"
#include "app/AccessibleNames.h"
#include "app/EscapeCloses.h"

#include "app/TForm1.h"
#include "app/TSet1.h"
#include "fileops/TForm4.h"
#include "fileops/TSelekt.h"
#include "platform/Services.h"
#include "platform/WindowPlacement.h"
#include "search/SearchWindowController.h"
#include "search/TFB.h"
#include "search/TFILESCH.h"
#include "shell/TAboutBox.h"
#include "viewers/TExtent.h"
#include "viewers/TRF.h"
#include "viewers/TSHPIC.h"

#include <QApplication>
#include <QIcon>

namespace quil {

AppWindows::AppWindows(Services &services) : m_placement(std::make_unique<WindowPlacement>())
{
    installAccessibleInterfaces();
    // Title bars and task switchers show the program's own icon: the
    // installed theme's, else the one built in.
    QIcon icon = QIcon::fromTheme(QStringLiteral("quil"));
    if (icon.isNull())
        icon = QIcon(QStringLiteral(":/about/quil.png"));
    QApplication::setWindowIcon(icon);
    // Creating the main window runs its FormCreate.
    Form1 = std::make_unique<TForm1>(services);
    Form4 = std::make_unique<TForm4>(services, Form1.get());
    AboutBox = std::make_unique<TAboutBox>(services);
    RF = std::make_unique<TRF>(services);
    SHPIC = std::make_unique<TSHPIC>(services);
    FILESCH = std::make_unique<TFILESCH>(services);
    FB = std::make_unique<TFB>(services);
    Set1 = std::make_unique<TSet1>(services);
    Extent = std::make_unique<TExtent>(services);
    Selekt = std::make_unique<TSelekt>(services);
    for (QWidget *window :
         std::initializer_list<QWidget *>{Form1.get(), Form4.get(), AboutBox.get(), RF.get(), SHPIC.get(),
                                          FILESCH.get(), FB.get(), Set1.get(), Extent.get(), Selekt.get()})
        quil::nameControls(*window);
    for (QWidget *window :
         std::initializer_list<QWidget *>{RF.get(), SHPIC.get(), Set1.get(), Extent.get(), Selekt.get()})
        quil::closeOnEscape(*window);
    // A running search is stopped first; the next Escape closes the window.
    quil::closeOnEscape(*FILESCH, [search = FILESCH.get()] {
        if (!search->controller().isSearching())
            return false;
        search->Button3Click();
        return true;
    });
    Form1->setSecondPanel(Form4.get());
    FILESCH->setFolderChooser(FB.get());
    Selekt->setMarks(&Form1->marks());
    Form1->setWindows(this);
    m_placement->setMainWindow(Form1.get());
    m_placement->keepBesideMainWindow(Form4.get());
    qApp->installEventFilter(m_placement.get());
}

// The main window goes last: the others may still reach it while they close.
AppWindows::~AppWindows()
{
    m_placement.reset();
    Selekt.reset();
    Extent.reset();
    Set1.reset();
    FB.reset();
    FILESCH.reset();
    SHPIC.reset();
    RF.reset();
    AboutBox.reset();
    Form4.reset();
    Form1.reset();
}

} // namespace quil
