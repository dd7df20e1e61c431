#include "PictureSamples.h"

#include "platform/NativePath.h"
#include "platform/OsError.h"
#include "support/TempTree.h"
#include "viewers/DibDecoder.h"
#include "viewers/JpegDecoder.h"
#include "viewers/PictureFit.h"
#include "viewers/PictureLoader.h"

#include <QDir>
#include <QGuiApplication>
#include <QPainter>
#include <gtest/gtest.h>
#include <unistd.h>

using quil::Picture;
using quil::PictureKind;
using quil::PictureLoader;

namespace {

QRgb at(const Picture &picture, int x, int y)
{
    return picture.image.pixel(x, y);
}

bool near(QRgb a, QColor b, int tolerance = 24)
{
    return std::abs(qRed(a) - b.red()) <= tolerance && std::abs(qGreen(a) - b.green()) <= tolerance &&
           std::abs(qBlue(a) - b.blue()) <= tolerance;
}

QString errorOf(PictureKind kind, const QByteArray &bytes)
{
    try {
        PictureLoader::decode(kind, bytes, QSize(617, 464));
    } catch (const quil::QuilError &error) {
        return error.message();
    }
    return QStringLiteral("<no error>");
}

struct FitCase
{
    QSize picture, area;
    QRect drawn;
};

} // namespace

TEST(PictureFit, FitsProportionallyAndCentres)
{
    const FitCase cases[] = {
        {{200, 100}, {617, 464}, {0, 78, 617, 308}},   // wide: full width, moved down
        {{16, 16}, {629, 493}, {68, 0, 493, 493}},     // square icon enlarged to the height
        {{100, 400}, {617, 464}, {250, 0, 116, 464}},  // upright: full height, moved right
        {{1000, 100}, {100, 100}, {0, 45, 100, 10}},   // very wide
        {{300, 290}, {300, 100}, {98, 0, 103, 100}},   // wide but the height limits
        {{290, 300}, {100, 300}, {0, 98, 100, 103}},   // upright but the width limits
        {{6000, 4000}, {617, 464}, {0, 26, 617, 411}}, // a photograph
        {{0, 10}, {617, 464}, {}},                     // no picture
    };
    for (const FitCase &c : cases)
        EXPECT_EQ(quil::fitPictureRect(c.picture, c.area), c.drawn) << c.picture.width() << "x" << c.picture.height();
}

TEST(PictureLoader, ChoosesTheCodecByTheUpperCasedExtension)
{
    const std::pair<const char *, PictureKind> cases[] = {
        {"/a/photo.jpeg", PictureKind::Jpeg}, {"/a/P.JPG", PictureKind::Jpeg}, {"/a/x.Png", PictureKind::Png},
        {"/a/x.gif", PictureKind::Gif},       {"/a/x.bmp", PictureKind::Bmp},  {"/a/x.ico", PictureKind::Ico},
        {"/a/x.WMF", PictureKind::Wmf},       {"/a/x.jpe", PictureKind::None}, {"/a/x.txt", PictureKind::None},
        {"/a/bmp", PictureKind::None},        {"/a.png/x", PictureKind::None}, {"/a/x.png.txt", PictureKind::None},
    };
    for (const auto &[path, kind] : cases)
        EXPECT_EQ(PictureLoader::kindOfPath(QString::fromUtf8(path)), kind) << path;
}

