#include "assets/PictureBook.h"

#include "assets/Pictures.h"
#include "assets/ScreenPalette.h"

#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QString>
#include <cstdio>
#include <fstream>
#include <gd.h>

namespace {

const QRgb kKey = qRgb(255, 0, 255);

// RGB565 keeps the top 5, 6 and 5 bits; a visible colour with the key's top bits would vanish.
bool TruncatesToKey(QRgb c)
{
    return qRed(c) >= 248 && qGreen(c) <= 3 && qBlue(c) >= 248;
}

// Opaque pixels, with anything less than half covered turned into the key.
QImage KeyOut(const QImage &picture)
{
    QImage argb = picture.convertToFormat(QImage::Format_ARGB32);
    QImage out(argb.size(), QImage::Format_RGB32);
    for (int y = 0; y < argb.height(); ++y) {
        const QRgb *from = reinterpret_cast<const QRgb *>(argb.constScanLine(y));
        QRgb *to = reinterpret_cast<QRgb *>(out.scanLine(y));
        for (int x = 0; x < argb.width(); ++x) {
            QRgb c = from[x];
            if (qAlpha(c) < 128)
                to[x] = kKey;
            else
                to[x] = TruncatesToKey(c) ? qRgb(qRed(c), 8, qBlue(c)) : qRgb(qRed(c), qGreen(c), qBlue(c));
        }
    }
    return out;
}

void Put16(std::string &out, uint32_t v)
{
    out.push_back(static_cast<char>(v));
    out.push_back(static_cast<char>(v >> 8));
}

void Put32(std::string &out, uint32_t v)
{
    Put16(out, v & 0xFFFF);
    Put16(out, v >> 16);
}

// 24-bit, uncompressed, bottom-up: the plainest BMP every reader takes.
std::string EncodeBmp(const QImage &rgb)
{
    const uint32_t w = static_cast<uint32_t>(rgb.width());
    const uint32_t h = static_cast<uint32_t>(rgb.height());
    const uint32_t stride = (w * 3 + 3) & ~3u;
    std::string out;
    out.reserve(54 + stride * h);
    out += "BM";
    Put32(out, 54 + stride * h);
    Put32(out, 0);
    Put32(out, 54);
    Put32(out, 40);
    Put32(out, w);
    Put32(out, h);
    Put16(out, 1);
    Put16(out, 24);
    Put32(out, 0);
    Put32(out, stride * h);
    Put32(out, 2835);
    Put32(out, 2835);
    Put32(out, 0);
    Put32(out, 0);
    for (int y = static_cast<int>(h) - 1; y >= 0; --y) {
        const QRgb *row = reinterpret_cast<const QRgb *>(rgb.constScanLine(y));
        for (uint32_t x = 0; x < w; ++x) {
            out.push_back(static_cast<char>(qBlue(row[x])));
            out.push_back(static_cast<char>(qGreen(row[x])));
            out.push_back(static_cast<char>(qRed(row[x])));
        }
        out.append(stride - w * 3, '\0');
    }
    return out;
}

bool WriteFile(const std::filesystem::path &file, const std::string &bytes)
{
    std::ofstream out(file, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    return static_cast<bool>(out.flush());
}

// Palette GIF through libgd: the key colour's palette entry is made exact and transparent.
bool WriteGif(const std::filesystem::path &file, const QImage &keyed)
{
    gdImagePtr image = gdImageCreateTrueColor(keyed.width(), keyed.height());
    for (int y = 0; y < keyed.height(); ++y)
        for (int x = 0; x < keyed.width(); ++x) {
            QRgb c = keyed.pixel(x, y);
            gdImageSetPixel(image, x, y, gdTrueColor(qRed(c), qGreen(c), qBlue(c)));
        }
    gdImageTrueColorToPalette(image, 0, 255);
    int key = gdImageColorClosest(image, 255, 0, 255);
    image->red[key] = 255;
    image->green[key] = 0;
    image->blue[key] = 255;
    gdImageColorTransparent(image, key);
    int size = 0;
    void *bytes = gdImageGifPtr(image, &size);
    bool ok = bytes != nullptr && WriteFile(file, std::string(static_cast<const char *>(bytes), static_cast<size_t>(size)));
    gdFree(bytes);
    gdImageDestroy(image);
    return ok;
}

} // namespace

PictureBook::PictureBook(std::filesystem::path folder) : folder_(std::move(folder)) {}

std::filesystem::path PictureBook::File(const std::string &path) const
{
    std::string relative = path;
    for (char &c : relative)
        if (c == '\\')
            c = '/';
    std::filesystem::path file = folder_ / relative;
    std::filesystem::create_directories(file.parent_path());
    return file;
}

void PictureBook::AddKeyed(const std::string &path, const QImage &picture)
{
    QImage keyed = KeyOut(picture);
    ok_ = WriteFile(File(path), EncodeBmp(keyed)) && ok_;
    entries_.push_back({path, keyed});
}

void PictureBook::AddOpaque(const std::string &path, const QImage &picture)
{
    QImage rgb = picture.convertToFormat(QImage::Format_RGB32);
    ok_ = WriteFile(File(path), EncodeBmp(rgb)) && ok_;
    entries_.push_back({path, rgb});
}

void PictureBook::AddGif(const std::string &path, const QImage &picture)
{
    QImage keyed = KeyOut(picture);
    ok_ = WriteGif(File(path), keyed) && ok_;
    entries_.push_back({path, keyed});
}

const QImage *PictureBook::Find(std::string_view path) const
{
    for (const Entry &entry : entries_)
        if (entry.path == path)
            return &entry.image;
    return nullptr;
}

void PictureBook::Fail(const std::string &why)
{
    std::fprintf(stderr, "lantile_assets: %s\n", why.c_str());
    ok_ = false;
}

QImage SeeThrough(const QImage &keyed)
{
    QImage image = keyed.convertToFormat(QImage::Format_ARGB32);
    for (int y = 0; y < image.height(); ++y) {
        QRgb *row = reinterpret_cast<QRgb *>(image.scanLine(y));
        for (int x = 0; x < image.width(); ++x)
            if ((row[x] & 0xFFFFFF) == (kKey & 0xFFFFFF))
                row[x] = 0;
    }
    return image;
}

QImage Canvas(int width, int height)
{
    QImage image(width, height, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    return image;
}

QImage Drawn(int width, int height, const std::function<void(QPainter &)> &draw)
{
    QImage image = Canvas(width, height);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    p.setRenderHint(QPainter::TextAntialiasing);
    draw(p);
    return image;
}

void Panel(QPainter &painter, const QRectF &box, QColor top, QColor bottom, QColor rim, double rimWidth, double radius)
{
    QLinearGradient shade(box.topLeft(), box.bottomLeft());
    shade.setColorAt(0, top);
    shade.setColorAt(1, bottom);
    painter.setPen(QPen(rim, rimWidth));
    painter.setBrush(shade);
    painter.drawRoundedRect(box, radius, radius);
}

void Felt(QPainter &painter, const QRectF &area, const QRectF &rim)
{
    QLinearGradient felt(0, 0, 0, 600);
    felt.setColorAt(0, kFelt);
    felt.setColorAt(1, kFeltDark);
    painter.fillRect(area, felt);
    painter.setPen(QPen(kGold, 2));
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(rim);
}

QFont HanFont(double pixels, bool bold)
{
    QFont font(QStringLiteral("WenQuanYi Micro Hei"));
    font.setPixelSize(std::max(1, static_cast<int>(pixels + 0.5)));
    font.setBold(bold);
    font.setStyleStrategy(QFont::PreferAntialias);
    return font;
}

void DrawText(QPainter &painter, const QRectF &box, std::u16string_view text, const QFont &font, QColor colour,
              QColor outline, double outlineWidth)
{
    QString string = QString::fromUtf16(text.data(), static_cast<qsizetype>(text.size()));
    if (outlineWidth <= 0) {
        painter.setFont(font);
        painter.setPen(colour);
        painter.drawText(box, Qt::AlignCenter, string);
        return;
    }
    // An outline needs the glyphs as a path, centred as drawText would centre them.
    QPainterPath path;
    path.addText(0, 0, font, string);
    QRectF bounds = path.boundingRect();
    path.translate(box.center() - bounds.center());
    painter.save();
    painter.setPen(QPen(outline, outlineWidth, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    painter.setBrush(Qt::NoBrush);
    painter.drawPath(path);
    painter.setPen(Qt::NoPen);
    painter.setBrush(colour);
    painter.drawPath(path);
    painter.restore();
}

bool WritePictures(const std::filesystem::path &folder)
{
    PictureBook book(folder);
    DrawTiles(book);
    DrawTable(book);
    DrawSigns(book);
    DrawAvatars(book);
    DrawListIcons(book);
    DrawWidgets(book);
    DrawMessageScreens(book);
    DrawOnlineScreens(book);
    DrawLobby(book);
    DrawGameScreens(book);
    DrawScoreScreen(book);
    DrawHelp(book);
    // The sheet goes beside the data folder (the build folder), not into it.
    std::filesystem::path data = std::filesystem::absolute(folder).lexically_normal();
    if (!data.has_filename())
        data = data.parent_path();
    return book.Ok() && WriteContactSheet(book, data.parent_path() / "contact-sheet.png") &&
           WriteResourceLists(book, data);
}
