#include "assets/PictureBook.h"
#include "assets/ScreenPalette.h"

#include <QFontMetricsF>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <string>
#include <vector>

// The help screen: ten pages of 800 x 600, each with the contents on the left (the page buttons
// stand over it), the page's text on the right and the way to the next page below; the buttons and
// the box that says whether the help shows at the start of a game.
namespace {

const QColor kWood(88, 50, 24);
const QColor kWoodDark(54, 28, 12);
const QColor kPaper(250, 244, 226);
const QColor kInk(40, 30, 20);
const QColor kCinnabar(150, 36, 28);

// Where the game places the widgets over the pages.
constexpr int kPageButtonX = 124;
constexpr int kPageButtonY[10] = {265, 284, 304, 321, 371, 389, 407, 426, 445, 464};
constexpr int kPageButtonW = 130;
constexpr int kPageButtonH = 17;
const QRectF kColumn(78, 54, 194, 492);
const QRectF kSheet(288, 54, 496, 468);
const QRectF kBody(306, 112, 460, 400);

// One line of a page: a heading, a paragraph, a row of tiles with a caption, or a labelled row.
struct Line {
    enum Kind { Heading, Text, Tiles, Row } kind;
    std::u16string_view a; // the heading, the paragraph, the caption or the label
    std::u16string_view b; // the tiles ("123m 55z": m characters, s bamboo, p dots, z honours,
                           // f flowers) or the row's text
};

Line H(std::u16string_view text) { return {Line::Heading, text, {}}; }
Line T(std::u16string_view text) { return {Line::Text, text, {}}; }
Line Tiles(std::u16string_view caption, std::u16string_view tiles) { return {Line::Tiles, caption, tiles}; }
Line Row(std::u16string_view label, std::u16string_view text) { return {Line::Row, label, text}; }

struct Page {
    std::u16string_view title;
    std::vector<Line> lines;
};

// Written for this game as it plays: rules of the local game, what online play adds, and the
// controls.
const std::vector<Page> &Pages()
{
    static const std::vector<Page> pages = {
        {u"游戏简介",
         {H(u"国标麻将，一人对三家"),
          T(u"Lantile 麻将按国家标准麻将的规则进行：一副牌 144 张，含 8 张花牌，共 81 种番种。单机游戏时，"
            u"您坐在牌桌下方，右、上、左三家由电脑控制；联网游戏时，登录游戏服务器，选择房间和桌子，与其他"
            u"玩家同桌对局，还可以聊天。"),
          H(u"怎样才算和牌"),
          T(u"手中的牌组成四组面子加一对将牌即可和牌。面子是顺子（同一花色相连的三张，如三四五万）、刻子"
            u"（三张相同的牌）或杠（四张相同的牌）。例如："),
          Tiles(u"", u"123m 456s 789p 111z 55z"),
          T(u"另有七对、十三幺、全不靠、组合龙等特殊牌型，见“番种与起和”。"),
          H(u"开始一局"),
          T(u"在标题画面选择开始游戏，挑一个存档位置，输入名字，选好四家的头像，就可以开局。每局结束后"
            u"出现结算画面，看完后继续下一局。")}},
        {u"牌的种类",
         {T(u"一副牌共 144 张："),
          Tiles(u"万子", u"123456789m"),
          Tiles(u"条子", u"123456789s"),
          Tiles(u"饼子", u"123456789p"),
          Tiles(u"字牌", u"1234z 567z"),
          Tiles(u"花牌", u"12345678f"),
          T(u"万子、条子、饼子叫数牌，每种 1 至 9，各 4 张，共 108 张。东南西北四种风牌和中发白三种箭牌"
            u"合称字牌，各 4 张，共 28 张。花牌梅兰竹菊、春夏秋冬各 1 张，共 8 张。"),
          T(u"数牌的一和九叫幺九牌，二至八叫中张。不少番种由此区分，例如断幺（没有幺九牌和字牌）、"
            u"全带幺（每组面子和将牌都带幺九牌或字牌）。")}},
        {u"鼠标与按键",
         {H(u"出牌"),
          T(u"轮到您出牌时，把鼠标移到手里的一张牌上，这张牌会升起；单击左键就打出这张牌。单击右键则"
            u"直接打出刚摸到的那张牌。"),
          H(u"吃、碰、杠、和、听、过"),
          T(u"可以吃、碰、杠、和或听牌时，手牌上方出现相应的按钮，并有提示音。单击按钮选择；不要就单击"
            u"“过”，或者单击右键。"),
          T(u"吃法或杠法不止一种时，只有能用的牌可以选：把鼠标移到其中一张上，单击即可选定。"),
          H(u"按键"),
          T(u"Esc：打开或关闭游戏菜单。\n回车：联网时发送聊天框里的文字。"),
          H(u"本帮助"),
          T(u"单击左边的目录跳到那一页，“上一页”“下一页”翻页（最后一页之后回到第一页），“关闭”回到"
            u"打开帮助前的画面。左下角的勾选框决定从标题画面开始游戏时是否先显示本帮助。")}},
        {u"牌桌与菜单",
         {H(u"牌桌"),
          T(u"您的手牌在下方。出牌顺序是逆时针：您之后是右边的下家，然后是对面的对家，再是左边的上家。"
            u"桌子中央的方位盘指出轮到谁，各家打出的牌排在中央自己的一侧。头像旁显示各家的名字、分数、"
            u"门风和亮出的花牌数。"),
          H(u"游戏菜单"),
          T(u"单击右下角的“菜单”按钮或按 Esc 打开：\n"
            u"游戏设置：声音、动画、提示、全屏，以及电脑出牌的快慢；\n"
            u"离开游戏：离开牌桌，单机游戏保存到当前的存档位置；\n"
            u"游戏规则：打开本帮助；\n"
            u"继续游戏：关上菜单。"),
          H(u"存档"),
          T(u"共有 5 个存档位置。开始新游戏时选一个位置；以后在存档画面选择已保存的位置，就能从上次离开"
            u"的地方继续。"),
          H(u"联网对局"),
          T(u"坐下后单击“开始”表示准备好，四家都准备好就开局。“邀请”请大厅里的其他玩家来同桌，“常用”"
            u"发送常用的聊天语句。")}},
        {u"发牌与行牌",
         {H(u"发牌"),
          T(u"每局开始时，庄家掷骰子决定从哪一家门前的牌墙开牌，再掷一次决定从第几墩开始。每人摸 13 张，"
            u"庄家多摸一张共 14 张，由庄家先出牌。发完牌后，手中的花牌自动亮出并补牌。"),
          H(u"行牌"),
          T(u"按您、下家、对家、上家的顺序轮流：先从牌墙摸一张，再打出一张。别人打出的牌可以吃、碰、"
            u"杠或和（见下一页）。"),
          H(u"和牌与荒庄"),
          T(u"摸到的牌使您和牌叫“自摸”；别人打出的牌使您和牌叫“点和”，打出这张牌的一家叫“点炮”。"
            u"牌墙摸完仍没有人和牌，这一局“荒庄”，不计分。"),
          H(u"庄家与圈风"),
          T(u"每局结束后由下家坐庄，不论谁和牌，荒庄也一样。庄家轮回到您时，圈风前进一圈：东风圈之后"
            u"是南风圈、西风圈、北风圈。"),
          H(u"听牌（单机游戏）"),
          T(u"打出一张牌就能听牌时，“听”按钮会亮。先单击“听”，再打出一张牌，就宣告听牌。听牌后摸到"
            u"能和的牌自动和牌，其余的牌自动打出，也不能再吃、碰；听牌和牌多计“听牌”1 番。")}},
        {u"吃碰杠和",
         {H(u"吃"),
          T(u"只能吃上家（左边一家）打出的牌：用手里同一花色的两张和它组成顺子。"),
          H(u"碰"),
          T(u"任何一家打出的牌，您手里有两张相同的，就可以碰，组成刻子。"),
          H(u"杠"),
          T(u"任何一家打出的牌，您手里有三张相同的，就可以杠（见下一页）。"),
          Tiles(u"例", u"345m 777p 2222s"),
          H(u"和"),
          T(u"别人打出的牌正好使您和牌时，单击“和”。吃或碰之后不摸牌，直接打出一张。"),
          H(u"谁先要"),
          T(u"同一张牌有几家要时，和优先于杠和碰，杠和碰优先于吃。几家都能和同一张牌时，从打牌者的"
            u"下家数起，最先轮到的一家和牌，其他人不能再和。")}},
        {u"杠牌与抢杠",
         {H(u"三种杠"),
          T(u"明杠：别人打出一张，您手里有三张相同的。\n"
            u"暗杠：轮到您时，手里有四张相同的牌。\n"
            u"加杠：已经碰出的刻子，摸到或手里有第四张时，补上成杠。"),
          Tiles(u"杠", u"5555s 7777z"),
          T(u"开杠后立即补摸一张牌，再打出一张。补摸的牌正好自摸和牌，叫“杠上开花”（8 番）。牌墙的最后"
            u"一张摸走以后，不能再开杠。"),
          H(u"抢杠和"),
          T(u"有人加杠时，如果那张牌正好使您和牌，可以抢过来和牌（“抢杠和”，8 番），这个杠就不成立。"
            u"您加杠时，电脑对手也可能抢杠。"),
          H(u"杠的番数"),
          T(u"明杠 1 番，暗杠 2 番，双明杠 4 番，双暗杠 6 番，三杠 32 番，四杠 88 番。")}},
        {u"花牌",
         {Tiles(u"花牌", u"12345678f"),
          T(u"花牌共 8 张：梅、兰、竹、菊、春、夏、秋、冬，各一张。花牌不能组成面子，也不留在手里。"),
          H(u"补花"),
          T(u"发牌后，手中的花牌自动亮出，并补摸一张；补到的又是花牌就再补，直到没有花牌为止。行牌中摸到"
            u"花牌也一样自动亮出、补牌。每家亮出的花牌数显示在头像旁。"),
          H(u"花牌的分"),
          T(u"和牌时，每张花牌计 1 番（番种“花牌”），加到总番数里。没有和牌的一家，花牌不计分。"),
          T(u"花牌不算入起和番数：联网对局规定 8 番起和时，不算花牌也要够 8 番才能和。")}},
        {u"番种与起和",
         {T(u"和牌的番数是牌型所符合的各番种之和；已被大番包含的小番不重复计算。单机游戏不设起和番数，"
            u"任何和牌都能和；联网对局的起和番数由牌桌规定，国标麻将通常是 8 番，不够时不能和。"),
          Row(u"88 番", u"大四喜 大三元 绿一色 九莲宝灯 四杠 连七对 十三幺"),
          Row(u"64 番", u"清幺九 小四喜 小三元 字一色 四暗刻 一色双龙会"),
          Row(u"48 番", u"一色四同顺 一色四节高"),
          Row(u"32 番", u"一色四步高 三杠 混幺九"),
          Row(u"24 番", u"七对 七星不靠 全双刻 清一色 一色三同顺 一色三节高 全大 全中 全小"),
          Row(u"16 番", u"清龙 三色双龙会 一色三步高 全带五 三同刻 三暗刻"),
          Row(u"12 番", u"全不靠 组合龙 大于五 小于五 三风刻"),
          Row(u"8 番", u"花龙 推不倒 三色三同顺 三色三节高 无番和 妙手回春 海底捞月 杠上开花 抢杠和"),
          Row(u"6 番", u"碰碰和 混一色 三色三步高 五门齐 全求人 双暗杠 双箭刻"),
          Row(u"4 番", u"全带幺 不求人 双明杠 和绝张"),
          Row(u"2 番", u"箭刻 圈风刻 门风刻 门前清 平和 四归一 双同刻 双暗刻 暗杠 断幺"),
          Row(u"1 番", u"一般高 喜相逢 连六 老少副 幺九刻 明杠 缺一门 无字 边张 坎张 单钓将 自摸 花牌（每张）"),
          T(u"单机游戏另有听牌、二五八将，各 1 番。")}},
        {u"计分与结算",
         {H(u"单机游戏"),
          T(u"开始时每人 1000 分。和牌的总番数（包括花牌）就是一份的分数：\n"
            u"自摸：另外三家各付给和牌者这么多分；\n"
            u"点和：只有点炮的一家付这么多分，其他两家不付。"),
          T(u"例如自摸 10 番，三家各付 10 分，和牌者共得 30 分；点和 10 番，点炮者付 10 分。荒庄不计分。"),
          H(u"结算画面"),
          T(u"每局结束后显示和牌者的牌和番种（指向一个番种可看它的说明），以及各家的名字和本局得失；"
            u"各家的总分写在牌桌上各家的名字下。按“再来一局”开始下一局。"),
          H(u"游戏结束"),
          T(u"有人的分数不足 1 分时游戏结束，画面显示“Some people went bankrupt,  Game is over.”"
            u"（有人破产，游戏结束）。请从标题画面开始新的游戏。"),
          H(u"联网对局"),
          T(u"联网对局的分数由游戏服务器按牌桌的规则结算。")}},
    };
    return pages;
}

QString Q(std::u16string_view text)
{
    return QString::fromUtf16(text.data(), static_cast<qsizetype>(text.size()));
}

// Lays a page's lines out from the top of the body down; false when they run past its end.
class PageWriter {
public:
    PageWriter(QPainter &p, const QImage &tiles) : p_(p), tiles_(tiles), y_(kBody.top()) {}

