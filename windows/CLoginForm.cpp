#include "windows/CLoginForm.h"

#include "platform/MessageBox.h"
#include "platform/Profile.h"
#include "table/Addresses.h"
#include "table/CMj.h"
#include "table/Shell.h"
#include "windows/CDxEdit.h"
#include "windows/CRegForm.h"

#include <string>

CLoginForm *loginform = nullptr;

namespace {

const char *const kSetIni = "Set.ini";
const char *const kNetworkCfg = "Network.cfg";
const char *const kSection = "loginserver";
constexpr size_t kMinBytes = 4;
constexpr size_t kMaxBytes = 12;
constexpr size_t kNameBytes = 20;
constexpr uint8_t kTab = 9;
constexpr uint8_t kEnter = 13;
constexpr uint32_t kWhite = 0xFFFFFF;

// The length messages in the order the checks run: account too short, too long, password too short,
// too long. The button's go to the message screen, Enter's to a box.
const char *const kEnglish[4] = {
    "Please input  the account numbers at least 4 numbers.",
    "Please input  the account numbers is less than 12 numbers",
    "Please input  the password at least 4 numbers.",
    "Please input the password  is less than 12 numbers.",
};
const char *const kChinese[4] = {"请输入至少4位的帐号", "请输入少于12位的帐号", "请输入至少4位的密码",
                                 "请输入少于12位的密码"};

// The first length check that fails, or -1.
int LengthFault(size_t account, size_t password)
{
    if (account < kMinBytes)
        return 0;
    if (account > kMaxBytes)
        return 1;
    if (password < kMinBytes)
        return 2;
    if (password > kMaxBytes)
        return 3;
    return -1;
}

} // namespace

CLoginForm::CLoginForm(std::string_view backgroundPath, CMj *game)
    : CBitForm(backgroundPath, game), accountedit(std::make_unique<CDxEdit>("Graphic\\LoginForm\\edit.bmp")),
      passwordedit(std::make_unique<CDxEdit>("Graphic\\LoginForm\\edit.bmp"))
{
    buttons.Add("Graphic\\LoginForm\\Enter.bmp", "");
    buttons.Add("Graphic\\LoginForm\\Close.bmp", "");
    buttons.Add("Graphic\\LoginForm\\Reg.bmp", "");
    buttons.Add("Graphic\\LoginForm\\Daili.bmp", "");
    buttons.Get(REGISTER)->tooltip = "Register Zenpass";
    passwordedit->mask = 1;
    status.color = kWhite;
    status.visible = 0;
    logintimer.id = TIMER_LOGIN;
    logintimer.interval = kLoginTimeoutMs;

    char name[kNameBytes] = {};
    Profile::ReadString(kNetworkCfg, kSection, "name", "", name, sizeof name);
    accountedit->text = name;
    Focus(accountedit->text.empty() ? accountedit.get() : passwordedit.get());
    proxy = ProxySettings::Read(kSetIni);
    SetPos(0, 0);
}

CLoginForm::~CLoginForm() = default;

void CLoginForm::WriteSettings(Profile::Edit &ini) const
{
    proxy.Write(ini);
}

void CLoginForm::Draw()
{
    CBitForm::Draw();
    accountedit->Draw();
    passwordedit->Draw();
    status.Draw();
}

void CLoginForm::Hide()
{
    Repaint();
}

void CLoginForm::SetPos(int px, int py)
{
    CBitForm::SetPos(px, py);
    buttons.SetPos(ENTER, px + 224, py + 418);
    buttons.SetPos(CLOSE, px + 224, py + 478);
    buttons.SetPos(REGISTER, px + 463, py + 418);
    buttons.SetPos(PROXY, px + 463, py + 478);
    accountedit->SetPos(px + 373, py + 213);
    passwordedit->SetPos(px + 373, py + 291);
    status.SetRect(px + 280, py + 525, 300, 40);
}

