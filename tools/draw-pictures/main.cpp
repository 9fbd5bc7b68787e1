// SPDX-License-Identifier: GPL-3.0-or-later
// Draws the cover picture, the two window icons and the desktop icons from vector shapes.
//
// Every picture is drawn at several times its size and averaged down, so edges come out
// antialiased. The question mark is a stroked hook and a round dot; its relief comes from a
// height map (the blurred shape) lit from the upper left, with a soft drop shadow below it and a
// glossy streak along its upper-left edge.
#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QPainter>
#include <QPainterPath>
#include <QPainterPathStroker>
#include <QString>

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <numbers>
#include <vector>

namespace {

struct Colour {
    double r = 0.0;
    double g = 0.0;
    double b = 0.0;
};

constexpr Colour rgb(int hex)
{
    return { ((hex >> 16) & 0xff) / 255.0, ((hex >> 8) & 0xff) / 255.0, (hex & 0xff) / 255.0 };
}

Colour mix(Colour from, Colour to, double t)
{
    return { from.r + (to.r - from.r) * t, from.g + (to.g - from.g) * t,
        from.b + (to.b - from.b) * t };
}

double clamp01(double v) { return std::clamp(v, 0.0, 1.0); }

double smoothstep(double edge0, double edge1, double v)
{
    const double t = clamp01((v - edge0) / (edge1 - edge0));
    return t * t * (3.0 - 2.0 * t);
}

// One channel of a picture being drawn.
class Plane {
public:
    Plane(int width, int height)
        : m_width(width)
        , m_height(height)
        , m_values(static_cast<std::size_t>(width) * static_cast<std::size_t>(height), 0.0)
    {
    }

    int width() const { return m_width; }
    int height() const { return m_height; }

    // Reads outside the plane give the nearest edge value.
    double at(int x, int y) const
    {
        x = std::clamp(x, 0, m_width - 1);
        y = std::clamp(y, 0, m_height - 1);
        return m_values[index(x, y)];
    }
    double& operator()(int x, int y) { return m_values[index(x, y)]; }

private:
    std::size_t index(int x, int y) const
    {
        return static_cast<std::size_t>(y) * static_cast<std::size_t>(m_width)
            + static_cast<std::size_t>(x);
    }

