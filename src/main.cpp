#include "app/AppWindows.h"
#include "app/TForm1.h"
#include "platform/Launcher.h"
#include "platform/QtDialogs.h"
#include "platform/Services.h"
#include "platform/SettingsFiles.h"
#include "viewers/ViewerWheelFilter.h"

#include <QApplication>

int main(int argc, char *argv[])
{
    QApplication application(argc, argv);
    QApplication::setApplicationName(QStringLiteral("QUIL"));

    quil::QtDialogs dialogs;
    quil::Launcher launcher;
    quil::Services services{dialogs, launcher, quil::defaultSettingsFolder()};

    AppWindows windows(services);
    dialogs.setParentWidget(windows.Form1.get());

    // The viewer's wheel handler sees every event of the program.
    ViewerWheelFilter viewerWheel(*windows.RF);
    application.installEventFilter(&viewerWheel);

    windows.Form1->show();
    return QApplication::exec();
}
