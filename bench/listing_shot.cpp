// Saves a picture of the main window listing a folder, as the program shows it
// at start-up: listing_shot OUT.png [FOLDER]. For checking the layout by eye.
#include "app/AppWindows.h"
#include "app/TForm1.h"
#include "platform/Launcher.h"
#include "platform/ScriptedDialogs.h"
#include "platform/Services.h"

#include <QApplication>
#include <QDir>
#include <QTemporaryDir>

int main(int argc, char *argv[])
{
    QApplication application(argc, argv);
    if (argc < 2)
        return 2;
    QTemporaryDir settings;
    quil::ScriptedDialogs dialogs;
    quil::Launcher launcher;
    quil::Services services{dialogs, launcher, quil::FolderPath(settings.path())};
    quil::AppWindows windows(services);
    windows.Form1->show();
    if (argc > 2)
        windows.Form1->navigateByPath(quil::FolderPath(QString::fromLocal8Bit(argv[2])));
    QApplication::processEvents();
    return windows.Form1->grab().save(QString::fromLocal8Bit(argv[1])) ? 0 : 1;
}
