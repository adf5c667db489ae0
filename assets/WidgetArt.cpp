#include "assets/PictureBook.h"
#include "assets/ScreenPalette.h"

#include <QPainter>
#include <QPainterPath>
#include <string>

// The widgets' pictures: five-frame button strips (normal, hovered, pressed, disabled, spare), arrows,
// the chat input and the chat windows' backgrounds. Sizes follow where the game places them.
namespace {

const QColor kGrey(120, 120, 120);

enum Frame { Normal, Hover, Pressed, Disabled, Spare };

// The plate and rim colours of one frame: hovering lights the plate, pressing darkens it.
QColor PlateColour(QColor base, int frame)
{
    switch (frame) {
    case Hover:
        return base.lighter(140);
    case Pressed:
        return base.darker(140);
    case Disabled:
        return kGrey;
    default:
        return base;
    }
}

using FrameArt = std::function<void(QPainter &, const QRectF &cell, int frame)>;

// Five frames of w x h side by side.
QImage Strip(int w, int h, const FrameArt &art)
{
    return Drawn(w * 5, h, [&](QPainter &p) {
        for (int frame = Normal; frame <= Spare; ++frame)
            art(p, QRectF(frame * w, 0, w, h), frame == Spare ? Normal : frame);
    });
}

} // namespace

QImage Arrow(int w, int h, bool pointsUp, QColor base)
{
    return Strip(w, h, [=](QPainter &p, const QRectF &cell, int frame) {
        QColor plate = PlateColour(base, frame);
        p.setPen(QPen(kGold.darker(frame == Pressed ? 150 : 110), 1));
        p.setBrush(plate);
        p.drawRoundedRect(cell.adjusted(0.5, 0.5, -0.5, -0.5), 2, 2);
        const double cx = cell.center().x(), cy = cell.center().y();
        const double dx = cell.width() * 0.3, dy = cell.height() * 0.22;
        QPainterPath tip;
        tip.moveTo(cx, pointsUp ? cy - dy : cy + dy);
        tip.lineTo(cx - dx, pointsUp ? cy + dy : cy - dy);
        tip.lineTo(cx + dx, pointsUp ? cy + dy : cy - dy);
        tip.closeSubpath();
        p.setPen(Qt::NoPen);
        p.setBrush(frame == Hover ? kGold.lighter(125) : kCream);
        p.drawPath(tip);
    });
}

namespace {

// A chat window's backing, blended over what stands behind it, with a lane for its arrows: dark for
// the table's white lines, paper for the room's black ones.
QImage ChatBacking(int w, int h, int laneWidth, bool paper)
{
    return Drawn(w, h, [=](QPainter &p) {
        if (paper)
            Panel(p, QRectF(0.5, 0.5, w - 1, h - 1), kCream, QColor(238, 228, 204), kGold.darker(130), 1, 6);
        else
            Panel(p, QRectF(0.5, 0.5, w - 1, h - 1), QColor(40, 46, 58), QColor(20, 24, 32), kGold.darker(130), 1, 6);
        p.setPen(Qt::NoPen);
        p.setBrush(paper ? QColor(214, 200, 170) : QColor(64, 72, 88));
        p.drawRect(QRectF(w - laneWidth - 3, 3, laneWidth, h - 6));
    });
}

} // namespace

QImage ColumnTile(int w, int h)
{
    return Drawn(w, h, [=](QPainter &p) {
        p.fillRect(QRectF(0, 0, w, h), QColor(70, 80, 100));
        p.fillRect(QRectF(w / 2.0 - 1, 0, 2, h), QColor(120, 130, 150));
    });
}

QImage EditField(int w, int h)
{
    return Drawn(w, h, [=](QPainter &p) {
        p.setPen(QPen(QColor(90, 70, 50), 1));
        p.setBrush(QColor(248, 244, 232));
        p.drawRoundedRect(QRectF(0.5, 0.5, w - 1, h - 1), 3, 3);
        p.setPen(QPen(QColor(200, 190, 170), 1));
        p.drawLine(QPointF(2, 2.5), QPointF(w - 3, 2.5));
    });
}