TEST(PictureLoader, DecodesEveryFormat)
{
    const QImage image = samples::twoColours(40, 20, Qt::red, Qt::blue);
    const std::pair<PictureKind, QByteArray> files[] = {
        {PictureKind::Jpeg, samples::jpeg(image)},  {PictureKind::Png, samples::png(image)},
        {PictureKind::Gif, samples::gif(image)},    {PictureKind::Gif, samples::gif(image, true)},
        {PictureKind::Bmp, samples::bmp(image)},    {PictureKind::Ico, samples::ico(image)},
        {PictureKind::Ico, samples::ico(image, 4)},
    };
    for (const auto &[kind, bytes] : files) {
        const Picture picture = PictureLoader::decode(kind, bytes, {});
        EXPECT_EQ(picture.size, QSize(40, 20)) << int(kind);
        EXPECT_EQ(picture.image.size(), QSize(40, 20)) << int(kind);
        EXPECT_TRUE(near(at(picture, 5, 10), Qt::red)) << int(kind) << " " << std::hex << at(picture, 5, 10);
        EXPECT_TRUE(near(at(picture, 35, 10), Qt::blue)) << int(kind);
    }
}

TEST(PictureLoader, KeepsTransparencyOfGifAndIcons)
{
    QImage image(16, 16, QImage::Format_ARGB32);
    image.fill(Qt::transparent);
    for (int y = 4; y < 12; ++y)
        for (int x = 4; x < 12; ++x)
            image.setPixel(x, y, qRgb(0, 128, 0));
    for (int bpp : {32, 4}) {
        const Picture icon = PictureLoader::decode(PictureKind::Ico, samples::ico(image, bpp), {});
        EXPECT_EQ(qAlpha(at(icon, 0, 0)), 0) << bpp;
        EXPECT_EQ(at(icon, 8, 8), qRgb(0, 128, 0)) << bpp;
    }
    const QImage opaque = image.convertToFormat(QImage::Format_RGB32);
    const QByteArray gif =
        samples::gif(opaque, false, int(opaque.convertToFormat(QImage::Format_Indexed8).pixelIndex(0, 0)));
    const Picture picture = PictureLoader::decode(PictureKind::Gif, gif, {});
    EXPECT_EQ(qAlpha(at(picture, 0, 0)), 0);
    EXPECT_EQ(qAlpha(at(picture, 8, 8)), 255);
}

TEST(GifDecoder, ShowsTheFirstFrameOfAnAnimation)
{
    const QImage first = samples::twoColours(20, 10, Qt::red, Qt::blue);
    const QImage second = samples::twoColours(20, 10, Qt::blue, Qt::red);
    const Picture picture = PictureLoader::decode(PictureKind::Gif, samples::gif(first, false, -1, &second), {});
    EXPECT_EQ(at(picture, 2, 5), qRgb(255, 0, 0));
    EXPECT_EQ(at(picture, 18, 5), qRgb(0, 0, 255));
}

TEST(JpegDecoder, DecodesAtTheSmallestScaleThatCoversTheArea)
{
    EXPECT_EQ(quil::JpegDecoder::scaleFor({6000, 4000}, {617, 464}), 8);
    EXPECT_EQ(quil::JpegDecoder::scaleFor({1600, 1200}, {617, 464}), 2); // 1/4 would be 400 wide
    EXPECT_EQ(quil::JpegDecoder::scaleFor({2468, 1000}, {617, 464}), 4); // 617 exactly covers
    EXPECT_EQ(quil::JpegDecoder::scaleFor({2464, 1000}, {617, 464}), 2);
    EXPECT_EQ(quil::JpegDecoder::scaleFor({200, 100}, {617, 464}), 1); // enlarged, never reduced
    EXPECT_EQ(quil::JpegDecoder::scaleFor({6000, 4000}, {}), 1);       // no area: full size

    const QByteArray photo = samples::jpeg(samples::twoColours(1600, 1200, Qt::red, Qt::blue));
    const Picture reduced = PictureLoader::decode(PictureKind::Jpeg, photo, QSize(617, 464));
    EXPECT_EQ(reduced.size, QSize(1600, 1200));
    EXPECT_EQ(reduced.image.size(), QSize(800, 600));
    EXPECT_TRUE(near(at(reduced, 10, 300), Qt::red));
    EXPECT_TRUE(PictureLoader::needsRedecode(reduced, QSize(1200, 900)));
    EXPECT_FALSE(PictureLoader::needsRedecode(reduced, QSize(617, 464)));
    const Picture full = PictureLoader::decode(PictureKind::Jpeg, photo, QSize(2000, 2000));
    EXPECT_EQ(full.image.size(), QSize(1600, 1200));
    EXPECT_FALSE(PictureLoader::needsRedecode(full, QSize(4000, 4000)));
}