    bool Write(const Line &line)
    {
        switch (line.kind) {
        case Line::Heading:
            Heading(line.a);
            break;
        case Line::Text:
            y_ += Paragraph(line.a, kBody.left(), kBody.width(), HanFont(15, false), kInk) + 6;
            break;
        case Line::Tiles:
            TileRow(line.a, line.b);
            break;
        case Line::Row:
            LabelledRow(line.a, line.b);
            break;
        }
        return y_ <= kBody.bottom();
    }

private:
    void Heading(std::u16string_view text)
    {
        if (y_ > kBody.top())
            y_ += 4;
        QFont font = HanFont(16);
        p_.setFont(font);
        p_.setPen(kCinnabar);
        const double h = QFontMetricsF(font).height();
        p_.drawText(QRectF(kBody.left(), y_, kBody.width(), h), Qt::AlignLeft | Qt::AlignVCenter, Q(text));
        y_ += h + 3;
    }

    // The label, then the words side by side, a line broken only between words.
    void LabelledRow(std::u16string_view label, std::u16string_view words)
    {
        constexpr double kLabelWidth = 52, kGap = 9;
        const QFont font = HanFont(14, false);
        const QFontMetricsF metrics(font);
        const double lineHeight = metrics.height() + 1;
        p_.setFont(HanFont(14));
        p_.setPen(kCinnabar);
        p_.drawText(QRectF(kBody.left(), y_, kLabelWidth, lineHeight), Qt::AlignLeft | Qt::AlignVCenter, Q(label));
        p_.setFont(font);
        p_.setPen(kInk);
        const double start = kBody.left() + kLabelWidth;
        double x = start;
        for (const QString &word : Q(words).split(u' ', Qt::SkipEmptyParts)) {
            const double w = metrics.horizontalAdvance(word);
            if (x > start && x + w > kBody.right()) {
                x = start;
                y_ += lineHeight;
            }
            p_.drawText(QRectF(x, y_, w + 1, lineHeight), Qt::AlignLeft | Qt::AlignVCenter, word);
            x += w + kGap;
        }
        y_ += lineHeight + 3;
    }

