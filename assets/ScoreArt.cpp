#include "assets/PictureBook.h"
#include "assets/ScreenPalette.h"

#include "platform/Gbk.h"
#include "rules/FanTable.h"

#include <QFontMetricsF>
#include <QPainter>
#include <QPainterPath>
#include <string>

// The score screen: the panel the game writes the hand, the fans and the four score changes on,
// its buttons, the drawn-hand picture, the digits and signs of the score changes, and a hint for
// every fan, ten to a row.
namespace {

const QColor kWell(12, 18, 30);
const QColor kInk(40, 30, 20);
const QColor kCinnabar(150, 36, 28);

constexpr int kHintWidth = 283;
constexpr int kHintHeight = 117;
constexpr int kHintsPerRow = 10;
constexpr int kFans = 88;

// What each fan asks of the hand, by fan index 1-88: a line for a player who meets it in a score.
const char16_t *const kFanHints[kFans + 1] = {
    u"",
    u"东、南、西、北四副刻子或杠。",
    u"中、发、白三副刻子或杠。",
    u"整手牌只由二、三、四、六、八条和发财组成。",
    u"同一花色按 1112345678999 门前清听牌，和这一花色的任何一张。",
    u"手中有四副杠，明杠暗杠都算。",
    u"同一花色序数相连的七个对子，如一万到七万各一对。",
    u"三种数牌的一和九、七种字牌各一张，其中一张成对。",
    u"只由数牌的一和九组成的刻子和将。",
    u"三种风牌的刻子，第四种风牌作将。",
    u"两种箭牌的刻子，第三种箭牌作将。",
    u"只由风牌和箭牌组成的刻子和将。",
    u"四副暗刻（暗杠也算），都不是碰来的。",
    u"同一花色的两副一二三、两副七八九，五作将。",
    u"同一花色、序数相同的四副顺子。",
    u"同一花色、序数依次递增一的四副刻子。",
    u"同一花色的四副顺子，起点依次递增一或依次递增二。",
    u"手中有三副杠。",
    u"只由幺九牌和字牌组成的刻子和将。",
    u"七个对子组成的和牌。",
    u"七种字牌各一张，加三种花色一四七、二五八、三六九中的七张单牌。",
    u"只由二、四、六、八的刻子和将组成。",
    u"整手牌都是同一种花色的数牌。",
    u"同一花色、序数相同的三副顺子。",
    u"同一花色、序数依次递增一的三副刻子。",
    u"只由序数七、八、九的数牌组成。",
    u"只由序数四、五、六的数牌组成。",
    u"只由序数一、二、三的数牌组成。",
    u"同一花色的一二三、四五六、七八九三副顺子。",
    u"一种花色的一二三和七八九，另一种也一样，第三种花色的五作将。",
    u"同一花色的三副顺子，起点依次递增一或依次递增二。",
    u"每副顺子、刻子和将都含有五。",
    u"三种花色序数相同的三副刻子。",
    u"三副暗刻。",
    u"字牌和三种花色一四七、二五八、三六九中的单张，共十四张互不相连。",
    u"三种花色的一四七、二五八、三六九九张组成一条龙，另有一副面子和将。",
    u"只由序数六到九的数牌组成。",
    u"只由序数一到四的数牌组成。",
    u"三种风牌的刻子。",
    u"三种花色分别组成一二三、四五六、七八九。",
    u"只由上下对称的牌组成：一二三四五八九饼、二四五六八九条和白板。",
    u"三种花色序数相同的三副顺子。",
    u"三种花色、序数依次递增一的三副刻子。",
    u"和牌时除花牌外没有别的番种。",
    u"摸牌墙上最后一张牌自摸和牌。",
    u"和别人打出的最后一张牌。",
    u"开杠后补摸的牌正好自摸和牌。",
    u"别人加杠时，抢那张牌和牌。",
    u"四副刻子或杠加一对将。",
    u"一种花色的数牌加字牌组成。",
    u"三种花色各一副顺子，序数依次递增一。",
    u"万、条、饼、风牌、箭牌五种牌都有。",
    u"全部吃、碰或明杠，手里只剩一张，和别人打出的牌。",
    u"两副暗杠。",
    u"两种箭牌的刻子或杠。",
    u"每副顺子、刻子和将都含有幺九牌或字牌。",
    u"没有吃、碰、明杠，自摸和牌。",
    u"两副明杠。",
    u"和的这张牌桌上已亮出三张，是最后一张。",
    u"中、发、白其中一种的刻子或杠。",
    u"与本圈风相同的风牌刻子。",
    u"与自己座位风相同的风牌刻子。",
    u"没有吃、碰、明杠，和别人打出的牌。",
    u"四副顺子加数牌作将，没有字牌。",
    u"四张相同的牌分在几副面子里，没有开杠。",
    u"两种花色序数相同的两副刻子。",
    u"两副暗刻。",
    u"自己摸齐四张开的杠。",
    u"没有幺九牌和字牌。",
    u"同一花色、序数相同的两副顺子。",
    u"两种花色序数相同的两副顺子。",
    u"同一花色序数相连的两副顺子，如一二三和四五六。",
    u"同一花色的一二三和七八九两副顺子。",
    u"数牌一或九的刻子，或不是圈风门风的风牌刻子。",
    u"碰出后加成的杠，或用别人打出的牌开的杠。",
    u"万、条、饼三种中缺少一种。",
    u"没有风牌和箭牌。",
    u"只能和一二三的三或七八九的七。",
    u"只能和顺子中间的那一张。",
    u"只能和将牌的那一张。",
    u"自己摸到和牌的那张牌。",
    u"每亮出一张花牌计一番，不算在起和番里。",
    u"庄家发完牌时手里十四张已经和牌。",
    u"闲家第一次摸牌就自摸和牌。",
    u"闲家在第一圈内和别人打出的牌。",
    u"东、南、西、北四副刻子，发财作将。",
    u"单机游戏：用二、五、八的数牌作将。",
    u"用数牌的一或九作将。",
    u"单机游戏：宣告听牌以后和牌。",
};

QString Q(std::u16string_view text)
{
    return QString::fromUtf16(text.data(), static_cast<qsizetype>(text.size()));
}

QString FromGbk(const char *gbk)
{
    return QString::fromStdString(GbkToUtf8(gbk));
}

// The panel: the winning tile's place at (76, 35) and the hand's row at (15, 86), the fan total's
// plate at (457, 52), the well of fan rows at (19, 171) with the scroll column at x 279, and the
// open ground where the four names and score changes stand round (395, 225): the left seat's digits
// end at 391 and the right seat's sign starts at 401, so nothing is drawn between them.
QImage Panel560()
{
    return Drawn(560, 340, [](QPainter &p) {
        Panel(p, QRectF(1, 1, 558, 338), kNight, kNightDeep, kGold, 2, 12);
        DrawText(p, QRectF(0, 6, 560, 26), u"本 局 结 算", HanFont(18), kGold);
        p.setFont(HanFont(14));
        p.setPen(kCream);
        p.drawText(QRectF(16, 35, 56, 38), Qt::AlignLeft | Qt::AlignVCenter, QStringLiteral("和张"));
        p.setPen(QPen(kGold.darker(130), 1));
        p.setBrush(kWell);
        p.drawRoundedRect(QRectF(450.5, 46.5, 96, 36), 6, 6);
        p.drawRoundedRect(QRectF(10.5, 70.5, 539, 62), 6, 6);
        p.drawRoundedRect(QRectF(12.5, 144.5, 284, 182), 6, 6);
        p.setFont(HanFont(12, false));
        p.setPen(kGold);
        p.drawText(QRectF(20, 148, 100, 20), Qt::AlignLeft | Qt::AlignVCenter, QStringLiteral("番种"));
        p.drawText(QRectF(232, 148, 40, 20), Qt::AlignLeft | Qt::AlignVCenter, QStringLiteral("番数"));
    });
}

// The ground of the fan row the pointer is on: the row's blue (or black) letters need a light one.
// It runs under the name, short of the points at 235, and joins the fan's hint card above it.
QImage RowLight()
{
    return Drawn(206, 20, [](QPainter &p) {
        Panel(p, QRectF(0.5, 0.5, 205, 19), QColor(250, 244, 226), QColor(236, 226, 200), kGold.darker(140), 1, 4);
    });
}

// The drawn hand, at (141, 94) on the panel.
QImage DrawnHand()
{
    return Drawn(280, 100, [](QPainter &p) {
        Panel(p, QRectF(2, 2, 276, 96), kRed, kRed.darker(150), kGold, 3, 14);
        DrawText(p, QRectF(0, 4, 280, 64), u"荒 庄", HanFont(46), kGold, QColor(60, 10, 10), 3);
        DrawText(p, QRectF(0, 66, 280, 26), u"牌墙摸完，没有人和牌", HanFont(14, false), kCream);
    });
}

// Ten digits of 19 x 18, gold.
QImage Digits()
{
    return Drawn(190, 18, [](QPainter &p) {
        for (int d = 0; d < 10; ++d)
            DrawText(p, QRectF(d * 19, 0, 19, 18), std::u16string(1, static_cast<char16_t>(u'0' + d)), HanFont(17),
                     kGold, QColor(40, 20, 0), 2.5);
    });
}

// Plus at (0, 0)-(14, 12), minus at (14, 0)-(28, 12).
QImage Signs()
{
    return Drawn(28, 12, [](QPainter &p) {
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(90, 200, 110));
        p.drawRect(QRectF(2, 5, 10, 3));
        p.drawRect(QRectF(5.5, 1, 3, 10));
        p.setBrush(QColor(230, 90, 80));
        p.drawRect(QRectF(16, 5, 10, 3));
    });
}