TEST(DibDecoder, ReadsPalettesBitFieldsRleAndTopDown)
{
    const auto u16 = [](int v) {
        QByteArray out;
        out.append(char(v & 0xff));
        out.append(char((v >> 8) & 0xff));
        return out;
    };
    const auto u32 = [&](uint32_t v) { return u16(int(v & 0xffff)) + u16(int(v >> 16)); };
    const auto header = [&](int w, int h, int bpp, uint32_t compression, int colours) {
        return u32(40) + u32(uint32_t(w)) + u32(uint32_t(h)) + u16(1) + u16(bpp) + u32(compression) + u32(0) + u32(0) +
               u32(0) + u32(uint32_t(colours)) + u32(0);
    };
    const QByteArray palette = u32(0x00ff0000) + u32(0x000000ff); // index 0 red, 1 blue
    // 2 x 2, 1 bit per pixel, bottom-up: bottom row "0 1", top row "1 0".
    const QImage mono = quil::DibDecoder::decode(header(2, 2, 1, 0, 2) + palette + u32(0x40) + u32(0x80), "BMP", {});
    EXPECT_EQ(mono.pixel(0, 0), qRgb(0, 0, 255));
    EXPECT_EQ(mono.pixel(1, 1), qRgb(0, 0, 255));
    EXPECT_EQ(mono.pixel(0, 1), qRgb(255, 0, 0));
    // The same, top-down.
    const QImage topDown =
        quil::DibDecoder::decode(header(2, -2, 1, 0, 2) + palette + u32(0x40) + u32(0x80), "BMP", {});
    EXPECT_EQ(topDown.pixel(0, 0), qRgb(255, 0, 0));
    // RLE8: a run of three blues, end of line, two absolute pixels (red, blue), end of bitmap.
    const QByteArray rle = QByteArray::fromHex("030100000003000100000001");
    const QImage rle8 = quil::DibDecoder::decode(header(3, 2, 8, 1, 2) + palette + rle, "BMP", {});
    EXPECT_EQ(rle8.pixel(2, 1), qRgb(0, 0, 255));
    EXPECT_EQ(rle8.pixel(0, 0), qRgb(255, 0, 0));
    EXPECT_EQ(rle8.pixel(1, 0), qRgb(0, 0, 255));
    EXPECT_EQ(rle8.pixel(2, 0), qRgb(255, 0, 0));
    // RLE4: a run of four pixels alternating blue and red.
    const QImage rle4 =
        quil::DibDecoder::decode(header(4, 1, 4, 2, 2) + palette + QByteArray::fromHex("04100001"), "BMP", {});
    EXPECT_EQ(rle4.pixel(0, 0), qRgb(0, 0, 255));
    EXPECT_EQ(rle4.pixel(1, 0), qRgb(255, 0, 0));
    // 16 bits with 5-6-5 bit fields: pure green.
    const QImage fields = quil::DibDecoder::decode(
        header(1, 1, 16, 3, 0) + u32(0xf800) + u32(0x07e0) + u32(0x001f) + u16(0x07e0) + u16(0), "BMP", {});
    EXPECT_EQ(fields.pixel(0, 0), qRgb(0, 255, 0));
    // An RLE stream that ends before its end-of-bitmap code is truncated.
    EXPECT_THROW(quil::DibDecoder::decode(header(3, 2, 8, 1, 2) + palette + QByteArray::fromHex("0301"), "BMP", {}),
                 quil::QuilError);
}

