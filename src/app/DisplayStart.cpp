#include "app/DisplayStart.h"

#include <QByteArray>
#include <QList>
#include <QString>
#include <QtGlobal>

#include <cstdio>
#include <cstdlib>

namespace quil {

namespace {

struct HeldMessage
{
    QtMsgType type;
    QString text;
};

const char *startingProgram = nullptr;
QtMessageHandler previousHandler = nullptr;
QList<HeldMessage> *heldMessages = nullptr;

QByteArray displayNames()
{
    const QByteArray x11 = qgetenv("DISPLAY");
    const QByteArray wayland = qgetenv("WAYLAND_DISPLAY");
    if (x11.isEmpty() && wayland.isEmpty())
        return "DISPLAY and WAYLAND_DISPLAY are not set";
    QByteArray names;
    if (!x11.isEmpty())
        names += "DISPLAY=" + x11;
    if (!wayland.isEmpty())
        names += QByteArray(names.isEmpty() ? "" : ", ") + "WAYLAND_DISPLAY=" + wayland;
    return names;
}

void holdOrEnd(QtMsgType type, const QMessageLogContext &, const QString &text)
{
    if (type == QtFatalMsg) {
        std::fprintf(stderr, "%s: no display found (%s)\n", startingProgram, displayNames().constData());
        std::fflush(stderr);
        // Qt's state is half made: nothing of it may run any more.
        std::_Exit(1);
    }
    heldMessages->append({type, text});
}

} // namespace

DisplayStart::DisplayStart(const char *program)
{
    startingProgram = program;
    heldMessages = new QList<HeldMessage>;
    previousHandler = qInstallMessageHandler(holdOrEnd);
}

DisplayStart::~DisplayStart()
{
    qInstallMessageHandler(previousHandler);
    const QList<HeldMessage> held = std::move(*heldMessages);
    delete heldMessages;
    heldMessages = nullptr;
    for (const HeldMessage &message : held) {
        switch (message.type) {
        case QtDebugMsg:
            qDebug("%s", qUtf8Printable(message.text));
            break;
        case QtInfoMsg:
            qInfo("%s", qUtf8Printable(message.text));
            break;
        case QtWarningMsg:
        case QtFatalMsg:
            qWarning("%s", qUtf8Printable(message.text));
            break;
        case QtCriticalMsg:
            qCritical("%s", qUtf8Printable(message.text));
            break;
        }
    }
}

} // namespace quil