QImage CheckBox(int width, bool checked, std::u16string_view label)
{
    return Drawn(width, 20, [=](QPainter &p) {
        p.setPen(QPen(kGold, 1.5));
        p.setBrush(kCream);
        p.drawRoundedRect(QRectF(2, 2, 16, 16), 2, 2);
        if (checked) {
            QPainterPath tick;
            tick.moveTo(5, 10);
            tick.lineTo(9, 14.5);
            tick.lineTo(16, 4.5);
            p.setPen(QPen(QColor(150, 36, 28), 2.6, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
            p.setBrush(Qt::NoBrush);
            p.drawPath(tick);
        }
        if (label.empty())
            return;
        p.setFont(HanFont(13, false));
        p.setPen(kCream);
        p.drawText(QRectF(24, 0, width - 24, 20), Qt::AlignLeft | Qt::AlignVCenter,
                   QString::fromUtf16(label.data(), static_cast<qsizetype>(label.size())));
    });
}

QImage Button(int w, int h, std::u16string_view word, QColor base, double size)
{
    return Strip(w, h, [=](QPainter &p, const QRectF &cell, int frame) {
        QColor plate = PlateColour(base, frame);
        QColor rim = frame == Hover ? kGold.lighter(120) : frame == Disabled ? QColor(90, 90, 90) : kGold;
        Panel(p, cell.adjusted(1, 1, -1, -1), plate.lighter(120), plate.darker(120), rim, 1.5,
              std::min(cell.width(), cell.height()) * 0.25);
        QRectF text = frame == Pressed ? cell.translated(1, 1) : cell;
        if (!word.empty())
            DrawText(p, text, word, HanFont(size), frame == Disabled ? QColor(200, 200, 200) : kCream);
    });
}

void DrawWidgets(PictureBook &book)
{
    // The six claim buttons stand in one row between the left wall and the right seat's discards.
    const std::pair<const char *, const char16_t *> claims[] = {
        {"peng", u"碰"}, {"gang", u"杠"}, {"hu", u"和"}, {"guo", u"过"}, {"chi", u"吃"}, {"ting", u"听"},
    };
    for (const auto &[name, word] : claims)
        book.AddKeyed(std::string("Graphic\\") + name + ".bmp", Button(48, 40, word, kRed, 22));
    const std::pair<const char *, const char16_t *> others[] = {{"tang", u"躺"}, {"piao", u"飘"}, {"piaono", u"不飘"}};
    for (const auto &[name, word] : others)
        book.AddKeyed(std::string("Graphic\\") + name + ".bmp", Button(64, 40, word, kRed, 22));
    book.AddKeyed("Graphic\\start.bmp", Button(98, 36, u"开始", kGreen, 20));
    book.AddKeyed("Graphic\\MainMenu.bmp", Button(90, 44, u"菜单", kBrown, 20));
    book.AddKeyed("Graphic\\MainForm\\newgame.bmp", Button(36, 24, u"新局", kBrown, 11));
    book.AddKeyed("Graphic\\MainForm\\Close.bmp", Button(40, 20, u"×", kRed, 14));
    book.AddKeyed("Graphic\\MainForm\\max.bmp", Button(36, 20, u"□", kBrown, 12));
    book.AddKeyed("Graphic\\MainForm\\btn_invite.bmp", Button(44, 22, u"邀请", kBlue, 12));
    // The chat row at the bottom right: the ready-made lines, the arrows that grow the lines' window,
    // and send.
    book.AddKeyed("Graphic\\ChatWnd\\senddefault.bmp", Button(36, 24, u"常用", kBlue, 12));
    book.AddKeyed("Graphic\\ChatWnd\\up.bmp", Arrow(10, 12, true, kBlue));
    book.AddKeyed("Graphic\\ChatWnd\\down.bmp", Arrow(10, 12, false, kBlue));
    book.AddKeyed("Graphic\\ChatWnd\\send.bmp", Button(60, 24, u"发送", kBlue, 13));
    // The game menu's buttons fill the menu panel's width.
    const std::pair<const char *, const char16_t *> menu[] = {
        {"option", u"游戏设置"}, {"back", u"离开游戏"}, {"rules", u"游戏规则"}, {"resume", u"继续游戏"},
    };
    for (const auto &[name, word] : menu)
        book.AddKeyed(std::string("Graphic\\NewStyle\\") + name + ".bmp", Button(196, 44, word, kBrown, 20));
    // The chow choices' column, 20 pixels apart.
    book.AddKeyed("Graphic\\chinull.bmp", Button(100, 18, u"", kRed, 12));
    book.AddKeyed("Graphic\\chicancle.bmp", Button(100, 18, u"取消", kRed, 12));

    book.AddKeyed("Graphic\\input.bmp", EditField(170, 24));
    // The table's chat windows are 140 x 80 at the top corners, their arrows beside them.
    book.AddKeyed("Graphic\\ChatWnd\\BackGround.bmp", ChatBacking(163, 90, 10, false));
    book.AddKeyed("Graphic\\NetForm\\Chat.bmp", ChatBacking(532, 72, 16, true));
    book.AddKeyed("Graphic\\NetForm\\up.bmp", Arrow(16, 16, true, kBlue));
    book.AddKeyed("Graphic\\NetForm\\down.bmp", Arrow(16, 16, false, kBlue));
    book.AddOpaque("Graphic\\NetForm\\barcenter.bmp", ColumnTile(16, 8));
}