TEST(WmfRenderer, DrawsShapesTextAndBitmaps)
{
    const Picture picture = PictureLoader::decode(PictureKind::Wmf, samples::sampleWmf(), {});
    EXPECT_EQ(picture.size, QSize(200, 100));
    EXPECT_EQ(picture.image.size(), QSize(200, 100));
    EXPECT_TRUE(near(at(picture, 70, 20), Qt::red));
    EXPECT_TRUE(near(at(picture, 150, 50), Qt::blue));
    EXPECT_EQ(qAlpha(at(picture, 102, 2)), 0); // outside the ellipse
    EXPECT_TRUE(near(at(picture, 185, 85), Qt::green));
    EXPECT_TRUE(near(at(picture, 30, 30), Qt::blue)) << std::hex << at(picture, 30, 30); // polygon filled with brush 2
    EXPECT_TRUE(near(at(picture, 50, 90), Qt::black, 80));                               // the line

    // Rendered for an area: at the fitted size, the picture's own size unchanged.
    const Picture forArea = PictureLoader::decode(PictureKind::Wmf, samples::sampleWmf(), QSize(617, 464));
    EXPECT_EQ(forArea.size, QSize(200, 100));
    EXPECT_EQ(forArea.image.size(), QSize(617, 308));
    EXPECT_TRUE(near(at(forArea, 200, 60), Qt::red));

    // A standard metafile takes its size from the window extent; 1440 units per inch scale to 96 dpi.
    samples::Wmf plain;
    plain.record(0x020C, {150, 300});
    EXPECT_EQ(PictureLoader::decode(PictureKind::Wmf, plain.standard(), {}).size, QSize(300, 150));
    EXPECT_EQ(PictureLoader::decode(PictureKind::Wmf, plain.placeable(QRect(0, 0, 1440, 720), 1440), {}).size,
              QSize(96, 48));
    // A window whose y axis points up (negative extent) draws upside down.
    samples::Wmf flipped;
    flipped.record(0x020B, {100, 0});
    flipped.record(0x020C, {-100, 200});
    flipped.record(0x02FC, QList<int>{0} + samples::Wmf::colour(Qt::red) + QList<int>{0});
    flipped.record(0x012D, {0});
    flipped.record(0x041B, {50, 200, 0, 0}); // logical y 0 to 50: the bottom half
    const Picture up = PictureLoader::decode(PictureKind::Wmf, flipped.standard(), {});
    EXPECT_EQ(up.size, QSize(200, 100));
    EXPECT_TRUE(near(at(up, 100, 75), Qt::red));
    EXPECT_EQ(qAlpha(at(up, 100, 25)), 0);

    samples::Wmf sizeless;
    sizeless.record(0x041B, {10, 10, 0, 0});
    EXPECT_EQ(errorOf(PictureKind::Wmf, sizeless.standard()),
              QStringLiteral("Неверное изображение WMF: метафайл не задаёт размеров"));
}

TEST(PictureLoader, RefusesEmptyTruncatedAndWrongFiles)
{
    const QImage image = samples::twoColours(64, 48, Qt::red, Qt::blue);
    const std::tuple<PictureKind, const char *, QByteArray> files[] = {
        {PictureKind::Jpeg, "JPEG", samples::jpeg(image)}, {PictureKind::Png, "PNG", samples::png(image)},
        {PictureKind::Gif, "GIF", samples::gif(image)},    {PictureKind::Bmp, "BMP", samples::bmp(image)},
        {PictureKind::Ico, "ICO", samples::ico(image)},    {PictureKind::Wmf, "WMF", samples::sampleWmf()},
    };
    for (const auto &[kind, name, bytes] : files) {
        const QString prefix = QStringLiteral("Неверное изображение %1: ").arg(QLatin1String(name));
        EXPECT_EQ(errorOf(kind, {}), prefix + QStringLiteral("файл пуст")) << name;
        EXPECT_TRUE(errorOf(kind, bytes.left(bytes.size() * 2 / 3)).startsWith(prefix)) << name;
        EXPECT_TRUE(errorOf(kind, "Это не изображение, а просто текст.\n").startsWith(prefix)) << name;
        // A picture of one kind under the extension of another.
        const QByteArray other = kind == PictureKind::Png ? samples::gif(image) : samples::png(image);
        EXPECT_TRUE(errorOf(kind, other).startsWith(prefix)) << name;
    }
}