    int m_width;
    int m_height;
    std::vector<double> m_values;
};

// The coverage of a filled path, antialiased, in 0..1.
Plane rasterize(const QPainterPath& path, int width, int height)
{
    QImage image(width, height, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    {
        QPainter painter(&image);
        painter.setRenderHint(QPainter::Antialiasing);
        painter.setPen(Qt::NoPen);
        painter.setBrush(Qt::white);
        painter.drawPath(path);
    }
    Plane plane(width, height);
    for (int y = 0; y < height; ++y) {
        const auto* line = reinterpret_cast<const QRgb*>(image.constScanLine(y));
        for (int x = 0; x < width; ++x)
            plane(x, y) = qAlpha(line[x]) / 255.0;
    }
    return plane;
}

// Three passes of a box blur in each direction: close to a Gaussian of about `radius`.
void blur(Plane& plane, int radius)
{
    if (radius < 1)
        return;
    const int w = plane.width();
    const int h = plane.height();
    const double span = 2.0 * radius + 1.0;
    std::vector<double> line;
    for (int pass = 0; pass < 3; ++pass) {
        line.assign(static_cast<std::size_t>(w), 0.0);
        for (int y = 0; y < h; ++y) {
            double sum = 0.0;
            for (int x = -radius - 1; x < radius; ++x)
                sum += plane.at(x, y);
            for (int x = 0; x < w; ++x) {
                sum += plane.at(x + radius, y) - plane.at(x - radius - 1, y);
                line[static_cast<std::size_t>(x)] = sum / span;
            }
            for (int x = 0; x < w; ++x)
                plane(x, y) = line[static_cast<std::size_t>(x)];
        }
        line.assign(static_cast<std::size_t>(h), 0.0);
        for (int x = 0; x < w; ++x) {
            double sum = 0.0;
            for (int y = -radius - 1; y < radius; ++y)
                sum += plane.at(x, y);
            for (int y = 0; y < h; ++y) {
                sum += plane.at(x, y + radius) - plane.at(x, y - radius - 1);
                line[static_cast<std::size_t>(y)] = sum / span;
            }
            for (int y = 0; y < h; ++y)
                plane(x, y) = line[static_cast<std::size_t>(y)];
        }
    }
}

// The question mark's shape, in units of its height.
struct Glyph {
    double width = 0.7; // of the hook
    double stroke = 0.2; // thickness of the hook and stem
    double dotRadius = 0.105;
};

// The hook's centre line lies on this ellipse from kHookStart, clockwise over the top, to kHookEnd.
constexpr double kHookStart = 200.0; // degrees, Qt's convention (counter-clockwise from 3 o'clock)
constexpr double kHookSweep = -252.0;

QRectF hookEllipse(const Glyph& glyph, QPointF origin, double unit)
{
    const double t = glyph.stroke * unit;
    return { origin.x() + t / 2.0, origin.y() + t / 2.0, glyph.width * unit - t, 0.56 * unit - t };
}

QPointF onEllipse(const QRectF& ellipse, double degrees, double grow)
{
    const double a = degrees * std::numbers::pi / 180.0;
    const double rx = ellipse.width() / 2.0 + grow;
    const double ry = ellipse.height() / 2.0 + grow;
    return { ellipse.center().x() + rx * std::cos(a), ellipse.center().y() - ry * std::sin(a) };
}

// The outline of the whole mark whose top-left corner is `origin` and whose height is `unit`.
QPainterPath questionMark(const Glyph& glyph, QPointF origin, double unit)
{
    const QRectF ellipse = hookEllipse(glyph, origin, unit);
    const double stemX = origin.x() + glyph.width * unit / 2.0;

    QPainterPath centre;
    centre.moveTo(onEllipse(ellipse, kHookStart, 0.0));
    centre.arcTo(ellipse, kHookStart, kHookSweep);
    const double endAngle = (kHookStart + kHookSweep) * std::numbers::pi / 180.0;
    const QPointF end = centre.currentPosition();
    // Leaving the arc along its own tangent keeps the curve into the stem smooth.
    QPointF tangent(
        ellipse.width() / 2.0 * std::sin(endAngle), ellipse.height() / 2.0 * std::cos(endAngle));
    tangent /= std::hypot(tangent.x(), tangent.y());
    centre.cubicTo(end + tangent * (0.09 * unit), QPointF(stemX, origin.y() + 0.47 * unit),
        QPointF(stemX, origin.y() + 0.56 * unit));
    centre.lineTo(stemX, origin.y() + 0.615 * unit);

    QPainterPathStroker stroker;
    stroker.setWidth(glyph.stroke * unit);
    stroker.setCapStyle(Qt::RoundCap);
    stroker.setJoinStyle(Qt::RoundJoin);
    QPainterPath outline = stroker.createStroke(centre);
    outline.setFillRule(Qt::WindingFill);
    const double r = glyph.dotRadius * unit;
    outline.addEllipse(QPointF(stemX, origin.y() + unit - r), r, r);
    return outline;
}

// The glossy streak: a thin crescent along the hook's upper-left outer edge, plus a glint on the
// dot.
QPainterPath glossStreak(const Glyph& glyph, QPointF origin, double unit)
{
    const QRectF ellipse = hookEllipse(glyph, origin, unit);
    const double t = glyph.stroke * unit;
    const double offset = 0.2 * t;
    const double thickest = 0.22 * t;
    constexpr double kFrom = 192.0; // degrees along the hook's ellipse
    constexpr double kTo = 88.0;
    constexpr int kSteps = 64;
    QPolygonF outer;
    QPolygonF inner;
    for (int i = 0; i <= kSteps; ++i) {
        const double s = static_cast<double>(i) / kSteps;
        const double half = thickest / 2.0 * std::pow(std::sin(std::numbers::pi * s), 0.7);
        const double a = kFrom + (kTo - kFrom) * s;
        outer << onEllipse(ellipse, a, offset + half);
        inner.prepend(onEllipse(ellipse, a, offset - half));
    }
    QPainterPath streak;
    streak.addPolygon(outer + inner);
    streak.closeSubpath();

    const double r = glyph.dotRadius * unit;
    const QPointF dot(origin.x() + glyph.width * unit / 2.0, origin.y() + unit - r);
    QPainterPath glint;
    glint.addEllipse(QPointF(0.0, 0.0), 0.42 * r, 0.2 * r);
    QTransform place;
    place.translate(dot.x() - 0.38 * r, dot.y() - 0.42 * r);
    place.rotate(-40.0);
    streak.addPath(place.map(glint));
    return streak;
}

// How one picture of the question-mark motif looks.
struct Motif {
    std::vector<Colour> ground; // diagonal gradient, evenly spaced stops, top left first
    Colour glyphTop;
    Colour glyphBottom;
    Colour glyphLight; // what edges facing the light tend to
    Colour glyphShade; // what edges facing away tend to
    double bevel = 0.055; // width of the rounded edge, in glyph heights
    double relief = 0.85; // strength of light and shade
    double shine = 0.8; // strength of the specular highlight on the edges
    double streak = 0.85; // opacity of the glossy streak (0: none)
    Colour shadow;
    double shadowOpacity = 0.5;
    QPointF shadowOffset { 0.03, 0.045 }; // in glyph heights
    double shadowBlur = 0.035; // in glyph heights
    Colour outline; // a thin line around the mark, which keeps it apart from the ground
    double outlineWidth = 0.0; // in glyph heights
    double outlineOpacity = 0.0;
    Glyph glyph;
    double glyphHeight = 0.9; // of the frame's height
    double tilt = 0.0; // degrees, clockwise
};

Colour groundAt(const Motif& motif, double u)
{
    const auto last = static_cast<double>(motif.ground.size() - 1);
    const double pos = clamp01(u) * last;
    const auto i = std::min(static_cast<std::size_t>(pos), motif.ground.size() - 2);
    return mix(motif.ground[i], motif.ground[i + 1], pos - static_cast<double>(i));
}

struct Pixel {
    Colour colour;
    double alpha = 1.0;
};

// A picture drawn at its final size. `corner` > 0 draws a rounded tile (transparent corners) of
// that radius in pixels, inset by `inset` pixels; 0 fills the whole frame.
class Picture {
public:
    Picture(int width, int height)
        : m_width(width)
        , m_height(height)
        , m_pixels(static_cast<std::size_t>(width) * static_cast<std::size_t>(height))
    {
    }
    int width() const { return m_width; }
    int height() const { return m_height; }
    Pixel& operator()(int x, int y)
    {
        return m_pixels[static_cast<std::size_t>(y) * static_cast<std::size_t>(m_width)
            + static_cast<std::size_t>(x)];
    }

    QImage toRgb888()
    {
        QImage image(m_width, m_height, QImage::Format_RGB888);
        for (int y = 0; y < m_height; ++y) {
            uchar* out = image.scanLine(y); // R, G, B bytes
            for (int x = 0; x < m_width; ++x) {
                const Colour c = (*this)(x, y).colour;
                *out++ = toByte(c.r);
                *out++ = toByte(c.g);
                *out++ = toByte(c.b);
            }
        }
        return image;
    }

    QImage toArgb32()
    {
        QImage image(m_width, m_height, QImage::Format_ARGB32);
        for (int y = 0; y < m_height; ++y) {
            auto* line = reinterpret_cast<QRgb*>(image.scanLine(y));
            for (int x = 0; x < m_width; ++x) {
                const Pixel p = (*this)(x, y);
                line[x] = qRgba(
                    toByte(p.colour.r), toByte(p.colour.g), toByte(p.colour.b), toByte(p.alpha));
            }
        }
        return image;
    }

private:
    static std::uint8_t toByte(double v)
    {
        return static_cast<std::uint8_t>(std::lround(clamp01(v) * 255.0));
    }

    int m_width;
    int m_height;
    std::vector<Pixel> m_pixels;
};

Picture draw(const Motif& motif, int width, int height, double corner = 0.0, double inset = 0.0)
{
    // Draw big, then average down: the supersampling is the antialiasing.
    const int scale = std::max(4, (768 + std::max(width, height) - 1) / std::max(width, height));
    const int w = width * scale;
    const int h = height * scale;
    const double unit = motif.glyphHeight * std::min(width, height) * scale;
    const QPointF origin((w - motif.glyph.width * unit) / 2.0,
        (h - unit) / 2.0 - motif.shadowOffset.y() * unit / 3.0);
    QTransform tilt;
    tilt.translate(w / 2.0, h / 2.0);
    tilt.rotate(motif.tilt);
    tilt.translate(-w / 2.0, -h / 2.0);
    const QPainterPath mark = tilt.map(questionMark(motif.glyph, origin, unit));
    const QPainterPath gloss = tilt.map(glossStreak(motif.glyph, origin, unit));

    const Plane body = rasterize(mark, w, h);
    Plane heights = body;
    const int bevel = static_cast<int>(std::lround(motif.bevel * unit / 2.0));
    blur(heights, bevel);
    Plane shadow = rasterize(
        mark.translated(motif.shadowOffset.x() * unit, motif.shadowOffset.y() * unit), w, h);
    blur(shadow, static_cast<int>(std::lround(motif.shadowBlur * unit / 2.0)));
    Plane rim(w, h);
    if (motif.outlineWidth > 0.0) {
        QPainterPathStroker stroker;
        stroker.setWidth(2.0 * motif.outlineWidth * unit);
        stroker.setJoinStyle(Qt::RoundJoin);
        QPainterPath grown = stroker.createStroke(mark);
        grown.addPath(mark);
        grown.setFillRule(Qt::WindingFill);
        rim = rasterize(grown, w, h);
    }
    Plane streak = rasterize(gloss, w, h);
    blur(streak, std::max(1, scale / 3));

    Plane tile(w, h);
    if (corner > 0.0) {
        QPainterPath rounded;
        rounded.addRoundedRect(
            QRectF(inset * scale, inset * scale, w - 2.0 * inset * scale, h - 2.0 * inset * scale),
            corner * scale, corner * scale);
        tile = rasterize(rounded, w, h);
    }

    // Light from the upper left and a little in front.
    const double lx = -0.55;
    const double ly = -0.7;
    const double lz = 0.9;
    const double ln = std::sqrt(lx * lx + ly * ly + lz * lz);
    const double hx = lx / ln;
    const double hy = ly / ln;
    const double hz = lz / ln + 1.0;
    const double hn = std::sqrt(hx * hx + hy * hy + hz * hz);
    const double flatDiffuse = lz / ln;
    const double flatSpecular = std::pow(hz / hn, 40.0);
    const double slope = 2.2 * std::max(1, bevel);

    const double top = origin.y();
    Picture picture(width, height);
    for (int py = 0; py < height; ++py) {
        for (int px = 0; px < width; ++px) {
            Colour sum;
            double alphaSum = 0.0;
            for (int sy = py * scale; sy < (py + 1) * scale; ++sy) {
                for (int sx = px * scale; sx < (px + 1) * scale; ++sx) {
                    const double u = ((sx + 0.5) / w + (sy + 0.5) / h) / 2.0; // along the diagonal
                    Colour c = groundAt(motif, u);
                    c = mix(c, motif.shadow, motif.shadowOpacity * shadow.at(sx, sy));
                    c = mix(c, motif.outline, motif.outlineOpacity * rim.at(sx, sy));

                    const double cover = body.at(sx, sy);
                    if (cover > 0.0) {
                        Colour g = mix(motif.glyphTop, motif.glyphBottom,
                            smoothstep(0.0, 1.0, (sy - top) / unit));
                        const double nx =
                            -(heights.at(sx + 1, sy) - heights.at(sx - 1, sy)) / 2.0 * slope;
                        const double ny =
                            -(heights.at(sx, sy + 1) - heights.at(sx, sy - 1)) / 2.0 * slope;
                        const double nn = std::sqrt(nx * nx + ny * ny + 1.0);
                        const double diffuse = (nx * lx + ny * ly + lz) / (nn * ln);
                        if (diffuse > flatDiffuse)
                            g = mix(g, motif.glyphLight,
                                motif.relief * (diffuse - flatDiffuse) / (1.0 - flatDiffuse));
                        else
                            g = mix(g, motif.glyphShade,
                                motif.relief * (flatDiffuse - diffuse) / flatDiffuse);
                        const double highlight =
                            std::pow(std::max(0.0, (nx * hx + ny * hy + hz) / (nn * hn)), 40.0);
                        g = mix(g, rgb(0xffffff),
                            motif.shine * std::max(0.0, highlight - flatSpecular));
                        g = mix(g, rgb(0xffffff), motif.streak * streak.at(sx, sy));
                        c = mix(c, g, cover);
                    }
                    const double a = corner > 0.0 ? tile.at(sx, sy) : 1.0;
                    sum.r += c.r * a;
                    sum.g += c.g * a;
                    sum.b += c.b * a;
                    alphaSum += a;
                }
            }
            Pixel& out = picture(px, py);
            out.alpha = alphaSum / (scale * scale);
            if (alphaSum > 0.0)
                out.colour = { sum.r / alphaSum, sum.g / alphaSum, sum.b / alphaSum };
        }
    }
    return picture;
}

// The game's own motif: a glossy pink question mark on yellow-green to magenta. `size` is the
// picture's smaller side in pixels: small pictures get a bolder mark with a darker outline.
Motif coverMotif(int size)
{
    Motif m;
    m.ground = { rgb(0xb4e03a), rgb(0xd2d83c), rgb(0xf2a23e), rgb(0xee5a64), rgb(0xc8149a) };
    m.glyphTop = rgb(0xff9ad2);
    m.glyphBottom = rgb(0xf23d98);
    m.glyphLight = rgb(0xfff0f8);
    m.glyphShade = rgb(0x7a0842);
    m.shadow = rgb(0x3a0a24);
    m.outline = rgb(0x6a0638);
    m.outlineWidth = 0.012;
    m.outlineOpacity = 0.45;
    m.glyphHeight = 0.92;
    if (size <= 32) {
        m.glyph.stroke = 0.24;
        m.glyph.dotRadius = 0.12;
        m.outlineWidth = 0.045;
        m.outlineOpacity = 0.8;
        m.shadowOpacity = 0.6;
        m.glyphHeight = 0.88;
    }
    return m;
}

// The help window's motif: a grey question mark with a dark shadow on amber.
Motif helpMotif()
{
    Motif m;
    m.ground = { rgb(0xffc83a), rgb(0xffb000), rgb(0xf09800) };
    m.glyphTop = rgb(0xd4d4d4);
    m.glyphBottom = rgb(0xa8a8a8);
    m.glyphLight = rgb(0xffffff);
    m.glyphShade = rgb(0x505050);
    m.relief = 0.6;
    m.shine = 0.3;
    m.streak = 0.0;
    m.shadow = rgb(0x2a1800);
    m.shadowOpacity = 0.85;
    m.shadowOffset = { 0.06, 0.06 };
    m.shadowBlur = 0.02;
    m.glyph.stroke = 0.22;
    m.glyph.dotRadius = 0.115;
    m.glyphHeight = 0.84;
    return m;
}

void putLe(QByteArray& out, std::uint32_t value, int bytes)
{
    for (int i = 0; i < bytes; ++i)
        out.append(static_cast<char>((value >> (8 * i)) & 0xffu));
}

std::uint32_t rowBytes(int width, int bitsPerPixel)
{
    return static_cast<std::uint32_t>((width * bitsPerPixel + 31) / 32 * 4);
}

// The 40-byte BITMAPINFOHEADER of an uncompressed 24-bit picture whose rows are stored bottom-up.
void putInfoHeader(QByteArray& out, int width, int storedHeight, std::uint32_t imageBytes)
{
    putLe(out, 40, 4); // header size
    putLe(out, static_cast<std::uint32_t>(width), 4);
    putLe(out, static_cast<std::uint32_t>(storedHeight), 4); // positive: bottom-up
    putLe(out, 1, 2); // planes
    putLe(out, 24, 2); // bits per pixel
    putLe(out, 0, 4); // BI_RGB, no compression
    putLe(out, imageBytes, 4);
    putLe(out, 2835, 4); // 72 dots per inch, in pixels per metre
    putLe(out, 2835, 4);
    putLe(out, 0, 4); // no palette
    putLe(out, 0, 4);
}

// The pixels as BGR rows, bottom row first, each padded to four bytes.
void putBottomUpBgr(QByteArray& out, const QImage& image)
{
    const std::uint32_t padding =
        rowBytes(image.width(), 24) - static_cast<std::uint32_t>(image.width()) * 3u;
    for (int y = image.height() - 1; y >= 0; --y) {
        const uchar* rgb = image.constScanLine(y);
        for (int x = 0; x < image.width(); ++x, rgb += 3) {
            out.append(static_cast<char>(rgb[2]));
            out.append(static_cast<char>(rgb[1]));
            out.append(static_cast<char>(rgb[0]));
        }
        out.append(static_cast<qsizetype>(padding), '\0');
    }
}

QByteArray bmpFile(const QImage& image)
{
    const std::uint32_t pixels =
        rowBytes(image.width(), 24) * static_cast<std::uint32_t>(image.height());
    constexpr std::uint32_t kHeaders = 14 + 40;
    QByteArray out;
    out.append("BM");
    putLe(out, kHeaders + pixels, 4);
    putLe(out, 0, 4); // reserved
    putLe(out, kHeaders, 4); // where the pixels start
    putInfoHeader(out, image.width(), image.height(), pixels);
    putBottomUpBgr(out, image);
    return out;
}

// An icon file holding one opaque 24-bit image.
QByteArray icoFile(const QImage& image)
{
    const int size = image.width();
    const std::uint32_t colours = rowBytes(size, 24) * static_cast<std::uint32_t>(size);
    const std::uint32_t mask = rowBytes(size, 1) * static_cast<std::uint32_t>(size);
    constexpr std::uint32_t kDirectory = 6 + 16;
    QByteArray out;
    putLe(out, 0, 2); // reserved
    putLe(out, 1, 2); // an icon, not a cursor
    putLe(out, 1, 2); // one image
    putLe(out, static_cast<std::uint32_t>(size), 1);
    putLe(out, static_cast<std::uint32_t>(size), 1);
    putLe(out, 0, 1); // no palette
    putLe(out, 0, 1); // reserved
    putLe(out, 1, 2); // planes
    putLe(out, 24, 2); // bits per pixel
    putLe(out, 40 + colours + mask, 4);
    putLe(out, kDirectory, 4);
    // The stored height counts the colour rows and the mask rows.
    putInfoHeader(out, size, 2 * size, colours + mask);
    putBottomUpBgr(out, image);
    out.append(static_cast<qsizetype>(mask), '\0'); // every pixel opaque
    return out;
}

bool writeFile(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate)
        || file.write(bytes) != bytes.size()) {
        std::fprintf(stderr, "draw-pictures: cannot write %s\n", qPrintable(path));
        return false;
    }
    std::printf("%s\n", qPrintable(path));
    return true;
}

