#include "assets/PictureBook.h"

#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>
#include <cmath>
#include <numbers>
#include <string>

// The table itself and the things that lie or move on it: felt, compass, dice, chips, the hand.
namespace {

const QColor kFelt(22, 98, 62);
const QColor kFeltDark(12, 64, 40);
const QColor kWood(112, 62, 28);
const QColor kGold(232, 188, 72);
const QColor kOutline(30, 30, 30);

void Felt(QPainter &p, const QRectF &r)
{
    QRadialGradient g(r.center(), r.width() * 0.6);
    g.setColorAt(0, kFelt.lighter(115));
    g.setColorAt(1, kFeltDark);
    p.fillRect(r, g);
}

QImage Room()
{
    return Drawn(800, 600, [](QPainter &p) {
        QLinearGradient wood(0, 0, 800, 600);
        wood.setColorAt(0, kWood.lighter(120));
        wood.setColorAt(1, kWood.darker(130));
        p.fillRect(0, 0, 800, 600, wood);
        Felt(p, QRectF(14, 14, 772, 572));
        p.setPen(QPen(kGold.darker(150), 2));
        p.setBrush(Qt::NoBrush);
        p.drawRect(QRectF(15, 15, 770, 570));
        // A faint woven texture so the felt does not look flat.
        p.setPen(QPen(QColor(255, 255, 255, 8), 1));
        for (int y = 18; y < 584; y += 3)
            p.drawLine(16, y, 784, y);
    });
}

QImage LoadGame()
{
    return Drawn(800, 600, [](QPainter &p) {
        Felt(p, QRectF(0, 0, 800, 600));
        DrawText(p, QRectF(0, 200, 800, 120), u"国标麻将", HanFont(72), kGold, QColor(60, 30, 0), 4);
        DrawText(p, QRectF(0, 330, 800, 40), u"正在载入…", HanFont(24, false), QColor(235, 235, 220));
        DrawText(p, QRectF(0, 380, 800, 30), u"Lantile", HanFont(20, false), QColor(200, 220, 200));
    });
}

QImage Logo()
{
    return Drawn(300, 200, [](QPainter &p) {
        p.setPen(QPen(kGold.darker(140), 3));
        p.setBrush(QColor(150, 24, 30));
        p.drawRoundedRect(QRectF(4, 4, 292, 192), 24, 24);
        DrawText(p, QRectF(0, 28, 300, 100), u"麻将", HanFont(80), kGold, QColor(70, 10, 10), 3);
        DrawText(p, QRectF(0, 130, 300, 40), u"Lantile", HanFont(30), QColor(250, 240, 220));
    });
}

// The chip plate under each seat's name and score; its corner pixel gives the program its colour key.
QImage ChipPlate()
{
    return Drawn(98, 30, [](QPainter &p) {
        Panel(p, QRectF(1, 1, 96, 28), QColor(70, 50, 30), QColor(35, 22, 12), kGold, 1.5, 8);
    });
}

QImage Chip()
{
    return Drawn(30, 20, [](QPainter &p) {
        p.setPen(QPen(kOutline, 1));
        p.setBrush(QColor(180, 30, 36));
        p.drawEllipse(QRectF(1, 5, 28, 14));
        p.drawEllipse(QRectF(1, 1, 28, 14));
        p.setPen(QPen(QColor(245, 245, 240), 2, Qt::DashLine));
        p.setBrush(Qt::NoBrush);
        p.drawEllipse(QRectF(4, 3, 22, 10));
    });
}

// One die face with its pips; ones and fours are red as on Chinese dice.
void DieFace(QPainter &p, const QRectF &cell, int face, double tilt)
{
    p.save();
    p.translate(cell.center());
    p.rotate(tilt);
    QRectF die(-14, -14, 28, 28);
    p.setPen(QPen(kOutline, 1));
    p.setBrush(QColor(250, 250, 244));
    p.drawRoundedRect(die, 5, 5);
    static const double pips[7][6][2] = {
        {},
        {{0, 0}},
        {{-6, -6}, {6, 6}},
        {{-7, -7}, {0, 0}, {7, 7}},
        {{-6, -6}, {6, -6}, {-6, 6}, {6, 6}},
        {{-7, -7}, {7, -7}, {0, 0}, {-7, 7}, {7, 7}},
        {{-6, -8}, {6, -8}, {-6, 0}, {6, 0}, {-6, 8}, {6, 8}},
    };
    p.setPen(Qt::NoPen);
    p.setBrush(face == 1 || face == 4 ? QColor(200, 20, 30) : QColor(20, 20, 20));
    double r = face == 1 ? 5 : 2.6;
    for (int i = 0; i < face; ++i)
        p.drawEllipse(QPointF(pips[face][i][0], pips[face][i][1]), r, r);
    p.restore();
}

// Cells of 33: 0-6 the faces (0 repeats the one), 6-21 the tumbling frames starting from the six.
QImage Dice()
{
    return Drawn(726, 33, [](QPainter &p) {
        for (int cell = 0; cell < 7; ++cell)
            DieFace(p, QRectF(cell * 33, 0, 33, 33), cell == 0 ? 1 : cell, 0);
        for (int step = 1; step < 16; ++step)
            DieFace(p, QRectF((6 + step) * 33, 0, 33, 33), (step * 5) % 6 + 1, step * 23.0);
    });
}

// The centre compass: an arrow towards each seat, the one whose turn it is (lit, 0-3 in seat order:
// bottom, right, top, left; -1 none) glowing. It names no wind: the seats' winds stand beside them
// and change every hand.
QImage Compass(int lit, bool dark)
{
    return Drawn(106, 106, [&](QPainter &p) {
        QRectF r(3, 3, 100, 100);
        p.setPen(QPen(kGold.darker(dark ? 200 : 120), 3));
        p.setBrush(dark ? QColor(20, 40, 30) : QColor(24, 56, 40));
        p.drawRoundedRect(r, 16, 16);
        // The arrow towards the bottom seat; the others are it turned a quarter at a time.
        QPainterPath arrow;
        arrow.moveTo(53, 92);
        arrow.lineTo(35, 70);
        arrow.lineTo(71, 70);
        arrow.closeSubpath();
        for (int seat = 0; seat < 4; ++seat) {
            const bool on = seat == lit;
            p.save();
            p.translate(53, 53);
            p.rotate(-90.0 * seat);
            p.translate(-53, -53);
            if (on) {
                QRadialGradient glow(53, 78, 24);
                glow.setColorAt(0, QColor(255, 236, 140, 230));
                glow.setColorAt(1, QColor(255, 236, 140, 0));
                p.setPen(Qt::NoPen);
                p.setBrush(glow);
                p.drawEllipse(QPointF(53, 78), 24, 24);
            }
            p.setPen(QPen(on ? QColor(120, 60, 0) : kGold.darker(dark ? 260 : 190), 1.5));
            p.setBrush(on ? QColor(255, 210, 60) : QColor(34, 74, 54));
            p.drawPath(arrow);
            p.restore();
        }
        p.setPen(Qt::NoPen);
        p.setBrush(kGold.darker(dark ? 180 : 100));
        p.drawEllipse(QPointF(53, 53), 9, 9);
    });
}

QImage Vidi()
{
    return Drawn(106, 106, [](QPainter &p) {
        QRadialGradient g(53, 53, 50);
        g.setColorAt(0, QColor(250, 220, 120, 230));
        g.setColorAt(1, QColor(250, 220, 120, 0));
        p.setPen(Qt::NoPen);
        p.setBrush(g);
        p.drawEllipse(QRectF(3, 3, 100, 100));
    });
}

// A growing, fading ring: frame n of twelve.
QImage Glow(int frame)
{
    return Drawn(80, 80, [&](QPainter &p) {
        // Sprites are keyed, not blended: the ring fades by darkening.
        double t = frame / 11.0;
        const int green = static_cast<int>(215 - 110 * t);
        p.setPen(QPen(QColor(250, green, 60), 3 + 3 * (1 - t)));
        p.setBrush(Qt::NoBrush);
        double r = 12 + 24 * t;
        p.drawEllipse(QPointF(40, 40), r, r);
        p.setPen(QPen(QColor(250, green + 35, 150), 1.5));
        p.drawEllipse(QPointF(40, 40), r * 0.7, r * 0.7);
    });
}

void Sparkle(QPainter &p, QPointF c, double size)
{
    QPainterPath star;
    for (int i = 0; i < 8; ++i) {
        double angle = i * std::numbers::pi / 4;
        double r = i % 2 == 0 ? size : size * 0.3;
        QPointF point = c + QPointF(std::cos(angle) * r, std::sin(angle) * r);
        i == 0 ? star.moveTo(point) : star.lineTo(point);
    }
    star.closeSubpath();
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(255, 240, 150));
    p.drawPath(star);
}