// One fan's hint: its Chinese name and points over what it asks of the hand.
void Hint(QPainter &p, const QRectF &cell, int fan)
{
    Panel(p, cell.adjusted(1, 1, -1, -1), QColor(250, 244, 226), QColor(236, 226, 200), kGold.darker(140), 2, 8);
    const QRectF body = cell.adjusted(12, 8, -12, -8);
    const QFont title = HanFont(16);
    const double titleHeight = QFontMetricsF(title).height();
    p.setFont(title);
    p.setPen(kCinnabar);
    p.drawText(QRectF(body.left(), body.top(), body.width(), titleHeight), Qt::AlignLeft | Qt::AlignVCenter,
               FromGbk(kFanNamesCn[fan]));
    const int points = FanPoints(fan);
    const QString worth = fan == FAN_FLOWERS ? QStringLiteral("每张 1 番") : QStringLiteral("%1 番").arg(points);
    p.drawText(QRectF(body.left(), body.top(), body.width(), titleHeight), Qt::AlignRight | Qt::AlignVCenter, worth);
    p.setPen(QPen(kGold.darker(120), 1));
    p.drawLine(QPointF(body.left(), body.top() + titleHeight + 3), QPointF(body.right(), body.top() + titleHeight + 3));
    p.setFont(HanFont(14, false));
    p.setPen(kInk);
    p.drawText(QRectF(body.left(), body.top() + titleHeight + 8, body.width(), body.height() - titleHeight - 8),
               Qt::AlignLeft | Qt::AlignTop | Qt::TextWordWrap, Q(kFanHints[fan]));
}

