#include "assets/PictureBook.h"
#include "assets/ScreenPalette.h"

#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>
#include <string>

// The screens between the program's start and a local game: the title menu, the saved-game slots
// with the confirmation that pops up beside a slot, the name screen over the table, and the options.
// Sizes and places follow where the game puts the widgets over them.
namespace {

const QColor kWood(104, 60, 28);
const QColor kWoodDark(58, 30, 12);

QString Q(std::u16string_view text)
{
    return QString::fromUtf16(text.data(), static_cast<qsizetype>(text.size()));
}

// The felt over the whole frame, as every screen drawn alone has it.
void FeltFrame(QPainter &p)
{
    Felt(p, QRectF(0, 0, 800, 600), QRectF(6, 6, 788, 588));
}

// A row of standing tiles from the game's own sheet, centred on cx.
void TileRow(QPainter &p, const QImage &sheet, std::initializer_list<int> cells, double cx, double top)
{
    const int w = sheet.width() / 43, h = sheet.height();
    double x = cx - w * static_cast<double>(cells.size()) / 2;
    for (int cell : cells) {
        p.drawImage(QPointF(x, top), sheet, QRectF(cell * w, 0, w, h));
        x += w;
    }
}

void Label(QPainter &p, const QRectF &box, std::u16string_view text, const QFont &font, QColor colour,
           int align = Qt::AlignLeft | Qt::AlignVCenter)
{
    p.setFont(font);
    p.setPen(colour);
    p.drawText(box, align, Q(text));
}

// The title menu: the name of the game over a row of tiles, and a wooden board behind the column
// of buttons at x 311 from y 156 down to 391.
QImage TitleMenu(const QImage &tiles)
{
    return Drawn(800, 600, [&](QPainter &p) {
        FeltFrame(p);
        DrawText(p, QRectF(0, 18, 800, 84), u"国标麻将", HanFont(64), kGold, QColor(60, 30, 0), 4);
        DrawText(p, QRectF(0, 96, 800, 28), u"Lantile", HanFont(22, false), kCream);
        Panel(p, QRectF(276, 134, 248, 280), kWood, kWoodDark, kGold, 2, 12);
        // East, South, West, North and the three dragons along the foot.
        TileRow(p, tiles, {27, 28, 29, 30, 31, 32, 33}, 400, 460);
        DrawText(p, QRectF(0, 548, 800, 24), u"联网游戏：登录服务器与玩家对局　　开始游戏：与三位电脑对手对局",
                 HanFont(14, false), kCream);
    });
}

// The slots: five rows, each a load button at (292, 241 + 46k) and a new-game button at
// (462, 239 + 48k), numbered on the left; the way back at (312, 471).
QImage Slots(const QImage &tiles)
{
    return Drawn(800, 600, [&](QPainter &p) {
        FeltFrame(p);
        DrawText(p, QRectF(0, 60, 800, 70), u"选择存档", HanFont(44), kGold, QColor(60, 30, 0), 3);
        TileRow(p, tiles, {0, 9, 18, 27, 31}, 400, 138);
        Panel(p, QRectF(226, 214, 348, 304), kWood, kWoodDark, kGold, 2, 12);
        DrawText(p, QRectF(226, 218, 348, 20), u"读取存档                新游戏", HanFont(13, false), kCream);
        const char16_t *numbers[] = {u"一", u"二", u"三", u"四", u"五"};
        for (int k = 0; k < 5; ++k)
            DrawText(p, QRectF(238, 241 + 46 * k, 48, 36), numbers[k], HanFont(20), kGold);
    });
}

// The confirmation beside a slot: its text above the two buttons at (28, 63) and (148, 63).
QImage Confirmation()
{
    return Drawn(260, 100, [](QPainter &p) {
        Panel(p, QRectF(1, 1, 258, 98), kNight, kNightDeep, kGold, 2, 10);
        DrawText(p, QRectF(0, 10, 260, 22), u"这个存档里已有游戏，", HanFont(14, false), kCream);
        DrawText(p, QRectF(0, 32, 260, 22), u"开始新游戏会覆盖它。", HanFont(14, false), kCream);
    });
}

// A plate with room at its left for the slot's caption, which the game writes there, and the word
// on its right.
QImage LoadButton()
{
    QImage plain = Button(150, 36, u"", kBlue, 14);
    QPainter p(&plain);
    p.setRenderHint(QPainter::TextAntialiasing);
    for (int frame = 0; frame < 5; ++frame)
        Label(p, QRectF(frame * 150 + 70, 0, 72, 36), u"读取", HanFont(15), frame == 3 ? QColor(200, 200, 200) : kCream,
              Qt::AlignRight | Qt::AlignVCenter);
    return plain;
}

// A small plate with a triangle pointing left or right, in five frames of w x h.
QImage SideArrow(int w, int h, bool pointsLeft)
{
    return Drawn(w * 5, h, [=](QPainter &p) {
        for (int frame = 0; frame < 5; ++frame) {
            const QRectF cell(frame * w, 0, w, h);
            const QColor plate = frame == 1 ? kBrown.lighter(150) : frame == 2 ? kBrown.darker(140) : kBrown;
            Panel(p, cell.adjusted(1, 1, -1, -1), plate.lighter(120), plate.darker(120), kGold, 1, 4);
            const double cx = cell.center().x(), cy = cell.center().y(), dx = w * 0.22, dy = h * 0.28;
            QPainterPath tip;
            tip.moveTo(pointsLeft ? cx - dx : cx + dx, cy);
            tip.lineTo(pointsLeft ? cx + dx : cx - dx, cy - dy);
            tip.lineTo(pointsLeft ? cx + dx : cx - dx, cy + dy);
            tip.closeSubpath();
            p.setPen(Qt::NoPen);
            p.setBrush(kCream);
            p.drawPath(tip);
        }
    });
}

// The name screen stands over the table, which shows around its board: a well for each seat's
// avatar (58 x 58 at the frame points the game draws them), its place named, the name box at
// (215, 498) and the start button at (450, 488).
QImage NameBoard()
{
    return Drawn(800, 600, [](QPainter &p) {
        Panel(p, QRectF(140, 96, 560, 456), QColor(40, 52, 76, 255), kNightDeep, kGold, 2, 16);
        DrawText(p, QRectF(140, 104, 560, 34), u"输入名字，挑选四家的头像", HanFont(20), kGold);
        const struct {
            QPointF at;
            const char16_t *place;
        } seats[] = {{{372, 342}, u"您"}, {{548, 242}, u"下家"}, {{372, 164}, u"对家"}, {{194, 242}, u"上家"}};
        for (const auto &seat : seats) {
            p.setPen(QPen(kGold.darker(120), 1.5));
            p.setBrush(QColor(20, 28, 44));
            p.drawRoundedRect(QRectF(seat.at.x() - 3, seat.at.y() - 3, 64, 64), 6, 6);
            DrawText(p, QRectF(seat.at.x() - 20, seat.at.y() + 62, 98, 20), seat.place, HanFont(13, false), kCream);
        }
        // The table between the four seats.
        p.setPen(QPen(kGold.darker(150), 1));
        p.setBrush(QColor(22, 98, 62));
        p.drawRoundedRect(QRectF(300, 254, 200, 46), 8, 8);
        DrawText(p, QRectF(300, 254, 200, 46), u"单击箭头换头像", HanFont(13, false), kCream);
        Label(p, QRectF(160, 498, 52, 26), u"名字", HanFont(16), kGold, Qt::AlignRight | Qt::AlignVCenter);
    });
}

// The options: the tune and its volume, the sounds and theirs, the robots' pace, the animation,
// full-screen and tool-tip switches, and apply at (80, 305). The game places the controls; the
// picture gives each its words and groups them: the tune's switch and slider on one plate, the
// sounds' on the next, the pace on the third, the screen's switches on the last; the animation's
// switch, which the game places between the first two, on a plate of its own. A slider's name stands
// left of its track (x 83 to 175), its two ends beside the track's ends.
QImage Options()
{
    return Drawn(300, 350, [](QPainter &p) {
        Panel(p, QRectF(1, 1, 298, 348), kNight, kNightDeep, kGold, 2, 12);
        DrawText(p, QRectF(0, 14, 300, 40), u"游戏设置", HanFont(24), kGold);
        p.setPen(QPen(kGold.darker(130), 1));
        p.drawLine(QPointF(20, 62), QPointF(280, 62));
        const QColor plate = kNight.lighter(120);
        const QColor rim = kGold.darker(170);
        for (const QRectF &group : {QRectF(10.5, 94.5, 279, 40), QRectF(10.5, 143.5, 279, 40), QRectF(10.5, 192.5, 279, 42),
                                    QRectF(38.5, 242.5, 104, 60), QRectF(150.5, 242.5, 112, 60)})
            Panel(p, group, plate, plate.darker(110), rim, 1, 7);
        const QFont label = HanFont(13, false);
        const QFont small = HanFont(11, false);
        const struct {
            const char16_t *name, *low, *high;
            double y;
        } tracks[] = {{u"音量", u"小", u"大", 119}, {u"音量", u"小", u"大", 165}, {u"速度", u"慢", u"快", 213}};
        for (const auto &track : tracks) {
            Label(p, QRectF(16, track.y - 1, 48, 14), track.name, label, kCream);
            p.setPen(QPen(QColor(12, 16, 26), 4, Qt::SolidLine, Qt::RoundCap));
            p.drawLine(QPointF(85, track.y + 6), QPointF(173, track.y + 6));
            p.setPen(QPen(kGold.darker(150), 1));
            p.drawLine(QPointF(85, track.y + 8), QPointF(173, track.y + 8));
            Label(p, QRectF(66, track.y - 1, 15, 14), track.low, small, kCream, Qt::AlignRight | Qt::AlignVCenter);
            Label(p, QRectF(178, track.y - 1, 15, 14), track.high, small, kCream);
        }
        const struct {
            QPointF at;
            const char16_t *name;
        } boxes[] = {{{197, 100}, u"音乐"}, {{197, 148}, u"音效"}, {{52, 262}, u"动画"},
                     {{163, 247}, u"全屏显示"}, {{163, 278}, u"出牌提示"}};
        for (const auto &box : boxes)
            Label(p, QRectF(box.at.x() + 24, box.at.y(), 80, 20), box.name, label, kCream);
    });
}

QImage Thumb()
{
    return Drawn(12, 12, [](QPainter &p) {
        QRadialGradient knob(5, 5, 7);
        knob.setColorAt(0, kGold.lighter(130));
        knob.setColorAt(1, kGold.darker(130));
        p.setPen(QPen(kWoodDark, 1));
        p.setBrush(knob);
        p.drawEllipse(QRectF(0.5, 0.5, 11, 11));
    });
}

} // namespace