QImage Sparkling()
{
    return Drawn(80, 20, [](QPainter &p) {
        const double sizes[4] = {4, 7, 9.5, 6};
        for (int cell = 0; cell < 4; ++cell)
            Sparkle(p, QPointF(cell * 20 + 10, 10), sizes[cell]);
    });
}

// The frame around the tile just discarded, one cell per seat, opening toward that seat.
QImage DiscardFrames()
{
    return Drawn(356, 103, [](QPainter &p) {
        for (int seat = 0; seat < 4; ++seat) {
            QRectF cell(seat * 89, 0, 89, 103);
            p.setPen(QPen(QColor(255, 200, 40), 3));
            p.setBrush(Qt::NoBrush);
            p.drawRoundedRect(cell.adjusted(4, 4, -4, -4), 8, 8);
            p.setPen(QPen(QColor(255, 240, 170), 1));
            p.drawRoundedRect(cell.adjusted(8, 8, -8, -8), 6, 6);
        }
    });
}

// A hand reaching down in four frames, lower and lower.
void HandShape(QPainter &p, const QRectF &cell, double reach)
{
    p.save();
    p.translate(cell.left(), cell.top() + reach);
    p.setPen(QPen(QColor(120, 70, 40), 1.5));
    p.setBrush(QColor(238, 196, 160));
    p.drawRoundedRect(QRectF(32, 0, 50, 90), 14, 14);
    for (int f = 0; f < 4; ++f)
        p.drawRoundedRect(QRectF(30 + f * 13, 80, 12, 44 - std::abs(f - 1.5) * 6), 6, 6);
    p.drawRoundedRect(QRectF(78, 50, 14, 36), 7, 7);
    p.setBrush(QColor(40, 60, 120));
    p.drawRect(QRectF(30, 0, 54, 24));
    p.restore();
}

