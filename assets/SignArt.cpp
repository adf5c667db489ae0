#include "assets/PictureBook.h"

#include <QLinearGradient>
#include <QPainter>
#include <string>

// Signs, labels and digit strips: Chinese words on plates, and the claim signs in large brush-like
// characters.
namespace {

const QColor kGold(240, 196, 80);
const QColor kInk(40, 20, 10);
const QColor kPlate(120, 20, 26);
const QColor kPlateDark(70, 10, 14);
const QColor kCream(250, 240, 215);

void PlateShape(QPainter &p, const QRectF &r, QColor fill, QColor border)
{
    Panel(p, r.adjusted(0.6, 0.6, -0.6, -0.6), fill.lighter(125), fill.darker(125), border, 1.2,
          std::min(r.width(), r.height()) * 0.3);
}

// A word on a red plate with a gold rim.
QImage Plate(int w, int h, std::u16string_view text, double size, QColor fill = kPlate)
{
    return Drawn(w, h, [&](QPainter &p) {
        PlateShape(p, QRectF(0, 0, w, h), fill, kGold);
        DrawText(p, QRectF(0, 0, w, h), text, HanFont(size), kCream);
    });
}

// A claim sign: a large gold character with a dark outline, no plate.
QImage Claim(std::u16string_view text, double size)
{
    return Drawn(120, 60, [&](QPainter &p) {
        DrawText(p, QRectF(0, 0, 120, 60), text, HanFont(size), kGold, kPlateDark, 5);
    });
}

// Cells side by side, each a word or digit.
QImage Strip(int cellW, int h, const std::vector<std::u16string> &cells, double size, bool plate)
{
    return Drawn(cellW * static_cast<int>(cells.size()), h, [&](QPainter &p) {
        for (size_t i = 0; i < cells.size(); ++i) {
            QRectF cell(static_cast<double>(i) * cellW, 0, cellW, h);
            if (plate)
                PlateShape(p, cell.adjusted(1, 1, -1, -1), kPlateDark, kGold);
            DrawText(p, cell, cells[i], HanFont(size), plate ? kCream : kGold, plate ? Qt::transparent : kInk,
                     plate ? 0 : 2.5);
        }
    });
}

std::vector<std::u16string> Digits(int from, int count)
{
    std::vector<std::u16string> digits;
    for (int d = from; d < from + count; ++d)
        digits.push_back(std::u16string(1, static_cast<char16_t>(u'0' + d)));
    return digits;
}

QImage Balloon(int w, int h, std::u16string_view text, double size)
{
    return Drawn(w, h, [&](QPainter &p) {
        p.setPen(QPen(kGold, 1.5));
        p.setBrush(QColor(30, 36, 48));
        p.drawRoundedRect(QRectF(1, 1, w - 2, h - 2), 8, 8);
        if (!text.empty())
            DrawText(p, QRectF(0, 0, w, h), text, HanFont(size, false), kCream);
    });
}

QImage Popup()
{
    return Drawn(272, 330, [](QPainter &p) {
        Panel(p, QRectF(2, 2, 268, 326), QColor(60, 40, 30), QColor(30, 20, 14), kGold, 3, 18);
        DrawText(p, QRectF(0, 20, 272, 50), u"游戏菜单", HanFont(26), kGold);
        p.setPen(QPen(kGold.darker(150), 1));
        p.drawLine(QPointF(30, 76), QPointF(242, 76));
    });
}

QImage Blossom(int w, int h)
{
    return Drawn(w, h, [&](QPainter &p) {
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(230, 80, 110));
        for (int i = 0; i < 5; ++i) {
            QTransform t;
            t.translate(w / 2.0, h / 2.0);
            t.rotate(i * 72.0);
            p.drawEllipse(t.map(QPointF(0, -h * 0.25)), w * 0.22, h * 0.22);
        }
        p.setBrush(QColor(250, 220, 90));
        p.drawEllipse(QPointF(w / 2.0, h / 2.0), w * 0.14, h * 0.14);
    });
}

} // namespace