void DrawGameScreens(PictureBook &book)
{
    const QImage *standing = book.Find("Graphic\\zjzl.bmp");
    if (!standing) {
        book.Fail("the title and slot screens need the standing tiles");
        return;
    }
    const QImage tiles = SeeThrough(*standing);

    book.AddOpaque("Graphic\\ModeForm\\background.bmp", TitleMenu(tiles));
    const std::pair<const char *, const char16_t *> menu[] = {
        {"btonline", u"联网游戏"}, {"btgame", u"开始游戏"}, {"btnet", u"游戏设置"},
        {"bthome", u"游戏帮助"},   {"btexit", u"退出游戏"}};
    for (const auto &[name, word] : menu)
        book.AddKeyed(std::string("Graphic\\ModeForm\\") + name + ".bmp", Button(178, 40, word, kRed, 19));

    book.AddOpaque("Graphic\\LoadForm\\background.bmp", Slots(tiles));
    book.AddKeyed("Graphic\\LoadForm\\load.bmp", LoadButton());
    book.AddKeyed("Graphic\\LoadForm\\newgame.bmp", Button(84, 36, u"新游戏", kGreen, 15));
    book.AddKeyed("Graphic\\MessageBox\\background.bmp", Confirmation());
    book.AddKeyed("Graphic\\MessageBox\\queding.bmp", Button(84, 28, u"确定", kGreen, 15));
    book.AddKeyed("Graphic\\MessageBox\\quxiao.bmp", Button(84, 28, u"取消", kRed, 15));

    book.AddKeyed("Graphic\\InputName\\background.bmp", NameBoard());
    book.AddKeyed("Graphic\\InputName\\Edit.bmp", EditField(220, 26));
    book.AddKeyed("Graphic\\InputName\\queding.bmp", Button(100, 40, u"开始", kGreen, 18));
    book.AddKeyed("Graphic\\InputName\\zyd.bmp", SideArrow(28, 24, true));
    book.AddKeyed("Graphic\\InputName\\yyd.bmp", SideArrow(28, 24, false));

    book.AddKeyed("Graphic\\OptionForm\\background.bmp", Options());
    // The boxes' labels are on the background, so that a click on a label does not toggle its box.
    book.AddKeyed("Graphic\\OptionForm\\checkbox1.bmp", CheckBox(20, false, u""));
    book.AddKeyed("Graphic\\OptionForm\\checkbox2.bmp", CheckBox(20, true, u""));
    book.AddKeyed("Graphic\\OptionForm\\key.bmp", Thumb());
    book.AddKeyed("Graphic\\OptionForm\\Restart.bmp", Button(140, 34, u"确定", kGreen, 16));
}