QImage Hand()
{
    return Drawn(456, 209, [](QPainter &p) {
        for (int frame = 0; frame < 4; ++frame)
            HandShape(p, QRectF(frame * 114, 0, 114, 209), frame * 22.0);
    });
}

QImage HandBack()
{
    return Drawn(114, 209, [](QPainter &p) {
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(0, 0, 0, 150));
        p.drawEllipse(QRectF(20, 150, 74, 40));
    });
}

QImage Cursor()
{
    return Drawn(20, 20, [](QPainter &p) {
        QPainterPath arrow;
        arrow.moveTo(10, 19);
        arrow.lineTo(2, 8);
        arrow.lineTo(7, 8);
        arrow.lineTo(7, 1);
        arrow.lineTo(13, 1);
        arrow.lineTo(13, 8);
        arrow.lineTo(18, 8);
        arrow.closeSubpath();
        p.setPen(QPen(QColor(90, 40, 0), 1.2));
        p.setBrush(QColor(255, 200, 40));
        p.drawPath(arrow);
    });
}

// A small table with a tile on each side: the emblem of the mahjong desk.
QImage DeskEmblem()
{
    return Drawn(60, 40, [](QPainter &p) {
        p.setPen(QPen(kWood.darker(130), 2));
        p.setBrush(kFelt);
        p.drawRoundedRect(QRectF(10, 4, 40, 32), 4, 4);
        p.setPen(QPen(QColor(40, 56, 44), 0.8));
        p.setBrush(QColor(251, 247, 234));
        const QRectF tiles[4] = {{26, 27, 8, 8}, {42, 16, 8, 8}, {26, 5, 8, 8}, {10, 16, 8, 8}};
        for (const QRectF &tile : tiles)
            p.drawRoundedRect(tile.adjusted(1, 1, -1, -1), 1.5, 1.5);
    });
}

} // namespace

void DrawTable(PictureBook &book)
{
    book.AddKeyed("Graphic\\chouma.bmp", ChipPlate());
    book.AddKeyed("Graphic\\chouma1.bmp", Chip());
    book.AddOpaque("Graphic\\Room.bmp", Room());
    book.AddOpaque("Graphic\\LoadGame.bmp", LoadGame());
    book.AddKeyed("Graphic\\Logo.bmp", Logo());
    QImage black(800, 600, QImage::Format_RGB32);
    black.fill(QColor(4, 4, 4));
    book.AddOpaque("Graphic\\black.bmp", black);
    book.AddKeyed("Graphic\\Dice.bmp", Dice());
    book.AddKeyed("Graphic\\Center\\1-1.bmp", Compass(-1, false));
    for (int seat = 0; seat < 4; ++seat)
        book.AddKeyed("Graphic\\Center\\1-" + std::to_string(seat + 2) + ".bmp", Compass(seat, false));
    book.AddKeyed("Graphic\\Center\\1-6.bmp", Compass(-1, true));
    book.AddKeyed("Graphic\\Center\\vidi.bmp", Vidi());
    for (int frame = 0; frame < 12; ++frame)
        book.AddKeyed("Graphic\\Effect_" + std::to_string(frame) + ".bmp", Glow(frame));
    book.AddKeyed("Graphic\\sparkling.bmp", Sparkling());
    book.AddKeyed("Graphic\\chupaikuang.bmp", DiscardFrames());
    book.AddKeyed("Graphic\\hand.bmp", Hand());
    book.AddKeyed("Graphic\\handback.bmp", HandBack());
    book.AddKeyed("Graphic\\cursor.bmp", Cursor());
    book.AddKeyed("Graphic\\DeskMj.bmp", DeskEmblem());
}