    // Wrapped text; its height.
    double Paragraph(std::u16string_view text, double left, double width, const QFont &font, QColor colour)
    {
        const QString string = Q(text);
        const int flags = Qt::AlignLeft | Qt::AlignTop | Qt::TextWordWrap;
        QRectF box(left, y_, width, 1000);
        QRectF used = QFontMetricsF(font).boundingRect(box, flags, string);
        p_.setFont(font);
        p_.setPen(colour);
        p_.drawText(box, flags, string);
        return used.height();
    }

    void TileRow(std::u16string_view caption, std::u16string_view notation)
    {
        constexpr int kCells = 43;
        const int w = tiles_.width() / kCells, h = tiles_.height();
        double x = kBody.left();
        if (!caption.empty()) {
            p_.setFont(HanFont(15));
            p_.setPen(kBrown);
            p_.drawText(QRectF(x, y_, 56, h), Qt::AlignLeft | Qt::AlignVCenter, Q(caption));
            x += 56;
        }
        std::vector<char16_t> values;
        for (char16_t c : notation) {
            if (c >= u'1' && c <= u'9') {
                values.push_back(c);
                continue;
            }
            int base = c == u'm' ? 0 : c == u's' ? 9 : c == u'p' ? 18 : c == u'z' ? 27 : c == u'f' ? 34 : -1;
            for (char16_t v : values) {
                const int cell = base + (v - u'1');
                p_.drawImage(QPointF(x, y_), tiles_, QRectF(cell * w, 0, w, h));
                x += w;
            }
            values.clear();
            if (c == u' ')
                x += 8;
        }
        y_ += h + 8;
    }

