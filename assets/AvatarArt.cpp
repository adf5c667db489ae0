#include "assets/PictureBook.h"

#include <QPainter>
#include <QPainterPath>
#include <string>

// Twelve cartoon faces for the seats and the user lists, and the empty avatar frame.
namespace {

struct Look {
    QColor skin, hair, shirt;
    bool longHair;
    bool glasses;
};

// Pictures 1-6 are women and 7-12 men: a seat's sex follows from its picture number.
const Look kLooks[12] = {
    {{245, 210, 180}, {60, 35, 20}, {200, 120, 40}, true, false},
    {{245, 215, 185}, {120, 70, 30}, {150, 60, 150}, true, true},
    {{240, 205, 170}, {15, 15, 15}, {220, 90, 110}, true, false},
    {{250, 220, 190}, {170, 110, 50}, {90, 150, 60}, true, false},
    {{245, 205, 175}, {35, 25, 30}, {40, 60, 140}, true, true},
    {{235, 200, 170}, {80, 45, 30}, {230, 150, 60}, true, false},
    {{240, 200, 165}, {40, 30, 25}, {40, 90, 170}, false, false},
    {{225, 185, 150}, {20, 20, 20}, {170, 40, 40}, false, true},
    {{210, 170, 130}, {30, 25, 20}, {40, 130, 80}, false, false},
    {{230, 190, 155}, {90, 90, 90}, {60, 60, 70}, false, true},
    {{200, 160, 120}, {50, 30, 20}, {30, 120, 140}, false, false},
    {{220, 180, 140}, {25, 20, 20}, {120, 80, 40}, false, false},
};

QImage Face(const Look &look)
{
    QImage image = Canvas(57, 56);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(QColor(40, 30, 30), 1));
    p.setBrush(look.shirt);
    p.drawRoundedRect(QRectF(8, 42, 41, 20), 10, 10);
    if (look.longHair) {
        p.setBrush(look.hair);
        p.drawRoundedRect(QRectF(12, 8, 33, 38), 12, 12);
    }
    p.setBrush(look.skin);
    p.drawEllipse(QRectF(15, 8, 27, 32));
    p.setBrush(look.hair);
    QPainterPath hair;
    hair.moveTo(14, 22);
    hair.cubicTo(12, 4, 45, 2, 43, 22);
    hair.cubicTo(36, 14, 22, 14, 14, 22);
    p.drawPath(hair);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(30, 30, 30));
    p.drawEllipse(QPointF(23.5, 25), 1.8, 2.2);
    p.drawEllipse(QPointF(33.5, 25), 1.8, 2.2);
    p.setPen(QPen(QColor(150, 60, 50), 1.3));
    p.setBrush(Qt::NoBrush);
    p.drawArc(QRectF(24, 28, 9, 6), 200 * 16, 140 * 16);
    if (look.glasses) {
        p.setPen(QPen(QColor(30, 30, 30), 1.1));
        p.drawEllipse(QPointF(23.5, 25), 4, 3.5);
        p.drawEllipse(QPointF(33.5, 25), 4, 3.5);
        p.drawLine(QPointF(27.5, 25), QPointF(29.5, 25));
    }
    return image;
}

QImage NoAvatar()
{
    QImage image = Canvas(57, 56);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(QColor(200, 170, 90), 2));
    p.setBrush(QColor(40, 50, 45));
    p.drawRoundedRect(QRectF(2, 2, 53, 52), 6, 6);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(90, 100, 95));
    p.drawEllipse(QRectF(19, 10, 19, 22));
    p.drawRoundedRect(QRectF(12, 34, 33, 18), 9, 9);
    return image;
}

} // namespace

void DrawAvatars(PictureBook &book)
{
    for (int n = 1; n <= 12; ++n)
        book.AddGif("Graphic\\" + std::to_string(n) + ".gif", Face(kLooks[n - 1]));
    book.AddKeyed("Graphic\\avatarnone.bmp", NoAvatar());
    // The name screen's twelve avatars side by side, 58 x 58 each.
    QImage strip = Canvas(12 * 58, 58);
    QPainter p(&strip);
    for (int n = 0; n < 12; ++n)
        p.drawImage(n * 58, 1, Face(kLooks[n]));
    p.end();
    book.AddKeyed("Graphic\\InputName\\djhzj.bmp", strip);
    // The lobby's seats: the twelve faces in 32 x 32 cells.
    QImage small = Canvas(12 * 32, 32);
    QPainter ps(&small);
    ps.setRenderHint(QPainter::SmoothPixmapTransform);
    for (int n = 0; n < 12; ++n)
        ps.drawImage(QRectF(n * 32, 0, 32, 32), Face(kLooks[n]));
    ps.end();
    book.AddKeyed("Graphic\\Face\\xtx.bmp", small);
    // The lobby's own card without a picture: each face larger, over its shirt, in 80 x 125 cells.
    QImage roles = Canvas(12 * 80, 125);
    QPainter pr(&roles);
    pr.setRenderHint(QPainter::Antialiasing);
    pr.setRenderHint(QPainter::SmoothPixmapTransform);
    for (int n = 0; n < 12; ++n) {
        pr.setPen(QPen(QColor(40, 30, 30), 1));
        pr.setBrush(kLooks[n].shirt);
        pr.drawRoundedRect(QRectF(n * 80 + 6, 70, 68, 70), 22, 22);
        pr.drawImage(QRectF(n * 80 + 2, 4, 76, 75), Face(kLooks[n]));
    }
    pr.end();
    book.AddKeyed("Graphic\\NetForm\\role.bmp", roles);
    // The default pictures of users without an avatar of their own.
    book.AddGif("male.gif", Face(kLooks[6]));
    book.AddGif("female.gif", Face(kLooks[0]));
}
