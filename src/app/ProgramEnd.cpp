#include "app/ProgramEnd.h"

#include <QApplication>
#include <QPointer>
#include <QThread>
#include <QTimer>
#include <QWidget>

namespace {

// How often the quit looks again while a nested loop unwinds.
constexpr int retryMsecs = 50;

void closeOtherWindows(QWidget *mainWindow)
{
    // Closing one window may delete or show another: walk a fresh list.
    const QList<QPointer<QWidget>> windows = [] {
        QList<QPointer<QWidget>> result;
        for (QWidget *window : QApplication::topLevelWidgets())
            result.append(window);
        return result;
    }();
    for (const QPointer<QWidget> &window : windows)
        if (window && window != mainWindow && window->isVisible())
            window->close();
}

void quitOutermost()
{
    // A nested loop belongs to work that must end before the program does;
    // quitting now would pull every loop down under it.
    if (QThread::currentThread()->loopLevel() > 1) {
        QTimer::singleShot(retryMsecs, qApp, [] {
            for (QWidget *window : QApplication::topLevelWidgets())
                if (window->isVisible() && window->isModal())
                    window->close();
            quitOutermost();
        });
        return;
    }
    QCoreApplication::quit();
}

} // namespace

void endProgram(QWidget *mainWindow)
{
    closeOtherWindows(mainWindow);
    quitOutermost();
}
