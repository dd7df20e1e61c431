#include "viewers/TSHPIC.h"

#include "PictureSamples.h"
#include "support/PictureViewerControls.h"
#include "support/TestServices.h"
#include "viewers/PictureBox.h"
#include "viewers/PictureFit.h"

#include <QLabel>
#include <QTest>

using Kind = quil::ScriptedDialogs::Kind;

class TSHPICTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void defaults();
    void fitRule_data();
    void fitRule();
    void showsEveryFormat_data();
    void showsEveryFormat();
    void wideMoveDownAndResizeRefits();
    void iconEnlargedAndCentred();
    void otherExtensionKeepsPictureNewTitle();
    void loadWhileVisible();
    void eachShowingReloads();
    void enlargingSharpensReducedPhotograph();
    void badFileKeepsPictureAndTitle_data();
    void badFileKeepsPictureAndTitle();

private:
    struct Fixture
    {
        TempTree tree;
        TestServices test;
        quil::ScriptedDialogs &dialogs = test.dialogs;
        TSHPIC window{test.services};

        // Shows `path` as the View command does when the window is hidden.
        void show(const QString &path)
        {
            window.hide();
            window.setCurrentFilePath(path);
            window.show();
        }
        QRgb screenPixel(QPoint inImage1) { return ui(window).Image1->grab().toImage().pixel(inImage1); }
    };
    static QString title(const QString &path) { return QStringLiteral(" Изображение:   ") + path; }
};

void TSHPICTest::defaults()
{
    Fixture f;
    QCOMPARE(f.window.windowTitle(), QStringLiteral(" Просмотр изображений"));
    QCOMPARE(f.window.size(), QSize(645, 509));
    QCOMPARE(f.window.currentFilePath(), QString());
    QCOMPARE(ui(f.window).Panel1->text(), QStringLiteral("Загрузка изображения..."));
    QCOMPARE(ui(f.window).Panel1->geometry(), QRect(0, 0, 645, 509));
    QCOMPARE(ui(f.window).Image1->geometry(), QRect(8, 8, 629, 493));
    QCOMPARE(ui(f.window).Panel1->palette().color(QPalette::Window), QColor(Qt::white));
    QVERIFY(ui(f.window).Image1->picture().isNull());
    // Nothing to show yet: the first showing only sets the title.
    f.window.show();
    QCOMPARE(f.window.windowTitle(), title(QString()));
    QVERIFY(f.dialogs.shown().isEmpty());
}

void TSHPICTest::showsEveryFormat_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QSize>("size");
    const QImage image = samples::twoColours(300, 200, Qt::red, Qt::blue);
    QTest::newRow("jpeg") << "photo.jpeg" << samples::jpeg(image) << QSize(300, 200);
    QTest::newRow("jpg") << "photo.jpg" << samples::jpeg(image) << QSize(300, 200);
    QTest::newRow("png") << "Pic.Png" << samples::png(image) << QSize(300, 200);
    QTest::newRow("gif") << "anim.gif" << samples::gif(image) << QSize(300, 200);
    QTest::newRow("bmp") << "bitmap.bmp" << samples::bmp(image) << QSize(300, 200);
    QTest::newRow("ico") << "icon.ico" << samples::ico(samples::twoColours(32, 32, Qt::red, Qt::blue)) << QSize(32, 32);
    QTest::newRow("wmf") << "drawing.wmf" << samples::sampleWmf() << QSize(200, 100);
}

void TSHPICTest::showsEveryFormat()
{
    QFETCH(QString, name);
    QFETCH(QByteArray, bytes);
    QFETCH(QSize, size);
    Fixture f;
    f.tree.folder("my pictures");
    const QString path = f.tree.file("my pictures/" + name.toUtf8(), bytes);
    f.show(path);
    QCOMPARE(f.dialogs.messages(), QStringList());
    QCOMPARE(f.window.windowTitle(), title(path));
    QCOMPARE(ui(f.window).Image1->picture().size, size);
    const QRect drawn = ui(f.window).Image1->drawnRect();
    QVERIFY(qRed(f.screenPixel(drawn.topLeft() + QPoint(drawn.width() / 16, drawn.height() * 3 / 4))) > 200);
    QVERIFY(qBlue(f.screenPixel(drawn.center() + QPoint(drawn.width() / 4, 0))) > 200);
}

