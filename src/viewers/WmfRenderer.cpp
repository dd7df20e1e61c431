#include "viewers/WmfRenderer.h"

#include "platform/CodePages.h"
#include "viewers/ByteReader.h"
#include "viewers/DibDecoder.h"
#include "viewers/PictureError.h"
#include "viewers/PictureFit.h"

#include <QCoreApplication>
#include <QFontMetricsF>
#include <QList>
#include <QPainter>
#include <QPainterPath>
#include <algorithm>
#include <cmath>
#include <optional>
#include <variant>

namespace quil {

namespace {

constexpr uint32_t kPlaceableKey = 0x9AC6CDD7u;
constexpr int kMaxObjects = 65535;
constexpr int kMaxSavedStates = 1024;
// Primitives reaching further than this in device pixels are not drawn: no
// sane picture needs them, and they only slow the rasterizer down.
constexpr double kDeviceLimit = 1 << 20;

enum Function : uint16_t {
    Eof = 0x0000,
    SaveDc = 0x001E,
    SetBkMode = 0x0102,
    SetPolyFillMode = 0x0106,
    RestoreDc = 0x0127,
    SelectObject = 0x012D,
    SetTextAlign = 0x012E,
    DeleteObject = 0x01F0,
    SetBkColor = 0x0201,
    SetTextColor = 0x0209,
    SetWindowOrg = 0x020B,
    SetWindowExt = 0x020C,
    LineTo = 0x0213,
    MoveTo = 0x0214,
    CreatePenIndirect = 0x02FA,
    CreateFontIndirect = 0x02FB,
    CreateBrushIndirect = 0x02FC,
    Polygon = 0x0324,
    Polyline = 0x0325,
    Ellipse = 0x0418,
    Rectangle = 0x041B,
    TextOut = 0x0521,
    PolyPolygon = 0x0538,
    RoundRect = 0x061C,
    DibBitBlt = 0x0940,
    ExtTextOut = 0x0A32,
    DibStretchBlt = 0x0B41,
    StretchDib = 0x0F43,
    // Objects that are not drawn but still take a slot in the object table.
    CreatePalette = 0x00F7,
    CreatePatternBrush = 0x01F9,
    DibCreatePatternBrush = 0x0142,
    CreateRegion = 0x06FF,
};

struct FontSpec
{
    QString family;
    int height = 0;
    int escapement = 0;
    int weight = 400;
    bool italic = false, underline = false, strikeOut = false;
    int charset = 1;
};

struct Placeholder
{
};
using GdiObject = std::variant<QPen, QBrush, FontSpec, Placeholder>;

struct DcState
{
    QPen pen{QColor(Qt::black), 0};
    QBrush brush{Qt::white};
    FontSpec font;
    QColor textColor{Qt::black};
    QColor bkColor{Qt::white};
    bool opaqueBackground = true;
    int textAlign = 0;
    Qt::FillRule fillRule = Qt::OddEvenFill;
    QPoint position;
    QPoint windowOrg;
    QPoint windowExt;
};

QColor colorRef(uint32_t value)
{
    return QColor(int(value & 0xff), int((value >> 8) & 0xff), int((value >> 16) & 0xff));
}

class Player
{
public:
    Player(QPainter &painter, QSize device, DcState initial) : m_painter(painter), m_device(device), m_dc(initial)
    {
        updateTransform();
    }

    void play(uint16_t function, ByteReader p);

private:
    void updateTransform();
    void applyPen();
    bool visible(const QRectF &logical) const;
    void drawShape(const QPainterPath &path, bool fill);
    void drawText(QPoint at, QByteArrayView bytes);
    void drawBitmap(QRectF dest, QRectF src, QByteArrayView dib);
    void create(GdiObject object);
    QRect rectLTRB(ByteReader &p);

