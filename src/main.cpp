#include "app/Services.h"
#include "app/TForm1.h"
#include "platform/Launcher.h"
#include "platform/QtDialogs.h"
#include "platform/SettingsFiles.h"

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
    form1.show();
    return QApplication::exec();
}
