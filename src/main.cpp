#include "app/Services.h"
#include "app/TForm1.h"
#include "platform/Launcher.h"
#include "platform/QtDialogs.h"
#include "platform/SettingsFiles.h"
#include "viewers/TRF.h"
#include "viewers/ViewerWheelFilter.h"

#include <QApplication>

int main(int argc, char *argv[])
{
    QApplication application(argc, argv);
    QApplication::setApplicationName(QStringLiteral("QUIL"));

    quil::QtDialogs dialogs;
    quil::Launcher launcher;
    quil::Services services{dialogs, launcher, quil::defaultSettingsFolder()};

    TForm1 form1(services);
    dialogs.setParentWidget(&form1);
    TRF rf(services);
    // The viewer's wheel handler sees every event of the program.
    ViewerWheelFilter viewerWheel(rf);
    application.installEventFilter(&viewerWheel);
    form1.show();
    return QApplication::exec();
}