void DrawSigns(PictureBook &book)
{
    const std::pair<const char *, const char16_t *> claims[] = {
        {"pung", u"碰"}, {"kong", u"杠"}, {"win", u"和"}, {"dianpao", u"点炮"}, {"chiact", u"吃"},
    };
    for (const auto &[name, text] : claims)
        book.AddKeyed(std::string("Graphic\\") + name + ".bmp", Claim(text, std::u16string_view(text).size() > 1 ? 40 : 50));
    book.AddKeyed("Graphic\\state.bmp", Plate(40, 22, u"听", 16));
    book.AddKeyed("Graphic\\gbmj.bmp", Plate(160, 40, u"国标麻将", 26));
    book.AddKeyed("Graphic\\dzmj.bmp", Plate(160, 40, u"大众麻将", 26));
    book.AddKeyed("Graphic\\level.bmp", Plate(80, 18, u"", 12, QColor(40, 60, 110)));
    book.AddKeyed("Graphic\\offline.bmp", Plate(60, 24, u"准备", 16, QColor(30, 110, 60)));
    book.AddKeyed("Graphic\\kaishi.bmp", Plate(60, 24, u"开始", 16));
    book.AddKeyed("Graphic\\NewStyle\\pan.bmp", Plate(120, 40, u"", 12, QColor(50, 40, 30)));
    book.AddKeyed("Graphic\\pan.bmp", Plate(120, 40, u"", 12, QColor(50, 40, 30)));
    book.AddKeyed("Graphic\\NewStyle\\position.bmp", Plate(24, 24, u"位", 15, QColor(40, 60, 110)));
    book.AddKeyed("Graphic\\NewStyle\\banker.bmp", Plate(24, 24, u"庄", 16));
    book.AddKeyed("Graphic\\NewStyle\\wind.bmp", Strip(24, 24, {u"東", u"南", u"西", u"北"}, 16, true));
    book.AddKeyed("Graphic\\wind.bmp", Strip(24, 24, {u"東", u"南", u"西", u"北"}, 17, false));
    book.AddKeyed("Graphic\\NewStyle\\num.bmp", Strip(20, 20, Digits(0, 10), 16, false));
    book.AddKeyed("Graphic\\shuzi.bmp", Strip(20, 28, Digits(0, 10), 24, false));
    book.AddKeyed("Graphic\\pai.bmp", Plate(40, 20, u"牌", 14));
    book.AddKeyed("Graphic\\mj.bmp", Plate(60, 30, u"麻将", 18));
    book.AddKeyed("Graphic\\szds.bmp", Plate(80, 24, u"色子点数", 14));
    book.AddKeyed("Graphic\\quan.bmp", Plate(60, 24, u"圈", 16));
    book.AddKeyed("Graphic\\windpe.bmp", Plate(40, 24, u"东风", 14));
    book.AddKeyed("Graphic\\windpn.bmp", Plate(40, 24, u"南风", 14));
    book.AddKeyed("Graphic\\windpw.bmp", Plate(40, 24, u"西风", 14));
    book.AddKeyed("Graphic\\Flower\\Flower_0.bmp", Blossom(20, 20));
    book.AddKeyed("Graphic\\Flower\\Flower_1.bmp", Strip(15, 15, {u"×"}, 14, false));
    // Digits 0-8: a seat may hold all eight flowers.
    for (int n = 2; n <= 10; ++n)
        book.AddKeyed("Graphic\\Flower\\Flower_" + std::to_string(n) + ".bmp", Strip(12, 15, Digits(n - 2, 1), 14, false));
    book.AddKeyed("Graphic\\NewStyle\\popup.bmp", Popup());
    book.AddKeyed("Graphic\\hint.bmp", Balloon(133, 36, u"", 12));
    book.AddKeyed("Graphic\\Tips\\tips0.bmp", Balloon(260, 60, u"点击一张牌打出", 18));
    // The pass hint stands at (25, 384), beside the left seat's hand and short of the local discards
    // and the wall.
    book.AddKeyed("Graphic\\Tips\\tips1.bmp", Balloon(80, 52, u"点击“过”\n放弃", 15));
    book.AddKeyed("Graphic\\Tips\\tips2.bmp", Balloon(260, 60, u"请选择要吃的牌", 18));
}