// A desktop icon of `size` logical pixels drawn at `ratio` times that in pixels (hicolor's "@2"
// folders), into icons/hicolor/<size>x<size>[@2]/apps. The mark's weight follows the logical
// size, so that a doubled icon looks like its single one, only sharper.
bool writeThemeIcon(const QDir& out, int size, int ratio)
{
    const QString folder = QString("icons/hicolor/%1x%1%2/apps")
                               .arg(size)
                               .arg(ratio == 1 ? QString() : QString("@%1").arg(ratio));
    if (!out.mkpath(folder)) {
        std::fprintf(stderr, "draw-pictures: cannot create %s\n", qPrintable(folder));
        return false;
    }
    const int pixels = size * ratio;
    const double corner = pixels * 0.2;
    const double inset = std::floor(size / 32.0) * ratio;
    const QImage icon = draw(coverMotif(size), pixels, pixels, corner, inset).toArgb32();
    const QString path = out.filePath(folder + "/org.dyadora.Dyadora.png");
    if (!icon.save(path, "PNG")) {
        std::fprintf(stderr, "draw-pictures: cannot write %s\n", qPrintable(path));
        return false;
    }
    std::printf("%s\n", qPrintable(path));
    return true;
}

// The page's large icon, icons/web/icon-maskable-512.png: 512 pixels that fill their square edge
// to edge ("maskable": a platform cuts its own shape out of it), with the mark inside the circle
// of 80 % of the size that every such shape keeps.
bool writeWebIcon(const QDir& out)
{
    const QString path = out.filePath("icons/web/icon-maskable-512.png");
    constexpr int kSize = 512;
    Motif motif = coverMotif(kSize);
    motif.glyphHeight *= 0.68;
    if (!out.mkpath("icons/web") || !draw(motif, kSize, kSize).toRgb888().save(path, "PNG")) {
        std::fprintf(stderr, "draw-pictures: cannot write %s\n", qPrintable(path));
        return false;
    }
    std::printf("%s\n", qPrintable(path));
    return true;
}

} // namespace

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: draw-pictures <assets folder>\n");
        return 2;
    }
    const QDir out(QString::fromLocal8Bit(argv[1]));
    bool ok = true;

    // Each built-in picture at its design size, and at twice it for screens of high density
    // (the "@2x" files): the same drawing, with twice the pixels.
    for (const int ratio : { 1, 2 }) {
        const QString suffix = ratio == 1 ? QString() : QString("@2x");
        ok = writeFile(out.filePath("cover" + suffix + ".bmp"),
                 bmpFile(draw(coverMotif(90 * ratio), 120 * ratio, 90 * ratio).toRgb888()))
            && ok;
        ok = writeFile(out.filePath("main-icon" + suffix + ".ico"),
                 icoFile(draw(coverMotif(64 * ratio), 64 * ratio, 64 * ratio).toRgb888()))
            && ok;
        ok = writeFile(out.filePath("help-icon" + suffix + ".ico"),
                 icoFile(draw(helpMotif(), 32 * ratio, 32 * ratio).toRgb888()))
            && ok;
    }

    // Every size of hicolor's index up to 256 pixels, at single and at double density.
    for (const int size : { 16, 22, 24, 32, 36, 48, 64, 72, 96, 128, 192, 256 }) {
        for (const int ratio : { 1, 2 }) {
            if (size * ratio <= 256)
                ok = writeThemeIcon(out, size, ratio) && ok;
        }
    }
    ok = writeWebIcon(out) && ok;
    return ok ? 0 : 1;
}