    QPainter &p_;
    const QImage &tiles_;
    double y_;
};

// What every page shares: the felt, the title bar, the contents column and the sheet of text.
void Frame(QPainter &p, const QImage &standing)
{
    p.fillRect(QRectF(0, 0, 800, 600), kFeltDark);
    Felt(p, QRectF(0, 40, 800, 560), QRectF(4, 44, 792, 552));

    QLinearGradient bar(0, 0, 0, 40);
    bar.setColorAt(0, kWood);
    bar.setColorAt(1, kWoodDark);
    p.fillRect(QRectF(0, 0, 800, 40), bar);
    p.setFont(HanFont(20));
    p.setPen(kGold);
    p.drawText(QRectF(20, 0, 600, 40), Qt::AlignLeft | Qt::AlignVCenter, QStringLiteral("Lantile 麻将 · 游戏帮助"));

    Panel(p, kColumn, kWood, kWoodDark, kGold, 1.5, 8);
    // Red, green and white dragons over the contents.
    const int w = standing.width() / 43;
    for (int i = 0; i < 3; ++i)
        p.drawImage(QPointF(kColumn.center().x() - 1.5 * w - 4 + i * (w + 4), 74), standing, QRectF((31 + i) * w, 0, w, standing.height()));
    DrawText(p, QRectF(kColumn.left(), 134, kColumn.width(), 28), u"国标麻将", HanFont(20), kGold);
    DrawText(p, QRectF(kColumn.left(), 200, kColumn.width(), 26), u"目  录", HanFont(17), kCream);
    for (auto [title, top] : {std::pair{u"入门", 242.0}, std::pair{u"规则", 347.0}}) {
        p.setPen(QPen(kGold.darker(120), 1));
        p.drawLine(QPointF(kColumn.left() + 14, top + 10), QPointF(kColumn.right() - 14, top + 10));
        DrawText(p, QRectF(kColumn.center().x() - 30, top, 60, 20), title, HanFont(14), kGold, kWoodDark, 6);
    }

    Panel(p, kSheet, kPaper, kPaper.darker(106), kGold.darker(140), 2, 6);
}

QImage HelpPage(int index, const Page &page, const QImage &tiles, const QImage &standing, bool *fits)
{
    return Drawn(800, 600, [&](QPainter &p) {
        Frame(p, standing);
        // This page's entry in the contents is marked.
        const double my = kPageButtonY[index] + kPageButtonH / 2.0;
        QPainterPath mark;
        mark.moveTo(kPageButtonX - 14, my - 6);
        mark.lineTo(kPageButtonX - 4, my);
        mark.lineTo(kPageButtonX - 14, my + 6);
        mark.closeSubpath();
        p.setPen(Qt::NoPen);
        p.setBrush(kGold);
        p.drawPath(mark);

        p.setFont(HanFont(24));
        p.setPen(kCinnabar);
        p.drawText(QRectF(kBody.left(), 62, kBody.width(), 40), Qt::AlignLeft | Qt::AlignVCenter, Q(page.title));
        p.setPen(QPen(kGold.darker(115), 2));
        p.drawLine(QPointF(kBody.left(), 104), QPointF(kBody.right(), 104));

        PageWriter writer(p, tiles);
        *fits = true;
        for (const Line &line : page.lines)
            *fits = writer.Write(line) && *fits;

        const QString number = QStringLiteral("第 %1 页 / 共 %2 页").arg(index + 1).arg(Pages().size());
        p.setFont(HanFont(14, false));
        p.setPen(kCream);
        p.drawText(QRectF(kSheet.left(), 532, 290, 26), Qt::AlignCenter, number);
    });
}

} // namespace

