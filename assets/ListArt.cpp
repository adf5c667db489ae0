#include "assets/PictureBook.h"
#include "assets/ScreenPalette.h"

#include <QPainter>
#include <QPainterPath>
#include <cmath>

// The small pictures of the main window's lobby lists: a strip of 16 x 16 cells for the user list
// (header arrows, the twelve faces, the mark of a user with rights, where a user is) and one for the
// room tree (server, room, the room entered).
namespace {

constexpr int kCell = 16;

void Arrow(QPainter &p, double x, bool up)
{
    QPainterPath path;
    path.moveTo(x + 4, up ? 11 : 5);
    path.lineTo(x + 12, up ? 11 : 5);
    path.lineTo(x + 8, up ? 4 : 12);
    path.closeSubpath();
    p.fillPath(path, QColor(60, 60, 60));
}

void Dot(QPainter &p, double x, QColor colour)
{
    p.setPen(QPen(colour.darker(150), 1));
    p.setBrush(colour);
    p.drawEllipse(QRectF(x + 3.5, 3.5, 9, 9));
}

QImage UserIcons(const PictureBook &book)
{
    return Drawn(21 * kCell, kCell, [&](QPainter &p) {
        Arrow(p, 2 * kCell, false);
        Arrow(p, 3 * kCell, true);
        for (int n = 1; n <= 12; ++n)
            if (const QImage *face = book.Find("Graphic\\" + std::to_string(n) + ".gif"))
                p.drawImage(QRectF((3 + n) * kCell, 0, kCell, kCell), SeeThrough(*face));
        // A user with rights wears a star.
        QPainterPath star;
        for (int i = 0; i < 10; ++i) {
            const double r = i % 2 ? 3.2 : 7.5, a = 3.14159265 * (i / 5.0 - 0.5);
            const QPointF point(16 * kCell + 8 + r * std::cos(a), 8.5 + r * std::sin(a));
            i ? star.lineTo(point) : star.moveTo(point);
        }
        star.closeSubpath();
        p.fillPath(star, kGold.darker(110));
        Dot(p, 17 * kCell, QColor(170, 170, 170)); // in the lobby
        Dot(p, 18 * kCell, QColor(240, 200, 60));  // seated
        Dot(p, 19 * kCell, QColor(60, 180, 80));   // ready
        Dot(p, 20 * kCell, QColor(210, 50, 50));   // playing
    });
}

QImage RoomIcons()
{
    return Drawn(3 * kCell, kCell, [](QPainter &p) {
        // The server: a screen on its stand.
        p.setPen(QPen(kNight, 1));
        p.setBrush(QColor(120, 160, 210));
        p.drawRect(QRectF(2.5, 2.5, 11, 8));
        p.fillRect(QRectF(6, 11, 4, 2), kNight);
        p.fillRect(QRectF(4, 13, 8, 1.5), kNight);
        // A room: a door, closed; the room entered: open, with light inside.
        for (int i = 1; i <= 2; ++i) {
            const double x = i * kCell;
            p.setPen(QPen(kBrown.darker(130), 1));
            p.setBrush(i == 2 ? QColor(255, 226, 120) : kBrown);
            p.drawRect(QRectF(x + 3.5, 1.5, 9, 13));
            if (i == 2)
                p.fillRect(QRectF(x + 4, 2, 4, 12.5), kBrown);
            p.fillRect(QRectF(x + 10, 8, 1.5, 1.5), kGold);
        }
    });
}

} // namespace

void DrawListIcons(PictureBook &book)
{
    book.AddKeyed("Graphic\\NetForm\\userlist.bmp", UserIcons(book));
    book.AddKeyed("Graphic\\NetForm\\roomtree.bmp", RoomIcons());
}