// Cell of fan f at column (f - 1) mod 10, row (f - 1) div 10; false when a hint overflows its cell.
QImage Hints(bool *fits)
{
    const int rows = (kFans + 1 + kHintsPerRow - 1) / kHintsPerRow;
    *fits = true;
    return Drawn(kHintWidth * kHintsPerRow, kHintHeight * rows, [&](QPainter &p) {
        const QFont text = HanFont(14, false);
        const double room = kHintHeight - 16 - QFontMetricsF(HanFont(16)).height() - 8;
        for (int fan = 1; fan <= kFans; ++fan) {
            const QRectF cell((fan - 1) % kHintsPerRow * kHintWidth, (fan - 1) / kHintsPerRow * kHintHeight, kHintWidth,
                              kHintHeight);
            Hint(p, cell, fan);
            const QRectF used = QFontMetricsF(text).boundingRect(QRectF(0, 0, kHintWidth - 24, 1000),
                                                                 Qt::AlignLeft | Qt::TextWordWrap, Q(kFanHints[fan]));
            *fits = *fits && used.height() <= room;
        }
    });
}

} // namespace

void DrawScoreScreen(PictureBook &book)
{
    book.AddKeyed("Graphic\\ScoreForm\\background.bmp", Panel560());
    book.AddKeyed("Graphic\\ScoreForm\\huangpai.bmp", DrawnHand());
    book.AddKeyed("Graphic\\ScoreForm\\lresultnumber2.bmp", Digits());
    book.AddKeyed("Graphic\\ScoreForm\\lresultSign2.bmp", Signs());
    book.AddKeyed("Graphic\\ScoreForm\\barcenter.bmp", ColumnTile(16, 8));
    book.AddKeyed("Graphic\\ScoreForm\\replay.bmp", Button(84, 28, u"再来一局", kGreen, 14));
    book.AddKeyed("Graphic\\ScoreForm\\exit.bmp", Button(84, 28, u"离开", kRed, 14));
    book.AddKeyed("Graphic\\ScoreForm\\up.bmp", Arrow(16, 20, true, kBlue));
    book.AddKeyed("Graphic\\ScoreForm\\down.bmp", Arrow(16, 20, false, kBlue));
    bool fits = true;
    book.AddKeyed("Graphic\\ScoreForm\\hint.bmp", Hints(&fits));
    book.AddKeyed("Graphic\\ScoreForm\\rowlight.bmp", RowLight());
    if (!fits)
        book.Fail("a fan's hint runs past its cell");
}