    QPainter &m_painter;
    QSize m_device;
    DcState m_dc;
    QTransform m_transform;
    double m_scale = 1;
    QList<std::optional<GdiObject>> m_objects;
    QList<DcState> m_saved;
};

void Player::updateTransform()
{
    const QPoint ext = m_dc.windowExt;
    if (ext.x() == 0 || ext.y() == 0)
        return; // an empty window maps nothing; keep the previous mapping
    const double sx = double(m_device.width()) / ext.x();
    const double sy = double(m_device.height()) / ext.y();
    m_transform = QTransform(sx, 0, 0, sy, -m_dc.windowOrg.x() * sx, -m_dc.windowOrg.y() * sy);
    m_scale = std::max(std::abs(sx), std::abs(sy));
}

void Player::applyPen()
{
    QPen pen = m_dc.pen;
    // A pen wider than the picture only costs time.
    const double limit = 4.0 * std::max(m_device.width(), m_device.height());
    if (pen.widthF() * m_scale > limit)
        pen.setWidthF(limit / m_scale);
    m_painter.setPen(pen);
}

bool Player::visible(const QRectF &logical) const
{
    const QRectF device = m_transform.mapRect(logical);
    return device.left() > -kDeviceLimit && device.top() > -kDeviceLimit && device.right() < kDeviceLimit &&
           device.bottom() < kDeviceLimit;
}

void Player::drawShape(const QPainterPath &path, bool fill)
{
    if (!visible(path.boundingRect()))
        return;
    m_painter.setTransform(m_transform);
    applyPen();
    m_painter.setBrush(fill ? m_dc.brush : QBrush());
    m_painter.drawPath(path);
}

QRect Player::rectLTRB(ByteReader &p)
{
    const int bottom = p.i16(), right = p.i16(), top = p.i16(), left = p.i16();
    return QRect(QPoint(left, top), QPoint(right, bottom)).normalized();
}

void Player::drawText(QPoint at, QByteArrayView bytes)
{
    const FontSpec &spec = m_dc.font;
    const QString text = spec.charset == 204 || spec.charset == 1 ? codepage::fromCp1251(bytes)
                                                                  : QString::fromLatin1(bytes.data(), bytes.size());
    if (text.isEmpty())
        return;
    const bool updateCp = m_dc.textAlign & 1;
    const QPoint logical = updateCp ? m_dc.position : at;
    if (!visible(QRectF(logical, QSizeF(1, 1))))
        return;
    QFont font(spec.family.isEmpty() ? QStringLiteral("DejaVu Sans") : spec.family);
    // A negative height is the character height, a positive one the cell height.
    const double em = spec.height < 0 ? -spec.height : spec.height > 0 ? spec.height * 0.85 : 12.0 / m_scale;
    font.setPixelSize(std::clamp(int(std::lround(em * m_scale)), 1, 4096));
    font.setWeight(QFont::Weight(std::clamp(spec.weight ? spec.weight : 400, 100, 900)));
    font.setItalic(spec.italic);
    font.setUnderline(spec.underline);
    font.setStrikeOut(spec.strikeOut);
    const QFontMetricsF metrics(font);
    const double width = metrics.horizontalAdvance(text);
    double x = 0;
    if ((m_dc.textAlign & 6) == 6)
        x = -width / 2;
    else if (m_dc.textAlign & 2)
        x = -width;
    double y = metrics.ascent(); // top
    if ((m_dc.textAlign & 24) == 24)
        y = 0;
    else if (m_dc.textAlign & 8)
        y = -metrics.descent();

    m_painter.resetTransform();
    m_painter.translate(m_transform.map(QPointF(logical)));
    m_painter.rotate(-spec.escapement / 10.0);
    if (m_dc.opaqueBackground)
        m_painter.fillRect(QRectF(x, y - metrics.ascent(), width, metrics.height()), m_dc.bkColor);
    m_painter.setFont(font);
    m_painter.setPen(m_dc.textColor);
    m_painter.drawText(QPointF(x, y), text);
    if (updateCp && m_scale > 0)
        m_dc.position.rx() += int(width / m_scale);
}

void Player::drawBitmap(QRectF dest, QRectF src, QByteArrayView dib)
{
    if (!visible(dest))
        return;
    QImage image;
    try {
        image = DibDecoder::decode(dib, "WMF", {});
    } catch (const QuilError &) {
        return; // a damaged bitmap inside the picture is skipped like an unknown record
    }
    // Source rows are counted from the bottom of the bitmap.
    src = QRectF(src.x(), image.height() - src.y() - src.height(), src.width(), src.height()).normalized();
    if (src.isEmpty())
        src = image.rect();
    m_painter.setTransform(m_transform);
    m_painter.drawImage(dest.normalized(), image, src);
}

void Player::create(GdiObject object)
{
    for (auto &slot : m_objects)
        if (!slot) {
            slot = std::move(object);
            return;
        }
    if (m_objects.size() < kMaxObjects)
        m_objects.append(std::move(object));
}

void Player::play(uint16_t function, ByteReader p)
{
    switch (function) {
    case SetWindowOrg: {
        const int y = p.i16(), x = p.i16();
        m_dc.windowOrg = QPoint(x, y);
        updateTransform();
        break;
    }
    case SetWindowExt: {
        const int y = p.i16(), x = p.i16();
        m_dc.windowExt = QPoint(x, y);
        updateTransform();
        break;
    }
    case SetBkColor:
        m_dc.bkColor = colorRef(p.u32());
        break;
    case SetBkMode:
        m_dc.opaqueBackground = p.u16() == 2;
        break;
    case SetPolyFillMode:
        m_dc.fillRule = p.u16() == 2 ? Qt::WindingFill : Qt::OddEvenFill;
        break;
    case SetTextColor:
        m_dc.textColor = colorRef(p.u32());
        break;
    case SetTextAlign:
        m_dc.textAlign = p.u16();
        break;
    case CreatePenIndirect: {
        const int style = p.u16() & 0x0f;
        const int width = p.i16();
        p.i16();
        QPen pen(colorRef(p.u32()), std::abs(width)); // width 0 is one device pixel, as in Qt
        static const Qt::PenStyle styles[] = {Qt::SolidLine,      Qt::DashLine, Qt::DotLine,  Qt::DashDotLine,
                                              Qt::DashDotDotLine, Qt::NoPen,    Qt::SolidLine};
        pen.setStyle(style < 7 ? styles[style] : Qt::SolidLine);
        create(pen);
        break;
    }
    case CreateBrushIndirect: {
        const int style = p.u16();
        const QColor color = colorRef(p.u32());
        const int hatch = p.u16();
        static const Qt::BrushStyle hatches[] = {Qt::HorPattern,   Qt::VerPattern,   Qt::FDiagPattern,
                                                 Qt::BDiagPattern, Qt::CrossPattern, Qt::DiagCrossPattern};
        if (style == 1)
            create(QBrush());
        else if (style == 2)
            create(QBrush(color, hatch >= 0 && hatch < 6 ? hatches[hatch] : Qt::SolidPattern));
        else
            create(QBrush(color));
        break;
    }
    case CreateFontIndirect: {
        FontSpec font;
        font.height = p.i16();
        p.i16();
        font.escapement = p.i16();
        p.i16();
        font.weight = p.i16();
        font.italic = p.u8();
        font.underline = p.u8();
        font.strikeOut = p.u8();
        font.charset = p.u8();
        p.skip(4);
        QByteArray face;
        for (int i = 0; i < 32 && p.remaining() > 0; ++i) {
            const char c = char(p.u8());
            if (!c)
                break;
            face.append(c);
        }
        font.family = QString::fromLatin1(face);
        create(font);
        break;
    }
    case CreatePalette:
    case CreatePatternBrush:
    case DibCreatePatternBrush:
    case CreateRegion:
        create(Placeholder{});
        break;
    case SelectObject: {
        const int index = p.u16();
        if (index >= m_objects.size() || !m_objects[index])
            break;
        const GdiObject &object = *m_objects[index];
        if (const auto *pen = std::get_if<QPen>(&object))
            m_dc.pen = *pen;
        else if (const auto *brush = std::get_if<QBrush>(&object))
            m_dc.brush = *brush;
        else if (const auto *font = std::get_if<FontSpec>(&object))
            m_dc.font = *font;
        break;
    }
    case DeleteObject: {
        const int index = p.u16();
        if (index < m_objects.size())
            m_objects[index].reset();
        break;
    }
    case SaveDc:
        if (m_saved.size() < kMaxSavedStates)
            m_saved.append(m_dc);
        break;
    case RestoreDc: {
        int n = p.i16();
        n = n < 0 ? -n : int(m_saved.size()) - n + 1; // relative, or the absolute level
        n = std::clamp(n, 0, int(m_saved.size()));
        if (n > 0) {
            m_dc = m_saved[m_saved.size() - n];
            m_saved.resize(m_saved.size() - n);
            updateTransform();
        }
        break;
    }
    case MoveTo: {
        const int y = p.i16(), x = p.i16();
        m_dc.position = QPoint(x, y);
        break;
    }
    case LineTo: {
        const int y = p.i16(), x = p.i16();
        QPainterPath path(m_dc.position);
        path.lineTo(x, y);
        drawShape(path, false);
        m_dc.position = QPoint(x, y);
        break;
    }
    case Polygon:
    case Polyline: {
        const int count = p.i16();
        if (count <= 0 || count * 4 > p.remaining())
            break;
        QPolygon polygon(count);
        for (int i = 0; i < count; ++i) {
            const int x = p.i16(), y = p.i16();
            polygon[i] = QPoint(x, y);
        }
        QPainterPath path;
        path.setFillRule(m_dc.fillRule);
        path.addPolygon(polygon);
        if (function == Polygon)
            path.closeSubpath();
        drawShape(path, function == Polygon);
        break;
    }
    case PolyPolygon: {
        const int polygons = p.u16();
        if (polygons * 2 > p.remaining())
            break;
        QList<int> counts(polygons);
        qint64 total = 0;
        for (int &c : counts)
            total += (c = p.u16());
        if (total * 4 > p.remaining())
            break;
        QPainterPath path;
        path.setFillRule(m_dc.fillRule);
        for (int c : counts) {
            QPolygon polygon(c);
            for (int i = 0; i < c; ++i) {
                const int x = p.i16(), y = p.i16();
                polygon[i] = QPoint(x, y);
            }
            path.addPolygon(polygon);
            path.closeSubpath();
        }
        drawShape(path, true);
        break;
    }
    case Rectangle: {
        QPainterPath path;
        path.addRect(rectLTRB(p));
        drawShape(path, true);
        break;
    }
    case RoundRect: {
        const int h = p.i16(), w = p.i16();
        QPainterPath path;
        path.addRoundedRect(rectLTRB(p), std::abs(w) / 2.0, std::abs(h) / 2.0);
        drawShape(path, true);
        break;
    }
    case Ellipse: {
        QPainterPath path;
        path.addEllipse(rectLTRB(p));
        drawShape(path, true);
        break;
    }
    case TextOut: {
        const int length = p.i16();
        if (length <= 0)
            break;
        const QByteArrayView bytes = p.bytes(length);
        p.skip(length % 2);
        const int y = p.i16(), x = p.i16();
        if (!p.failed())
            drawText(QPoint(x, y), bytes);
        break;
    }
    case ExtTextOut: {
        const int y = p.i16(), x = p.i16();
        const int length = p.i16();
        const int options = p.u16();
        if (options & 0x0006)
            p.skip(8); // the opaque or clipping rectangle
        if (length <= 0)
            break;
        const QByteArrayView bytes = p.bytes(length);
        if (!p.failed())
            drawText(QPoint(x, y), bytes);
        break;
    }
    case DibStretchBlt:
    case StretchDib:
    case DibBitBlt: {
        // Without a bitmap the record is a pattern fill, which is left out.
        const qsizetype minimum = function == DibBitBlt    ? 4 + 6 * 2
                                  : function == StretchDib ? 4 + 2 + 8 * 2
                                                           : 4 + 8 * 2;
        if (p.remaining() <= minimum + 2)
            break;
        p.u32(); // raster operation: every bitmap is copied
        if (function == StretchDib)
            p.u16();
        QRectF src, dest;
        if (function == DibBitBlt) {
            const int ySrc = p.i16(), xSrc = p.i16(), h = p.i16(), w = p.i16(), yDest = p.i16(), xDest = p.i16();
            src = QRectF(xSrc, ySrc, w, h);
            dest = QRectF(xDest, yDest, w, h);
        } else {
            const int srcH = p.i16(), srcW = p.i16(), ySrc = p.i16(), xSrc = p.i16();
            const int destH = p.i16(), destW = p.i16(), yDest = p.i16(), xDest = p.i16();
            src = QRectF(xSrc, ySrc, srcW, srcH);
            dest = QRectF(xDest, yDest, destW, destH);
        }
        drawBitmap(dest, src, p.bytes(p.remaining()));
        break;
    }
    default:
        break; // records this viewer does not draw
    }
}

struct Header
{
    bool placeable = false;
    QRect frame;
    int inch = 96;
    qsizetype records = 0;
    qint64 sizeInBytes = 0;
};

Header readHeader(QByteArrayView data)
{
    if (data.isEmpty())
        throwPictureError("WMF", QCoreApplication::translate("WmfRenderer", "файл пуст"));
    Header header;
    ByteReader r(data);
    if (r.u32() == kPlaceableKey) {
        header.placeable = true;
        r.u16();
        const int left = r.i16(), top = r.i16(), right = r.i16(), bottom = r.i16();
        header.frame = QRect(QPoint(left, top), QPoint(right, bottom));
        header.inch = r.u16();
        r.skip(6);
        if (header.inch == 0)
            header.inch = 1440;
    } else {
        r.seek(0);
    }
    const qsizetype start = r.position();
    const uint16_t type = r.u16();
    const uint16_t headerWords = r.u16();
    r.u16();
    header.sizeInBytes = qint64(r.u32()) * 2;
    r.skip(8);
    if (r.failed())
        throwPictureError("WMF", QCoreApplication::translate("WmfRenderer", "файл обрезан"));
    if ((type != 1 && type != 2) || headerWords != 9)
        throwPictureError("WMF", QCoreApplication::translate("WmfRenderer", "нет заголовка метафайла"));
    header.records = start + 18;
    return header;
}

} // namespace

Picture WmfRenderer::decode(QByteArrayView data, QSize area)
{
    const Header header = readHeader(data);

    // Walk the records first: a truncated file is refused before anything is
    // drawn, and a standard metafile's size is its first window extent.
    QPoint org, ext;
    bool haveOrg = false, haveExt = false, ended = false;
    for (qsizetype pos = header.records; pos < data.size();) {
        ByteReader r(data, pos);
        const qint64 words = r.u32();
        const uint16_t function = r.u16();
        if (r.failed() || words < 3 || pos + words * 2 > data.size())
            throwPictureError("WMF", words != 0 && words < 3
                                         ? QCoreApplication::translate("WmfRenderer", "неверная запись")
                                         : QCoreApplication::translate("WmfRenderer", "файл обрезан"));
        if (function == Eof) {
            ended = true;
            break;
        }
        if ((function == SetWindowOrg && !haveOrg) || (function == SetWindowExt && !haveExt)) {
            const int y = r.i16(), x = r.i16();
            (function == SetWindowOrg ? org : ext) = QPoint(x, y);
            (function == SetWindowOrg ? haveOrg : haveExt) = true;
        }
        pos += words * 2;
    }
    if (!ended && data.size() < header.sizeInBytes)
        throwPictureError("WMF", QCoreApplication::translate("WmfRenderer", "файл обрезан"));

    DcState initial;
    QSize size;
    if (header.placeable) {
        const QRect frame = header.frame.normalized();
        initial.windowOrg = header.frame.topLeft();
        initial.windowExt = QPoint(header.frame.width() - 1, header.frame.height() - 1);
        if (initial.windowExt.x() == 0 || initial.windowExt.y() == 0)
            throwPictureError("WMF", QCoreApplication::translate("WmfRenderer", "пустая рамка"));
        size = QSize(int(std::max<qint64>(1, qint64(frame.width() - 1) * 96 / header.inch)),
                     int(std::max<qint64>(1, qint64(frame.height() - 1) * 96 / header.inch)));
    } else {
        if (!haveExt || ext.x() == 0 || ext.y() == 0)
            throwPictureError("WMF", QCoreApplication::translate("WmfRenderer", "метафайл не задаёт размеров"));
        initial.windowOrg = org;
        initial.windowExt = ext;
        size = QSize(std::abs(ext.x()), std::abs(ext.y()));
    }

    QSize render = area.isEmpty() ? size : fitPictureRect(size, area).size();
    if (render.width() > 4096 || render.height() > 4096)
        render = size.scaled(4096, 4096, Qt::KeepAspectRatio);
    render = render.expandedTo(QSize(1, 1));
    QImage image(render, QImage::Format_ARGB32_Premultiplied);
    if (image.isNull())
        throwPictureError("WMF", QCoreApplication::translate("WmfRenderer", "недостаточно памяти"));
    image.fill(Qt::transparent);
    {
        QPainter painter(&image);
        painter.setRenderHint(QPainter::Antialiasing);
        Player player(painter, render, initial);
        for (qsizetype pos = header.records; pos < data.size();) {
            ByteReader r(data, pos);
            const qint64 words = r.u32();
            const uint16_t function = r.u16();
            if (function == Eof)
                break;
            player.play(function, ByteReader(data.sliced(pos + 6, words * 2 - 6)));
            pos += words * 2;
        }
    }
    Picture picture;
    picture.image = std::move(image);
    picture.size = size;
    picture.kind = PictureKind::Wmf;
    return picture;
}

} // namespace quil