TEST(PictureLoader, ReportsFilesThatCannotBeRead)
{
    TempTree tree;
    try {
        PictureLoader::load(tree.path("missing.png"), {});
        FAIL() << "no error";
    } catch (const quil::OsError &error) {
        EXPECT_EQ(error.code(), ENOENT);
        EXPECT_TRUE(error.message().startsWith(QStringLiteral("System Error.  Code: 2.\r\n")));
    }
    const QString folder = tree.folder("pictures.png");
    EXPECT_THROW(PictureLoader::load(folder, {}), quil::OsError);
    // A name that is not valid UTF-8 still opens.
    tree.file("caf\xe9.png", samples::png(samples::twoColours(4, 2, Qt::red, Qt::blue)));
    const QString odd = quil::fromNative(tree.rootBytes() + "/caf\xe9.png");
    EXPECT_EQ(PictureLoader::load(odd, {}).size, QSize(4, 2));
    ::unlink(quil::toNative(odd).constData()); // QTemporaryDir cannot remove such names
}

// Every truncation and many byte mutations of valid pictures, and every file
// of the fuzzing corpus, either decode or raise QuilError: nothing crashes.
TEST(PictureLoader, SurvivesDamagedInput)
{
    const QImage image = samples::twoColours(24, 16, Qt::red, Qt::blue);
    std::vector<std::pair<PictureKind, QByteArray>> files = {
        {PictureKind::Jpeg, samples::jpeg(image)},     {PictureKind::Png, samples::png(image)},
        {PictureKind::Gif, samples::gif(image, true)}, {PictureKind::Bmp, samples::bmp(image)},
        {PictureKind::Ico, samples::ico(image, 4)},    {PictureKind::Ico, samples::ico(image)},
        {PictureKind::Wmf, samples::sampleWmf()},
    };
    const std::pair<const char *, PictureKind> folders[] = {{"jpeg", PictureKind::Jpeg}, {"png", PictureKind::Png},
                                                            {"gif", PictureKind::Gif},   {"bmp", PictureKind::Bmp},
                                                            {"ico", PictureKind::Ico},   {"wmf", PictureKind::Wmf}};
    int corpus = 0;
    for (const auto &[folder, kind] : folders) {
        const QDir dir(QStringLiteral(QUIL_FUZZ_CORPUS "/") + QLatin1String(folder));
        for (const QString &name : dir.entryList(QDir::Files)) {
            QFile file(dir.filePath(name));
            ASSERT_TRUE(file.open(QIODevice::ReadOnly));
            const QByteArray bytes = file.readAll();
            ++corpus;
            if (name.startsWith(QLatin1String("seed"))) { // the seeds are valid pictures: damage them too
                EXPECT_FALSE(PictureLoader::decode(kind, bytes, {}).isNull()) << qPrintable(name);
                files.emplace_back(kind, bytes);
                continue;
            }
            try { // inputs the fuzzers kept, most of them broken
                PictureLoader::decode(kind, bytes, QSize(617, 464));
            } catch (const quil::QuilError &) {
            }
        }
    }
    EXPECT_GE(corpus, 12);

    uint32_t seed = 12345;
    const auto next = [&seed] { return seed = seed * 1664525u + 1013904223u; };
    for (const auto &[kind, bytes] : files) {
        std::vector<QByteArray> damaged;
        for (qsizetype n = 0; n < bytes.size(); n += std::max<qsizetype>(1, bytes.size() / 200))
            damaged.push_back(bytes.left(n));
        for (int i = 0; i < 300; ++i) {
            QByteArray copy = bytes;
            for (int k = 0, count = 1 + int(next() % 4); k < count && !copy.isEmpty(); ++k)
                copy[qsizetype(next() % uint32_t(copy.size()))] = char(next() >> 24);
            damaged.push_back(copy);
        }
        for (const QByteArray &input : damaged) {
            try {
                PictureLoader::decode(kind, input, QSize(617, 464));
            } catch (const quil::QuilError &) {
            }
        }
    }
}

