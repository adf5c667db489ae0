#include "assets/PictureBook.h"
#include "assets/ScreenPalette.h"

#include <QPainter>

// The screens of online play, each drawn alone over the whole frame: the login, the choice of game
// server and the registration of a new account. Each is a dark panel on the felt with its title; the
// game writes the edits' texts, the status line (white, at (280, 525)) and the servers' names.
namespace {

// The felt, the product's name at the top, and the screen's panel with its title.
QImage Backdrop(const QRectF &panel, std::u16string_view title, const std::function<void(QPainter &)> &more)
{
    return Drawn(800, 600, [&](QPainter &p) {
        Felt(p, QRectF(0, 0, 800, 600), QRectF(6, 6, 788, 588));
        DrawText(p, QRectF(0, 24, 800, 60), u"Lantile 麻将", HanFont(40), kGold, kFeltDark, 5);
        Panel(p, panel, kNight, kNightDeep, kGold, 2, 12);
        DrawText(p, QRectF(panel.left(), panel.top() + 12, panel.width(), 36), title, HanFont(24), kGold);
        p.setPen(QPen(kGold.darker(130), 1));
        p.drawLine(QPointF(panel.left() + 24, panel.top() + 54), QPointF(panel.right() - 24, panel.top() + 54));
        more(p);
    });
}

// A label right-aligned before a field whose top-left corner is (x, y).
void FieldLabel(QPainter &p, double x, double y, double h, std::u16string_view text)
{
    p.setFont(HanFont(16, false));
    p.setPen(kCream);
    p.drawText(QRectF(x - 130, y, 118, h), Qt::AlignRight | Qt::AlignVCenter,
               QString::fromUtf16(text.data(), static_cast<qsizetype>(text.size())));
}

void Note(QPainter &p, const QRectF &box, std::u16string_view text)
{
    DrawText(p, box, text, HanFont(13, false), kCream.darker(115));
}

QImage LoginBackground()
{
    // Edits at (373, 213) and (373, 291), 160 x 26; buttons at x 224 and 463, y 418 and 478.
    return Backdrop(QRectF(180, 110, 440, 470), u"登录游戏服务器", [](QPainter &p) {
        FieldLabel(p, 373, 213, 26, u"帐  号");
        FieldLabel(p, 373, 291, 26, u"密  码");
        Note(p, QRectF(180, 250, 440, 24), u"帐号和密码为4-12个字符");
        Note(p, QRectF(180, 340, 440, 24), u"在公司或学校上网，可能需要先设置代理服务器");
    });
}

QImage ServersBackground()
{
    // Server rows at (323, 239 + 47k), 154 x 22; back at (312, 471).
    return Backdrop(QRectF(250, 140, 300, 400), u"选择游戏服务器", [](QPainter &p) {
        Note(p, QRectF(250, 202, 300, 24), u"请选择离您最近的服务器");
    });
}

QImage RegisterBackground()
{
    // Edits at x 405, y 193, 236, 275 and 315, 180 x 26; the two choices at (382, 375) and (534, 375);
    // buttons at (224, 478) and (463, 478).
    return Backdrop(QRectF(180, 100, 440, 480), u"注册新帐号", [](QPainter &p) {
        FieldLabel(p, 405, 193, 26, u"帐  号");
        FieldLabel(p, 405, 236, 26, u"密  码");
        FieldLabel(p, 405, 275, 26, u"确认密码");
        FieldLabel(p, 405, 315, 26, u"电子邮件");
        FieldLabel(p, 382, 375, 20, u"性  别");
        p.setFont(HanFont(16, false));
        p.setPen(kCream);
        p.drawText(QRectF(408, 375, 60, 20), Qt::AlignLeft | Qt::AlignVCenter, QStringLiteral("男"));
        p.drawText(QRectF(560, 375, 40, 20), Qt::AlignLeft | Qt::AlignVCenter, QStringLiteral("女"));
        Note(p, QRectF(180, 412, 440, 22), u"帐号、密码为4-12个字符");
        Note(p, QRectF(180, 434, 440, 22), u"电子邮件地址不超过30个字符");
    });
}

} // namespace

void DrawOnlineScreens(PictureBook &book)
{
    book.AddOpaque("Graphic\\LoginForm\\background.bmp", LoginBackground());
    book.AddKeyed("Graphic\\LoginForm\\edit.bmp", EditField(160, 26));
    book.AddKeyed("Graphic\\LoginForm\\Enter.bmp", Button(112, 40, u"登录", kGreen, 18));
    book.AddKeyed("Graphic\\LoginForm\\Close.bmp", Button(112, 40, u"返回", kRed, 18));
    book.AddKeyed("Graphic\\LoginForm\\Reg.bmp", Button(112, 40, u"注册帐号", kBlue, 18));
    book.AddKeyed("Graphic\\LoginForm\\Daili.bmp", Button(112, 40, u"代理设置", kBrown, 18));

    // The rows are 47 pixels apart; the game writes each server's name at the row's top left.
    book.AddOpaque("Graphic\\ChooseNetForm\\background.bmp", ServersBackground());
    book.AddKeyed("Graphic\\ChooseNetForm\\load.bmp", Button(154, 22, u"", kBlue, 12));
    // Also the saved-game slots screen's way back, at the same place.
    book.AddKeyed("Graphic\\LoadForm\\close.bmp", Button(176, 34, u"返回", kBrown, 16));

    book.AddOpaque("Graphic\\RegForm\\background.bmp", RegisterBackground());
    book.AddKeyed("Graphic\\RegForm\\edit.bmp", EditField(180, 26));
    book.AddKeyed("Graphic\\RegForm\\checkbox1.bmp", CheckBox(20, false, u""));
    book.AddKeyed("Graphic\\RegForm\\checkbox2.bmp", CheckBox(20, true, u""));
    book.AddKeyed("Graphic\\RegForm\\submit.bmp", Button(112, 40, u"提交", kGreen, 18));
    book.AddKeyed("Graphic\\RegForm\\return.bmp", Button(112, 40, u"返回", kRed, 18));
}