void TSHPICTest::fitRule_data()
{
    QTest::addColumn<QSize>("picture");
    QTest::addColumn<QSize>("area");
    QTest::addColumn<QRect>("drawn");
    QTest::newRow("wide") << QSize(200, 100) << QSize(617, 464) << QRect(0, 78, 617, 308);
    QTest::newRow("wide, too high at full width") << QSize(200, 100) << QSize(100, 30) << QRect(20, 0, 60, 30);
    QTest::newRow("wide, rounded down") << QSize(3, 2) << QSize(100, 100) << QRect(0, 17, 100, 66);
    QTest::newRow("upright") << QSize(100, 200) << QSize(617, 464) << QRect(192, 0, 232, 464);
    QTest::newRow("upright, too wide at full height") << QSize(100, 200) << QSize(30, 100) << QRect(0, 20, 30, 60);
    QTest::newRow("square enlarged") << QSize(16, 16) << QSize(629, 493) << QRect(68, 0, 493, 493);
    QTest::newRow("square in a tall area") << QSize(16, 16) << QSize(100, 300) << QRect(0, 100, 100, 100);
    QTest::newRow("no width") << QSize(0, 16) << QSize(100, 100) << QRect();
    QTest::newRow("no height") << QSize(16, 0) << QSize(100, 100) << QRect();
}

void TSHPICTest::fitRule()
{
    QFETCH(QSize, picture);
    QFETCH(QSize, area);
    QFETCH(QRect, drawn);
    QCOMPARE(quil::fitPictureRect(picture, area), drawn);
}

void TSHPICTest::wideMoveDownAndResizeRefits()
{
    Fixture f;
    const QString path = f.tree.file("wide.png", samples::png(samples::twoColours(200, 100, Qt::red, Qt::blue)));
    f.window.resize(617 + 16, 464 + 16);
    f.show(path);
    QCOMPARE(ui(f.window).Image1->size(), QSize(617, 464));
    QCOMPARE(ui(f.window).Image1->drawnRect(), QRect(0, 78, 617, 308));
    QCOMPARE(f.screenPixel(QPoint(100, 77)), qRgb(255, 255, 255)); // the white panel above
    QCOMPARE(f.screenPixel(QPoint(100, 80)), qRgb(255, 0, 0));
    QCOMPARE(f.screenPixel(QPoint(100, 78 + 308)), qRgb(255, 255, 255));

    // Resized: the same rule again.
    f.window.resize(400 + 16, 600 + 16);
    QCOMPARE(ui(f.window).Image1->size(), QSize(400, 600));
    QCOMPARE(ui(f.window).Image1->drawnRect(), QRect(0, 200, 400, 200));
}

void TSHPICTest::iconEnlargedAndCentred()
{
    Fixture f;
    QImage icon(16, 16, QImage::Format_ARGB32);
    icon.fill(qRgb(0, 128, 0));
    icon.setPixel(0, 0, qRgba(0, 0, 0, 0)); // transparent corner
    const QString path = f.tree.file("small.ICO", samples::ico(icon, 4));
    f.show(path);
    QCOMPARE(f.dialogs.messages(), QStringList());
    QCOMPARE(ui(f.window).Image1->picture().size, QSize(16, 16));
    QCOMPARE(ui(f.window).Image1->drawnRect(), QRect(68, 0, 493, 493));
    QCOMPARE(f.screenPixel(QPoint(300, 250)), qRgb(0, 128, 0));
    QCOMPARE(f.screenPixel(QPoint(69, 1)), qRgb(255, 255, 255)); // the transparent corner became white
    QCOMPARE(f.screenPixel(QPoint(66, 250)), qRgb(255, 255, 255));
}

void TSHPICTest::otherExtensionKeepsPictureNewTitle()
{
    Fixture f;
    const QString picture = f.tree.file("a.gif", samples::gif(samples::twoColours(20, 10, Qt::red, Qt::blue)));
    const QString text = f.tree.file("notes.txt", "just text");
    f.show(picture);
    const qint64 key = ui(f.window).Image1->picture().image.cacheKey();
    f.show(text);
    QCOMPARE(f.window.windowTitle(), title(text));
    QCOMPARE(ui(f.window).Image1->picture().image.cacheKey(), key);
    QVERIFY(f.dialogs.shown().isEmpty());
}

void TSHPICTest::loadWhileVisible()
{
    Fixture f;
    const QString first = f.tree.file("1.bmp", samples::bmp(samples::twoColours(20, 10, Qt::red, Qt::blue)));
    const QString second = f.tree.file("2.png", samples::png(samples::twoColours(10, 30, Qt::red, Qt::blue)));
    f.show(first);
    f.window.setCurrentFilePath(second);
    QVERIFY(f.window.loadPicture());
    QCOMPARE(f.window.windowTitle(), title(second));
    QCOMPARE(ui(f.window).Image1->picture().size, QSize(10, 30));
}

