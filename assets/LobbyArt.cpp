#include "assets/PictureBook.h"
#include "assets/ScreenPalette.h"

#include <QPainter>
#include <QPainterPath>

// The lobby of online play: its backdrop with the places the game draws into, the tables of the
// grid with their four seats, the ready hand, the page bar's thumb, the chat input and the buttons.
namespace {

// Where the game draws on the backdrop: six cells of 170 x 175 from (28, 80), the page bar at x 547
// from 66 to 436, the lists' panel at (593, 96) 196 x 333, the chat window (38, 480)-(541, 542) with
// its input at (83, 548), the own card at (597, 447) with its record from x 680.
QImage RoomBackground()
{
    return Drawn(800, 600, [](QPainter &p) {
        Felt(p, QRectF(0, 0, 800, 600), QRectF(6, 6, 788, 588));
        Panel(p, QRectF(8, 0, 784, 44), kNight, kNightDeep, kGold, 1.5, 6);
        DrawText(p, QRectF(16, 4, 300, 36), u"Lantile 麻将 游戏大厅", HanFont(22), kGold);
        Panel(p, QRectF(18, 56, 560, 384), kFeltDark.lighter(115), kFeltDark, kGold.darker(140), 1.5, 10);
        Panel(p, QRectF(586, 56, 206, 380), kNight, kNightDeep, kGold, 1.5, 8);
        Panel(p, QRectF(18, 448, 560, 146), kNight, kNightDeep, kGold, 1.5, 8);
        // Paper under the chat window's own backing, which is blended over it: the room's lines are
        // black and red.
        Panel(p, QRectF(33.5, 475.5, 531, 71), kCream, QColor(238, 228, 204), kGold.darker(130), 1, 6);
        Panel(p, QRectF(586, 442, 206, 150), kNight, kNightDeep, kGold, 1.5, 8);
        p.setFont(HanFont(13, false));
        p.setPen(kCream);
        p.drawText(QRectF(30, 548, 50, 24), Qt::AlignRight | Qt::AlignVCenter, QStringLiteral("聊天"));
    });
}

// A round table in the middle of its cell, clear of the four seat spots.
QImage Table(bool playing)
{
    return Drawn(150, 165, [=](QPainter &p) {
        const QColor top = playing ? QColor(160, 60, 40) : QColor(120, 80, 44);
        Panel(p, QRectF(42, 44, 68, 68), top.lighter(125), top.darker(125), kGold, 2, 34);
        p.setBrush(playing ? QColor(40, 140, 90) : kFelt);
        p.setPen(QPen(kGold.darker(130), 1));
        p.drawEllipse(QRectF(52, 54, 48, 48));
        if (playing)
            DrawText(p, QRectF(52, 54, 48, 48), u"对局", HanFont(13), kCream);
    });
}

// An empty chair, opaque over its whole spot, with its wind.
QImage Seat(std::u16string_view wind)
{
    return Drawn(32, 32, [=](QPainter &p) {
        p.fillRect(QRectF(0, 0, 32, 32), kFeltDark);
        Panel(p, QRectF(2, 2, 28, 28), QColor(110, 84, 56), QColor(70, 50, 32), kGold.darker(120), 1.5, 6);
        DrawText(p, QRectF(2, 2, 28, 28), wind, HanFont(15), kCream);
    });
}

// The room chat's input: dark, for the white text the lobby types into it.
QImage ChatInput()
{
    return Drawn(450, 24, [](QPainter &p) {
        Panel(p, QRectF(0.5, 0.5, 449, 23), kNightDeep, kNight, kGold.darker(130), 1, 4);
    });
}

QImage Hand()
{
    return Drawn(14, 14, [](QPainter &p) {
        p.setPen(QPen(QColor(90, 60, 30), 1));
        p.setBrush(QColor(250, 210, 160));
        p.drawRoundedRect(QRectF(2, 5, 10, 8), 3, 3);
        for (int f = 0; f < 4; ++f)
            p.drawRoundedRect(QRectF(2.5 + f * 2.4, 1, 2.2, 6), 1, 1);
    });
}

} // namespace

void DrawLobby(PictureBook &book)
{
    book.AddOpaque("Graphic\\NetForm\\Room.bmp", RoomBackground());
    book.AddKeyed("Graphic\\NetForm\\table.bmp", Table(false));
    book.AddKeyed("Graphic\\NetForm\\tableingame.bmp", Table(true));
    const std::pair<const char *, const char16_t *> seats[] = {{"PS", u"南"}, {"PE", u"东"}, {"PN", u"北"}, {"PW", u"西"}};
    for (const auto &[name, wind] : seats)
        book.AddKeyed(std::string("Graphic\\NetForm\\") + name + ".bmp", Seat(wind));
    book.AddKeyed("Graphic\\NetForm\\handup.bmp", Hand());
    // The page bar's thumb: a track of 335 - 24 pixels gives 19 pixels a page.
    book.AddKeyed("Graphic\\NetForm\\bar.bmp", Button(16, 24, u"", kBrown, 10));
    book.AddKeyed("Graphic\\NetForm\\edit.bmp", ChatInput());
    // The buttons along the top, 66 pixels apart; leaving at the right end; the avatar's under the card,
    // short of the own record's lines at x 680.
    book.AddKeyed("Graphic\\NetForm\\autoadd.bmp", Button(64, 36, u"快速加入", kGreen, 12));
    book.AddKeyed("Graphic\\NetForm\\prev.bmp", Button(64, 36, u"设置", kBlue, 14));
    book.AddKeyed("Graphic\\NetForm\\next.bmp", Button(64, 36, u"网站", kBlue, 14));
    book.AddKeyed("Graphic\\NetForm\\chongzhi.bmp", Button(64, 36, u"充值", kBrown, 14));
    book.AddKeyed("Graphic\\NetForm\\Close.bmp", Button(64, 36, u"离开", kRed, 14));
    book.AddKeyed("Graphic\\NetForm\\btavatar.bmp", Button(68, 30, u"形象", kBrown, 14));
}
