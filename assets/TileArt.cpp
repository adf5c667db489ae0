#include "assets/PictureBook.h"

#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <functional>
#include <string>

// Mahjong tiles: ivory faces on a green back. A face is drawn in a box of 60 x 80 units and scaled
// into every sheet's cell, so all sheets show the same tiles.
namespace {

constexpr double kFaceW = 60;
constexpr double kFaceH = 80;
// Cells of a sheet: 0-8 characters, 9-17 bamboo, 18-26 dots, 27-33 honours, 34-41 flowers, 42 the back.
constexpr int kCells = 43;
constexpr int kBackCell = 42;

const QColor kIvory(251, 247, 234);
const QColor kIvoryShade(236, 228, 204);
const QColor kIvorySide(224, 214, 186);
const QColor kBack(31, 122, 77);
const QColor kBackLight(58, 156, 104);
const QColor kOutline(40, 56, 44);
const QColor kNavy(26, 42, 108);
const QColor kRed(196, 36, 44);
const QColor kGreen(30, 128, 66);
const QColor kBlue(30, 79, 160);

// Where a dot or a stick sits on the face, and its colour.
struct Mark {
    double x, y;
    QColor c;
};

void Dot(QPainter &p, double x, double y, double r, QColor colour)
{
    p.setPen(Qt::NoPen);
    p.setBrush(colour);
    p.drawEllipse(QPointF(x, y), r, r);
    p.setBrush(kIvory);
    p.drawEllipse(QPointF(x, y), r * 0.72, r * 0.72);
    p.setBrush(colour);
    p.drawEllipse(QPointF(x, y), r * 0.5, r * 0.5);
    p.setBrush(kIvory);
    p.drawEllipse(QPointF(x, y), r * 0.18, r * 0.18);
}

void Dots(QPainter &p, int value)
{
    std::vector<Mark> dots;
    double r = 8.5;
    switch (value) {
    case 1:
        Dot(p, 30, 40, 24, kGreen);
        Dot(p, 30, 40, 12, kRed);
        return;
    case 2: dots = {{30, 22, kGreen}, {30, 58, kBlue}}; r = 12; break;
    case 3: dots = {{14, 16, kBlue}, {30, 40, kRed}, {46, 64, kGreen}}; r = 10; break;
    case 4: dots = {{17, 22, kBlue}, {43, 22, kGreen}, {17, 58, kGreen}, {43, 58, kBlue}}; r = 11; break;
    case 5: dots = {{15, 18, kBlue}, {45, 18, kGreen}, {30, 40, kRed}, {15, 62, kGreen}, {45, 62, kBlue}}; r = 10; break;
    case 6:
        dots = {{17, 14, kGreen}, {43, 14, kGreen}, {17, 44, kRed}, {43, 44, kRed}, {17, 67, kRed}, {43, 67, kRed}};
        r = 9.5;
        break;
    case 7:
        dots = {{12, 11, kGreen}, {30, 19, kGreen}, {48, 27, kGreen}, {18, 49, kRed},
                {42, 49, kRed},   {18, 68, kRed},   {42, 68, kRed}};
        break;
    case 8:
        for (int row = 0; row < 4; ++row)
            for (double x : {18.0, 42.0})
                dots.push_back({x, 12.0 + row * 18.5, kBlue});
        break;
    default:
        for (int row = 0; row < 3; ++row)
            for (double x : {12.0, 30.0, 48.0})
                dots.push_back({x, 16.0 + row * 24, row == 0 ? kBlue : row == 1 ? kRed : kGreen});
        break;
    }
    for (const Mark &d : dots)
        Dot(p, d.x, d.y, r, d.c);
}

// A bamboo stick with its joints.
void Stick(QPainter &p, double x, double y, double length, QColor colour, double width = 7)
{
    QRectF stick(x - width / 2, y - length / 2, width, length);
    p.setPen(Qt::NoPen);
    p.setBrush(colour);
    p.drawRoundedRect(stick, width / 2, width / 2);
    p.setBrush(kIvory);
    p.drawRect(QRectF(x - width * 0.12, y - length * 0.36, width * 0.24, length * 0.72));
    p.setBrush(colour.darker(140));
    for (double at : {-0.5, 0.0, 0.5})
        p.drawEllipse(QPointF(x, y + at * length * 0.9), width * 0.62, width * 0.22);
}

// The one of bamboo is a bird standing on a stalk.
void Bird(QPainter &p)
{
    Stick(p, 30, 58, 36, kGreen, 6);
    p.setPen(Qt::NoPen);
    p.setBrush(kGreen);
    QPainterPath tail;
    tail.moveTo(22, 40);
    tail.cubicTo(6, 46, 4, 64, 12, 72);
    tail.cubicTo(16, 60, 22, 52, 30, 46);
    p.drawPath(tail);
    p.setBrush(kBlue);
    p.drawEllipse(QRectF(18, 24, 26, 24));
    p.setBrush(kRed);
    p.drawEllipse(QRectF(34, 12, 15, 15));
    QPainterPath beak;
    beak.moveTo(48, 17);
    beak.lineTo(57, 20);
    beak.lineTo(48, 23);
    p.setBrush(QColor(200, 140, 30));
    p.drawPath(beak);
    p.setBrush(kNavy);
    p.drawEllipse(QPointF(43, 18), 1.8, 1.8);
    p.setBrush(kGreen.lighter(130));
    p.drawEllipse(QRectF(22, 30, 14, 10));
}

void Bamboo(QPainter &p, int value)
{
    std::vector<Mark> sticks;
    double length = 22;
    switch (value) {
    case 1: Bird(p); return;
    case 2: sticks = {{30, 22, kGreen}, {30, 58, kBlue}}; break;
    case 3: sticks = {{30, 22, kGreen}, {18, 58, kBlue}, {42, 58, kBlue}}; break;
    case 4: sticks = {{18, 22, kGreen}, {42, 22, kBlue}, {18, 58, kBlue}, {42, 58, kGreen}}; break;
    case 5: sticks = {{14, 22, kGreen}, {46, 22, kBlue}, {30, 40, kRed}, {14, 58, kBlue}, {46, 58, kGreen}}; break;
    case 6:
        for (double y : {22.0, 58.0})
            for (double x : {12.0, 30.0, 48.0})
                sticks.push_back({x, y, y < 40 ? kGreen : kBlue});
        break;
    case 7:
        sticks = {{30, 13, kRed}};
        for (double y : {41.0, 66.0})
            for (double x : {12.0, 30.0, 48.0})
                sticks.push_back({x, y, kGreen});
        length = 20;
        break;
    case 8:
        for (double y : {22.0, 58.0})
            for (double x : {9.0, 23.0, 37.0, 51.0})
                sticks.push_back({x, y, kGreen});
        break;
    default:
        for (double y : {14.0, 40.0, 66.0})
            for (double x : {12.0, 30.0, 48.0})
                sticks.push_back({x, y, x == 30.0 ? kRed : kGreen});
        length = 20;
        break;
    }
    for (const Mark &s : sticks)
        Stick(p, s.x, s.y, length, s.c, value == 8 ? 6 : 7);
}

void Characters(QPainter &p, int value)
{
    const char16_t *numerals[9] = {u"一", u"二", u"三", u"四", u"五", u"六", u"七", u"八", u"九"};
    DrawText(p, QRectF(0, 0, kFaceW, 38), numerals[value - 1], HanFont(32), kNavy);
    DrawText(p, QRectF(0, 34, kFaceW, 46), u"萬", HanFont(40), kRed);
}

void Honour(QPainter &p, int value)
{
    const char16_t *names[7] = {u"東", u"南", u"西", u"北", u"中", u"發", u"白"};
    const QColor colours[7] = {kNavy, kNavy, kNavy, kNavy, kRed, kGreen, kBlue};
    if (value == 7) {
        p.setPen(QPen(kBlue, 3));
        p.setBrush(Qt::NoBrush);
        p.drawRect(QRectF(9, 12, 42, 56));
        p.setPen(QPen(kBlue, 1.2));
        p.drawRect(QRectF(14, 17, 32, 46));
        DrawText(p, QRectF(0, 0, kFaceW, kFaceH), names[6], HanFont(24), kBlue);
        return;
    }
    DrawText(p, QRectF(0, 0, kFaceW, kFaceH), names[value - 1], HanFont(48), colours[value - 1]);
}

// Flowers 1-4 are the plants, 5-8 the seasons, each group numbered 1-4 in the corner.
void Flower(QPainter &p, int value)
{
    const char16_t *names[8] = {u"梅", u"蘭", u"竹", u"菊", u"春", u"夏", u"秋", u"冬"};
    const char16_t *numbers[4] = {u"1", u"2", u"3", u"4"};
    QColor colour = value <= 4 ? kGreen : kBlue;
    DrawText(p, QRectF(0, 4, kFaceW, 50), names[value - 1], HanFont(36), colour);
    DrawText(p, QRectF(2, 0, 16, 18), numbers[(value - 1) % 4], HanFont(15), kRed);
    // A five-petal blossom under the name.
    p.setPen(Qt::NoPen);
    p.setBrush(value <= 4 ? kRed : QColor(220, 120, 40));
    for (int i = 0; i < 5; ++i) {
        QTransform t;
        t.translate(30, 64);
        t.rotate(i * 72.0);
        p.drawEllipse(t.map(QPointF(0, -6)), 4.5, 4.5);
    }
    p.setBrush(QColor(240, 200, 60));
    p.drawEllipse(QPointF(30, 64), 3.2, 3.2);
}

void Face(QPainter &p, int cell)
{
    if (cell < 9)
        Characters(p, cell + 1);
    else if (cell < 18)
        Bamboo(p, cell - 8);
    else if (cell < 27)
        Dots(p, cell - 17);
    else if (cell < 34)
        Honour(p, cell - 26);
    else
        Flower(p, cell - 33);
}

// The back's pattern: a lighter diamond lattice on the green.
void BackPattern(QPainter &p, const QRectF &area)
{
    p.save();
    p.setClipRect(area);
    p.setPen(QPen(kBackLight, 1.0));
    double step = std::max(5.0, area.width() / 4);
    for (double d = -area.height(); d < area.width() + area.height(); d += step) {
        p.drawLine(QPointF(area.left() + d, area.top()), QPointF(area.left() + d + area.height(), area.bottom()));
        p.drawLine(QPointF(area.left() + d, area.bottom()), QPointF(area.left() + d + area.height(), area.top()));
    }
    p.restore();
}

// Rotation of the face within its cell, in degrees, so that it reads for the seat it faces.
void DrawFaceInto(QPainter &p, const QRectF &face, int cell, int rotation)
{
    p.save();
    p.translate(face.center());
    p.rotate(rotation);
    bool across = rotation % 180 != 0;
    double w = across ? face.height() : face.width();
    double h = across ? face.width() : face.height();
    p.scale(w / kFaceW, h / kFaceH);
    p.translate(-kFaceW / 2, -kFaceH / 2);
    Face(p, cell);
    p.restore();
}

QLinearGradient IvoryGradient(const QRectF &r)
{
    QLinearGradient g(r.topLeft(), r.bottomRight());
    g.setColorAt(0, kIvory);
    g.setColorAt(1, kIvoryShade);
    return g;
}

// A tile lying on the table seen from the front: the top surface (face or back) and, below it, the
// near edge showing the ivory layer and the green back layer.
void LyingTile(QPainter &p, const QRectF &cell, int tile, int rotation, double edge)
{
    QRectF body = cell.adjusted(0.5, 0.5, -0.5, -0.5);
    const double radius = std::min(cell.width(), cell.height()) * 0.12;
    bool faceDown = tile == kBackCell;
    p.setPen(QPen(kOutline, 1));
    p.setBrush(faceDown ? kIvorySide : kBack);
    p.drawRoundedRect(body, radius, radius);
    p.setPen(Qt::NoPen);
    p.setBrush(faceDown ? kBack.darker(115) : kIvorySide);
    p.drawRoundedRect(body.adjusted(0.5, 0.5, -0.5, -edge * 0.45), radius, radius);
    QRectF top = body.adjusted(1, 1, -1, -edge);
    if (faceDown) {
        p.setBrush(kBack);
        p.drawRoundedRect(top, radius, radius);
        BackPattern(p, top.adjusted(2, 2, -2, -2));
        return;
    }
    p.setBrush(IvoryGradient(top));
    p.drawRoundedRect(top, radius, radius);
    DrawFaceInto(p, top.adjusted(1, 1, -1, -1), tile, rotation);
}

// A tile standing toward the viewer: its top edge (green back, then ivory) above the face.
void StandingTile(QPainter &p, const QRectF &cell, int tile)
{
    QRectF body = cell.adjusted(0.5, 0.5, -0.5, -0.5);
    const double radius = cell.width() * 0.12;
    p.setPen(QPen(kOutline, 1));
    p.setBrush(kBack);
    p.drawRoundedRect(body, radius, radius);
    p.setPen(Qt::NoPen);
    if (tile == kBackCell) {
        BackPattern(p, body.adjusted(3, 3, -3, -3));
        return;
    }
    p.setBrush(kIvorySide);
    p.drawRoundedRect(body.adjusted(0.5, 3, -0.5, -0.5), radius, radius);
    QRectF face = body.adjusted(1.5, 6, -1.5, -1.5);
    p.setBrush(IvoryGradient(face));
    p.drawRoundedRect(face, radius, radius);
    DrawFaceInto(p, face.adjusted(1, 1, -1, -2), tile, 0);
}

struct Sheet {
    const char *path;
    int cellW, cellH;
    bool standing;
    int rotation;
    double edge;
};

void DrawSheet(PictureBook &book, const Sheet &sheet)
{
    QImage image = Canvas(sheet.cellW * kCells, sheet.cellH);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    p.setRenderHint(QPainter::TextAntialiasing);
    for (int cell = 0; cell < kCells; ++cell) {
        QRectF rect(cell * sheet.cellW, 0, sheet.cellW, sheet.cellH);
        if (sheet.standing)
            StandingTile(p, rect, cell);
        else
            LyingTile(p, rect, cell, sheet.rotation, sheet.edge);
    }
    p.end();
    book.AddKeyed(sheet.path, image);
}

// Tiles seen from behind or from the side, and the wall stacks.
QImage Piece(int w, int h, const std::function<void(QPainter &, QRectF)> &draw)
{
    return Drawn(w, h, [&](QPainter &p) { draw(p, QRectF(0, 0, w, h).adjusted(0.5, 0.5, -0.5, -0.5)); });
}

void Slab(QPainter &p, const QRectF &r, QColor colour, double radius)
{
    p.setBrush(colour);
    p.drawRoundedRect(r, radius, radius);
}

// A standing tile of a side seat: the narrow side with its ivory and green layers, and the top.
QImage SideTile(bool mirrored)
{
    return Piece(18, 34, [&](QPainter &p, QRectF r) {
        p.setPen(QPen(kOutline, 1));
        Slab(p, r, kBack, 2.5);
        p.setPen(Qt::NoPen);
        QRectF ivory = mirrored ? r.adjusted(0.5, 0.5, -7, -0.5) : r.adjusted(7, 0.5, -0.5, -0.5);
        Slab(p, ivory, kIvorySide, 2);
        Slab(p, QRectF(r.left() + 0.5, r.top() + 0.5, r.width() - 1, 5), kBackLight, 2);
    });
}

// A wall tile from above: the green back with the near edge below it.
QImage WallTile(int w, int h, double edge)
{
    return Piece(w, h, [&](QPainter &p, QRectF r) {
        p.setPen(QPen(kOutline, 1));
        Slab(p, r, kIvorySide, 2.5);
        p.setPen(Qt::NoPen);
        Slab(p, r.adjusted(0.5, 0.5, -0.5, -edge * 0.5), kBack.darker(115), 2.5);
        QRectF top = r.adjusted(1, 1, -1, -edge);
        Slab(p, top, kBack, 2.5);
        BackPattern(p, top.adjusted(2, 2, -2, -2));
    });
}

} // namespace