void CLoginForm::Show()
{
    passwordedit->text.clear();
    curscreen = SCREEN_LOGIN;
    Repaint();
}

void CLoginForm::Focus(CDxEdit *edit)
{
    accountedit->focused = edit == accountedit.get();
    passwordedit->focused = edit == passwordedit.get();
    curedit = edit;
    curedit->caret = 1;
}

int CLoginForm::MouseDown(int px, int py)
{
    int index = buttons.MouseDown(px, py);
    if (accountedit->MouseDown(px, py))
        Focus(accountedit.get());
    else if (passwordedit->MouseDown(px, py))
        Focus(passwordedit.get());
    Repaint();
    return index;
}

int CLoginForm::MouseUp(int px, int py)
{
    int index = buttons.MouseUp(px, py);
    switch (index) {
    case ENTER:
        Login(Messages::English);
        break;
    case CLOSE:
        curscreen = SCREEN_MENU;
        Repaint();
        break;
    case REGISTER:
        regform->Show();
        break;
    case PROXY:
        Repaint();
        EditProxy();
        break;
    default:
        break;
    }
    return index;
}

void CLoginForm::KeyPress(uint8_t key)
{
    if (key == kTab) {
        Focus(accountedit->focused ? passwordedit.get() : accountedit.get());
        Repaint();
        return;
    }
    if (key == kEnter && !Login(Messages::Chinese))
        return;
    accountedit->KeyPress(key);
    passwordedit->KeyPress(key);
    Repaint();
}

bool CLoginForm::Login(Messages messages)
{
    const int fault = LengthFault(accountedit->text.size(), passwordedit->text.size());
    if (fault >= 0) {
        if (messages == Messages::English)
            owner->ShowMessage(kEnglish[fault]);
        else
            MessageBox::Show(kChinese[fault], "Warning", MessageBox::IconInformation);
        return false;
    }
    NetLink *link = owner->netlink;
    if (!link || link->GameLinkActive())
        return true;

    GameLinkTarget target;
    if (serverindex >= 0 && serverindex < servercount) {
        target.host = serverlist[serverindex].host;
        target.port = serverlist[serverindex].port;
    } else {
        char ip[50];
        Profile::ReadString(kNetworkCfg, kSection, "ip", kGameServerHost, ip, sizeof ip);
        target.host = ip;
        target.port = kGameServerPort;
    }
    target.account = accountedit->text;
    target.password = passwordedit->text;
    target.proxy = proxy.Route();

    // The screen waits before the link opens: an error reported while it opens must find the buttons
    // already off and the time-out running, or it would leave them off for good.
    status.Show("正在连接到游戏服务器...");
    SetEnabled(false);
    Repaint();
    Profile::WriteString(kNetworkCfg, kSection, "name", accountedit->text);
    logintimer.SetEnabled(true);
    link->OpenGameLink(target);
    return true;
}

bool CLoginForm::OnTimer(unsigned id)
{
    if (id != TIMER_LOGIN)
        return false;
    logintimer.SetEnabled(false);
    SetEnabled(true);
    Repaint();
    NetLink *link = owner->netlink;
    const bool connected = link && link->GameLinkConnected();
    if (link)
        link->CloseGameLink();
    if (owner->shell)
        owner->shell->PostBox(LoginTimeoutText(connected), "Lantile", MessageBox::IconInformation, nullptr);
    return true;
}

void CLoginForm::SetEnabled(bool enabled)
{
    for (int i = ENTER; i <= PROXY; ++i)
        buttons.Get(i)->enabled = enabled;
}

void CLoginForm::Release()
{
    SetEnabled(true);
    logintimer.SetEnabled(false);
}

void CLoginForm::EditProxy()
{
    if (!owner->shell)
        return;
    ProxyDialog dialog = ProxyDialog::For(proxy);
    if (owner->shell->EditProxy(dialog))
        dialog.TakeInto(proxy);
}
