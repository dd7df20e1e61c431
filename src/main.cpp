#include "app/AppWindows.h"
#include "app/DisplayStart.h"
#include "app/StartArgument.h"
#include "app/TForm1.h"
#include "platform/InfoOption.h"
#include "platform/Launcher.h"
#include "platform/QtDialogs.h"
#include "platform/QtTranslations.h"
#include "platform/Services.h"
#include "platform/SettingsFiles.h"
#include "platform/TerminationSignal.h"
#include "viewers/ViewerWheelFilter.h"

#include <QApplication>
#include <QLocale>
#include <QTimer>

#include <cstdio>
#include <memory>

int main(int argc, char *argv[])
{
    if (quil::answerInfoOption(argc, argv, "usage: quil [FOLDER | FILE | file:// URI]\n"))
        return 0;
    const auto application = [&argc, argv] {
        const quil::DisplayStart start("quil");
        return std::make_unique<QApplication>(argc, argv);
    }();
    QApplication::setApplicationName(QStringLiteral("QUIL"));
    QGuiApplication::setDesktopFileName(QStringLiteral("quil"));
    // The windows speak Russian, or English to everyone else; Qt's own
    // buttons and dialogs speak the same language.
    const quil::InterfaceLanguage language =
        quil::interfaceLanguage(QLocale::system().uiLanguages(), qEnvironmentVariable("QUIL_LANGUAGE"));
    if (!quil::installInterfaceTranslations(*application, language, quil::translationsFolder()))
        std::fputs("quil: the translation of the interface was not found\n", stderr);
    // Ended from outside, the program closes as by its Exit button; the
    // handlers stand before anything is written.
    quil::TerminationSignal termination;

    quil::QtDialogs dialogs;
    quil::Launcher launcher;
    quil::Services services{dialogs, launcher, quil::defaultSettingsFolder()};

    quil::AppWindows windows(services);
    dialogs.setParentWidget(windows.Form1.get());

    // The viewer's wheel handler sees every event of the program.
    quil::ViewerWheelFilter viewerWheel(*windows.RF);
    application->installEventFilter(&viewerWheel);

    // A path the program cannot list is told on the terminal; it starts as usual.
    // argv as left by QApplication (its own options taken out), with the bytes of every name.
    const quil::StartTarget start = quil::startTarget(quil::nativeArguments(argc, argv));
    if (!start.message.isEmpty())
        std::fputs(start.message.toLocal8Bit().constData(), stderr);
    windows.Form1->setStartFolder(quil::FolderPath(start.folder), start.entry);

    QObject::connect(&termination, &quil::TerminationSignal::received, windows.Form1.get(), &QWidget::close);

    // Shown from inside the event loop: a box that start-up shows (a bad
    // quil.ini) is then a nested loop, which an end from outside closes
    // before it quits; a quit asked before the loop ran would be lost.
    QTimer::singleShot(0, windows.Form1.get(), [&windows] { windows.Form1->show(); });
    return QApplication::exec();
}
