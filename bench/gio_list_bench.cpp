// Reads a folder of a GIO location (mounted before) through the list's
// reader and prints the entry count and the seconds it took.
//   gio_list_bench URI
#include "platform/gio/GioFolderReader.h"

#include <QCoreApplication>
#include <QElapsedTimer>

#include <cstdio>

int main(int argc, char *argv[])
{
    QCoreApplication application(argc, argv);
    if (argc != 2) {
        std::fprintf(stderr, "usage: gio_list_bench URI\n");
        return 2;
    }
    quil::GioFolderReader reader(nullptr);
    qsizetype entries = 0;
    int status = 0;
    QObject::connect(&reader, &quil::GioFolderReader::entriesRead,
                     [&](const std::vector<quil::GioEntry> &batch) { entries += qsizetype(batch.size()); });
    QObject::connect(&reader, &quil::GioFolderReader::finished, &application, &QCoreApplication::quit);
    QObject::connect(&reader, &quil::GioFolderReader::failed, [&](const QString &message) {
        std::fprintf(stderr, "gio_list_bench: %s\n", qPrintable(message));
        status = 1;
        QCoreApplication::quit();
    });
    QElapsedTimer clock;
    clock.start();
    reader.start(QString::fromUtf8(argv[1]));
    application.exec();
    std::printf("entries=%lld seconds=%.3f\n", static_cast<long long>(entries), double(clock.nsecsElapsed()) / 1e9);
    return status;
}