// Writes the seed pictures of the fuzzing corpus into folder/<format>/.
static void writeSeeds(const QString &folder)
{
    const QImage image = samples::twoColours(24, 16, Qt::red, Qt::blue);
    QImage icon(16, 16, QImage::Format_ARGB32);
    icon.fill(qRgba(0, 0, 0, 0));
    icon.setPixel(5, 5, qRgb(0, 128, 0));
    samples::Wmf plain;
    plain.record(0x020C, {150, 300});
    plain.record(0x02FB, {uint16_t(-20), 0, 450, 0, 700, 0x0101, 204, 0, 'A' | ('r' << 8), 'i' | ('a' << 8), 'l'});
    plain.record(0x012D, {0});
    plain.record(0x012E, {24});
    plain.recordBytes(0x0A32, QByteArray::fromHex("14001400040002000000000064006400") + "\xcf\xf0\xe8\xe2\xe5\xf2");
    plain.record(0x0538, {2, 3, 3, 0, 0, 10, 0, 0, 10, 20, 20, 30, 20, 20, 30});
    plain.record(0x061C, {10, 10, 100, 100, 50, 50});
    plain.record(0x001E, {});
    plain.record(0x0127, {uint16_t(-1)});
    const std::pair<const char *, std::vector<QByteArray>> seeds[] = {
        {"jpeg", {samples::jpeg(image), samples::jpeg(image.convertToFormat(QImage::Format_Grayscale8), 40)}},
        {"png", {samples::png(image), samples::png(icon)}},
        {"gif", {samples::gif(image), samples::gif(image, true, 0)}},
        {"bmp", {samples::bmp(image), samples::bmp(image.convertToFormat(QImage::Format_Indexed8))}},
        {"ico", {samples::ico(icon), samples::ico(icon, 4)}},
        {"wmf", {samples::sampleWmf(), plain.standard()}},
    };
    for (const auto &[format, files] : seeds) {
        QDir().mkpath(folder + QLatin1Char('/') + QLatin1String(format));
        for (size_t i = 0; i < files.size(); ++i) {
            QFile file(QStringLiteral("%1/%2/seed%3.%2").arg(folder, QLatin1String(format)).arg(i + 1));
            if (file.open(QIODevice::WriteOnly))
                file.write(files[i]);
        }
    }
}

int main(int argc, char **argv)
{
    // Text in metafiles needs the font database of a GUI application.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    if (!qEnvironmentVariableIsEmpty("QUIL_WRITE_PICTURE_SEEDS")) {
        writeSeeds(qEnvironmentVariable("QUIL_WRITE_PICTURE_SEEDS"));
        return 0;
    }
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}