void DrawHelp(PictureBook &book)
{
    const QImage *lying = book.Find("Graphic\\zjpd.bmp");
    const QImage *standing = book.Find("Graphic\\zjzl.bmp");
    if (!lying || !standing) {
        book.Fail("the help pages need the tile sheets");
        return;
    }
    const QImage tiles = SeeThrough(*lying), hand = SeeThrough(*standing);
    const std::vector<Page> &pages = Pages();
    for (size_t i = 0; i < pages.size(); ++i) {
        bool fits = true;
        QImage page = HelpPage(static_cast<int>(i), pages[i], tiles, hand, &fits);
        if (!fits)
            book.Fail("help page " + std::to_string(i + 1) + " runs past its sheet");
        // The screen shows its background until the first page change: it is page 1.
        if (i == 0)
            book.AddOpaque("Graphic\\HelpForm\\background.bmp", page);
        book.AddOpaque("Graphic\\HelpForm\\" + std::to_string(i + 1) + ".bmp", page);
        book.AddKeyed("Graphic\\HelpForm\\bt" + std::to_string(i + 1) + ".bmp",
                      Button(kPageButtonW, kPageButtonH, pages[i].title, kBrown, 12));
    }
    book.AddKeyed("Graphic\\HelpForm\\prev.bmp", Button(72, 26, u"上一页", kBrown, 14));
    book.AddKeyed("Graphic\\HelpForm\\next.bmp", Button(72, 26, u"下一页", kBrown, 14));
    book.AddKeyed("Graphic\\HelpForm\\close.bmp", Button(88, 28, u"关闭", QColor(150, 28, 32), 15));
    // The box and its label: "show this help when a game is started".
    book.AddKeyed("Graphic\\HelpForm\\checkbox1.bmp", CheckBox(160, false, u"开始游戏时显示帮助"));
    book.AddKeyed("Graphic\\HelpForm\\checkbox2.bmp", CheckBox(160, true, u"开始游戏时显示帮助"));
}
