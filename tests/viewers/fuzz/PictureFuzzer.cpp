// libFuzzer entry for one picture codec, chosen when the target is built
// (QUIL_FUZZ_KIND). Any input must decode or raise QuilError.
#include "platform/OsError.h"
#include "viewers/PictureLoader.h"

#include <QGuiApplication>
#include <cstdint>
#include <cstdlib>

namespace {
QGuiApplication *application = nullptr;
}

extern "C" int LLVMFuzzerInitialize(int *argc, char ***argv)
{
    // Metafile text needs the font database of a GUI application.
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    application = new QGuiApplication(*argc, *argv);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char *>(data), qsizetype(size));
    try {
        quil::PictureLoader::decode(quil::PictureKind::QUIL_FUZZ_KIND, bytes, QSize(617, 464));
    } catch (const quil::QuilError &) {
    }
    return 0;
}