void DrawTiles(PictureBook &book)
{
    const Sheet sheets[] = {
        {"Graphic\\zjzl.bmp", 36, 52, true, 0, 0},  {"Graphic\\zmp.bmp", 26, 36, false, 0, 6},
        {"Graphic\\zjpd.bmp", 30, 42, false, 0, 7}, {"Graphic\\djpd.bmp", 26, 36, false, 180, 6},
        {"Graphic\\xjpd.bmp", 36, 28, false, -90, 6}, {"Graphic\\sjpd.bmp", 36, 28, false, 90, 6},
        // The score screen's row holds a winning hand of four kongs across its width.
        {"Graphic\\ScoreForm\\mj.bmp", 28, 38, false, 0, 6},
    };
    for (const Sheet &sheet : sheets)
        DrawSheet(book, sheet);
    book.AddKeyed("Graphic\\djlq.bmp", Piece(26, 38, [](QPainter &p, QRectF r) {
        p.setPen(QPen(kOutline, 1));
        Slab(p, r, kIvorySide, 3);
        p.setPen(Qt::NoPen);
        QRectF back = r.adjusted(0.5, 0.5, -0.5, -6);
        Slab(p, back, kBack, 3);
        BackPattern(p, back.adjusted(3, 3, -3, -3));
    }));
    book.AddKeyed("Graphic\\xjcm.bmp", SideTile(false));
    book.AddKeyed("Graphic\\sjcm.bmp", SideTile(true));
    book.AddKeyed("Graphic\\cc2.bmp", WallTile(24, 30, 8));
    book.AddKeyed("Graphic\\cc1.bmp", WallTile(28, 22, 6));
}