namespace {

// An upright picture of four quadrants in distinct colours, 64 x 32.
QImage quadrants()
{
    QImage image(64, 32, QImage::Format_RGB32);
    QPainter painter(&image);
    painter.fillRect(0, 0, 32, 16, Qt::red);
    painter.fillRect(32, 0, 32, 16, Qt::green);
    painter.fillRect(0, 16, 32, 16, Qt::blue);
    painter.fillRect(32, 16, 32, 16, Qt::yellow);
    return image;
}

// The picture as a camera stores it for an EXIF orientation: where its 0th
// row and 0th column lie on the upright picture.
QImage storedFor(const QImage &shown, int orientation)
{
    const int w = shown.width(), h = shown.height();
    const bool transposed = orientation >= 5;
    QImage stored(transposed ? h : w, transposed ? w : h, QImage::Format_RGB32);
    for (int y = 0; y < stored.height(); ++y) {
        for (int x = 0; x < stored.width(); ++x) {
            QPoint at;
            switch (orientation) {
            case 1:
                at = {x, y};
                break;
            case 2:
                at = {w - 1 - x, y};
                break;
            case 3:
                at = {w - 1 - x, h - 1 - y};
                break;
            case 4:
                at = {x, h - 1 - y};
                break;
            case 5:
                at = {y, x};
                break; // row 0 on the left, column 0 at the top
            case 6:
                at = {w - 1 - y, x};
                break; // row 0 on the right, column 0 at the top
            case 7:
                at = {w - 1 - y, h - 1 - x};
                break; // row 0 on the right, column 0 at the bottom
            case 8:
                at = {y, h - 1 - x};
                break; // row 0 on the left, column 0 at the bottom
            }
            stored.setPixel(x, y, shown.pixel(at));
        }
    }
    return stored;
}

} // namespace

// Photographs taken with the camera turned were shown on their side.
TEST(JpegDecoder, ExifOrientationShowsThePictureUpright)
{
    const QImage shown = quadrants();
    for (const bool bigEndian : {true, false}) {
        for (int orientation = 1; orientation <= 8; ++orientation) {
            const QByteArray app1 = samples::exifOrientation(orientation, bigEndian);
            EXPECT_EQ(quil::JpegDecoder::exifOrientation(app1), orientation);
            const QByteArray file = samples::jpegWithApp1(storedFor(shown, orientation), app1, 95);
            const Picture picture = PictureLoader::decode(PictureKind::Jpeg, file, {});
            ASSERT_EQ(picture.size, QSize(64, 32)) << orientation;
            ASSERT_EQ(picture.image.size(), QSize(64, 32)) << orientation;
            const std::pair<QPoint, QColor> corners[] = {
                {{8, 4}, Qt::red}, {{56, 4}, Qt::green}, {{8, 28}, Qt::blue}, {{56, 28}, Qt::yellow}};
            for (const auto &[point, colour] : corners)
                EXPECT_TRUE(near(at(picture, point.x(), point.y()), colour))
                    << "orientation " << orientation << " at " << point.x() << "," << point.y();
        }
    }
    // Decoded for an area, a turned photograph is reduced by its upright size.
    const QByteArray tall = samples::jpegWithApp1(storedFor(samples::twoColours(400, 1600, Qt::red, Qt::blue), 6),
                                                  samples::exifOrientation(6, true));
    const Picture reduced = PictureLoader::decode(PictureKind::Jpeg, tall, QSize(100, 400));
    EXPECT_EQ(reduced.size, QSize(400, 1600));
    EXPECT_EQ(reduced.image.size(), QSize(100, 400));
}

TEST(JpegDecoder, ExifWithoutAnOrientationOrDamaged)
{
    QByteArray app1 = samples::exifOrientation(6, false);
    EXPECT_EQ(quil::JpegDecoder::exifOrientation(app1.first(app1.size() - 8)), 1); // the entry cut off
    EXPECT_EQ(quil::JpegDecoder::exifOrientation(QByteArray("Exif\0\0II*\0\xff\xff\xff\x7f\1\0", 16)), 1);
    EXPECT_EQ(quil::JpegDecoder::exifOrientation("http://ns.adobe.com/xap/1.0/"), 1);
    EXPECT_EQ(quil::JpegDecoder::exifOrientation(samples::exifOrientation(9, true)), 1);
    EXPECT_EQ(quil::JpegDecoder::exifOrientation({}), 1);
    // A picture whose EXIF names nothing stays as stored.
    const Picture picture =
        PictureLoader::decode(PictureKind::Jpeg, samples::jpegWithApp1(quadrants(), app1.first(20)), {});
    EXPECT_EQ(picture.size, QSize(64, 32));
    EXPECT_TRUE(near(at(picture, 8, 4), Qt::red));
}
