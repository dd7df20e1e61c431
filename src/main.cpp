#include "app/AppWindows.h"
#include "app/StartArgument.h"
#include "app/TForm1.h"
#include "platform/Launcher.h"
#include "platform/QtDialogs.h"
#include "platform/Services.h"
#include "platform/SettingsFiles.h"
#include "platform/TerminationSignal.h"
#include "viewers/ViewerWheelFilter.h"

#include <QApplication>

#include <cstdio>

int main(int argc, char *argv[])
{
    QApplication application(argc, argv);
    QApplication::setApplicationName(QStringLiteral("QUIL"));
    QGuiApplication::setDesktopFileName(QStringLiteral("quil"));
    // Ended from outside, the program closes as by its Exit button; the
    // handlers stand before anything is written.
    quil::TerminationSignal termination;

    quil::QtDialogs dialogs;
    quil::Launcher launcher;
    quil::Services services{dialogs, launcher, quil::defaultSettingsFolder()};

    AppWindows windows(services);
    dialogs.setParentWidget(windows.Form1.get());

    // The viewer's wheel handler sees every event of the program.
    ViewerWheelFilter viewerWheel(*windows.RF);
    application.installEventFilter(&viewerWheel);

    // A path the program cannot list is told on the terminal; it starts as usual.
    // argv as left by QApplication (its own options taken out), with the bytes of every name.
    const quil::StartTarget start = quil::startTarget(quil::nativeArguments(argc, argv));
    if (!start.message.isEmpty())
        std::fputs(start.message.toLocal8Bit().constData(), stderr);
    windows.Form1->setStartFolder(start.folder, start.entry);

    QObject::connect(&termination, &quil::TerminationSignal::received, windows.Form1.get(), &QWidget::close);

    windows.Form1->show();
    return QApplication::exec();
}