void TSHPICTest::eachShowingReloads()
{
    Fixture f;
    const QString path = f.tree.file("changing.png", samples::png(samples::twoColours(20, 10, Qt::red, Qt::blue)));
    f.window.setCurrentFilePath(path);
    f.window.show();
    QCOMPARE(ui(f.window).Image1->picture().size, QSize(20, 10));
    QVERIFY(f.window.close()); // the close box only hides the window
    QVERIFY(!f.window.isVisible());
    f.tree.file("changing.png", samples::png(samples::twoColours(30, 60, Qt::red, Qt::blue)));
    f.window.show();
    QCOMPARE(ui(f.window).Image1->picture().size, QSize(30, 60));
    QCOMPARE(ui(f.window).Image1->drawnRect(), QRect(191, 0, 246, 493));
}

void TSHPICTest::enlargingSharpensReducedPhotograph()
{
    Fixture f;
    const QString path = f.tree.file("big.jpg", samples::jpeg(samples::twoColours(2400, 1200, Qt::red, Qt::blue)));
    f.window.resize(316, 216); // Image1 300 x 200: decoded at 1/8
    f.show(path);
    QCOMPARE(ui(f.window).Image1->picture().image.size(), QSize(300, 150));
    f.window.resize(1216, 916);
    QCOMPARE(ui(f.window).Image1->picture().image.size(), QSize(1200, 600));
    QCOMPARE(ui(f.window).Image1->picture().size, QSize(2400, 1200));
}

void TSHPICTest::badFileKeepsPictureAndTitle_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QString>("error");
    const QImage image = samples::twoColours(64, 32, Qt::red, Qt::blue);
    const QString wrong = QStringLiteral("Неверное изображение %1: ");
    const QByteArray text = "not a picture at all, just some words\n";
    const std::tuple<const char *, const char *, QByteArray> formats[] = {
        {"jpeg", "JPEG", samples::jpeg(image)}, {"jpg", "JPEG", samples::jpeg(image)},
        {"png", "PNG", samples::png(image)},    {"gif", "GIF", samples::gif(image)},
        {"bmp", "BMP", samples::bmp(image)},    {"ico", "ICO", samples::ico(image)},
        {"wmf", "WMF", samples::sampleWmf()},
    };
    for (const auto &[ext, format, bytes] : formats) {
        const QString prefix = wrong.arg(QLatin1String(format));
        const QString name = QStringLiteral("bad.") + QLatin1String(ext);
        QTest::addRow("%s empty", ext) << name << QByteArray() << prefix + QStringLiteral("файл пуст");
        QTest::addRow("%s truncated", ext) << name << bytes.left(bytes.size() / 2) << prefix;
        QTest::addRow("%s wrong content", ext) << name << text << prefix;
    }
    QTest::addRow("missing file") << "missing.png" << QByteArray("<none>") << "System Error.  Code: 2.\r\n";
}

void TSHPICTest::badFileKeepsPictureAndTitle()
{
    QFETCH(QString, name);
    QFETCH(QByteArray, bytes);
    QFETCH(QString, error);
    Fixture f;
    const QString good = f.tree.file("good.png", samples::png(samples::twoColours(20, 10, Qt::red, Qt::blue)));
    const QString bad = bytes == "<none>" ? f.tree.path(name.toUtf8()) : f.tree.file(name.toUtf8(), bytes);
    f.show(good);
    const qint64 key = ui(f.window).Image1->picture().image.cacheKey();

    f.show(bad);
    const auto boxes = f.dialogs.shown(Kind::ErrorBox);
    QCOMPARE(boxes.size(), 1);
    QVERIFY2(boxes[0].text.startsWith(error), qPrintable(boxes[0].text));
    QVERIFY(f.window.isVisible());
    QCOMPARE(f.window.windowTitle(), title(good));
    QCOMPARE(ui(f.window).Image1->picture().image.cacheKey(), key);
    QCOMPARE(f.screenPixel(ui(f.window).Image1->drawnRect().center() - QPoint(50, 0)), qRgb(255, 0, 0));
    // Called directly while visible, as the View command does.
    QVERIFY(!f.window.loadPicture());
    QCOMPARE(f.dialogs.shown(Kind::ErrorBox).size(), 2);
    QCOMPARE(f.window.windowTitle(), title(good));
}

QTEST_MAIN(TSHPICTest)
#include "TSHPICTest.moc"
