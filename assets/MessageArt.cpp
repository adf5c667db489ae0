#include "assets/PictureBook.h"
#include "assets/ScreenPalette.h"

#include <QPainter>

// The small screens that stand over others: the message with OK (also the notice without buttons),
// the invitation received, and the form for inviting a player. Each is a dark panel with rounded,
// see-through corners; their texts are written on it in white by the game.
namespace {

QImage DarkPanel(int w, int h, const std::function<void(QPainter &)> &more = {})
{
    return Drawn(w, h, [&](QPainter &p) {
        Panel(p, QRectF(1, 1, w - 2, h - 2), kNight, kNightDeep, kGold, 2, 10);
        if (more)
            more(p);
    });
}

// The invitation form: a title, a line that says what to do, and a light well where the main
// window's list of users stands (its corner at (12, 70)).
QImage InviteForm()
{
    return DarkPanel(336, 352, [](QPainter &p) {
        DrawText(p, QRectF(0, 12, 336, 30), u"邀请玩家", HanFont(20), kGold);
        DrawText(p, QRectF(0, 44, 336, 20), u"选择一位玩家，再单击“邀请”", HanFont(13, false), kCream);
        p.setPen(QPen(kGold.darker(130), 1));
        p.setBrush(QColor(244, 240, 228));
        p.drawRect(QRectF(11.5, 69.5, 313, 233));
    });
}

// The About box's picture: a Red Dragon tile standing on its green back.
QImage AboutTile()
{
    return Drawn(32, 32, [](QPainter &p) {
        p.fillRect(QRectF(0, 0, 32, 32), QColor(240, 240, 240));
        Panel(p, QRectF(5, 3, 23, 28), QColor(40, 140, 80), QColor(20, 90, 50), QColor(10, 60, 30), 1, 4);
        Panel(p, QRectF(4, 1, 23, 27), QColor(255, 253, 244), QColor(232, 226, 208), QColor(150, 140, 120), 1, 4);
        DrawText(p, QRectF(4, 1, 23, 27), u"中", HanFont(18), QColor(200, 20, 30));
    });
}

} // namespace

void DrawMessageScreens(PictureBook &book)
{
    // The text box is (20, 15)-(225, 50); OK stands at (80, 56), the invitation's buttons at
    // (30, 72) and (130, 72), the form's at (143, 314) and (237, 314).
    book.AddKeyed("Graphic\\ShowMessage\\background.bmp", DarkPanel(245, 96));
    book.AddKeyed("Graphic\\ShowMessage\\queding.bmp", Button(84, 28, u"确定", kGreen, 15));
    book.AddKeyed("Graphic\\InviteMessage\\background.bmp", DarkPanel(245, 110));
    book.AddKeyed("Graphic\\InviteMessage\\queding.bmp", Button(84, 28, u"接受", kGreen, 15));
    book.AddKeyed("Graphic\\InviteMessage\\quxiao.bmp", Button(84, 28, u"拒绝", kRed, 15));
    book.AddKeyed("Graphic\\InviteForm\\background.bmp", InviteForm());
    book.AddKeyed("Graphic\\InviteForm\\btinvite.bmp", Button(84, 28, u"邀请", kBlue, 15));
    book.AddKeyed("Graphic\\InviteForm\\btcancel.bmp", Button(84, 28, u"取消", kRed, 15));
    book.AddOpaque("Graphic\\about.bmp", AboutTile());
}
