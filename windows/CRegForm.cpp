#include "windows/CRegForm.h"

#include "platform/MessageBox.h"
#include "platform/Profile.h"
#include "table/Addresses.h"
#include "table/CMj.h"
#include "table/Shell.h"
#include "windows/CDxEdit.h"
#include "windows/CLoginForm.h"

CRegForm *regform = nullptr;

namespace {

constexpr int kEditX = 405;
constexpr int kEditY[CRegForm::EDITS] = {193, 236, 275, 315};
constexpr size_t kMinBytes = 4;
constexpr size_t kMaxBytes = 12;
constexpr uint8_t kTab = 9;
constexpr uint32_t kWhite = 0xFFFFFF;

bool OutOfRange(size_t bytes)
{
    return bytes < kMinBytes || bytes > kMaxBytes;
}

// Whether a GBK text holds the ASCII character c as a character of its own: the second byte of a
// two-byte character may be '@'.
bool HasCharacter(std::string_view gbk, char c)
{
    for (size_t i = 0; i < gbk.size(); ++i) {
        if (gbk[i] == c)
            return true;
        if (static_cast<unsigned char>(gbk[i]) >= 0x81 && static_cast<unsigned char>(gbk[i]) <= 0xFE)
            ++i;
    }
    return false;
}

} // namespace

CRegForm::CRegForm(std::string_view backgroundPath, CMj *game) : CBitForm(backgroundPath, game)
{
    for (auto &edit : edits)
        edit = std::make_unique<CDxEdit>("Graphic\\RegForm\\edit.bmp");
    edits[PASSWORD]->mask = 1;
    edits[CONFIRM]->mask = 1;
    for (auto &box : choice)
        box = std::make_unique<CBitCheckBox>("Graphic\\RegForm\\checkbox1.bmp", "Graphic\\RegForm\\checkbox2.bmp");
    choice[1]->checked = 0;
    buttons.Add("Graphic\\RegForm\\submit.bmp", "");
    buttons.Add("Graphic\\RegForm\\return.bmp", "");
    status.color = kWhite;
    status.visible = 0;
    regtimer.id = TIMER_REGISTER;
    regtimer.interval = kTimeoutMs;
    Focus(ACCOUNT);
    SetPos(0, 0);
}

CRegForm::~CRegForm() = default;

void CRegForm::Draw()
{
    CBitForm::Draw();
    for (auto &edit : edits)
        edit->Draw();
    status.Draw();
    for (auto &box : choice)
        box->Draw();
}

void CRegForm::Hide()
{
    Repaint();
}

void CRegForm::SetPos(int px, int py)
{
    CBitForm::SetPos(px, py);
    buttons.SetPos(SUBMIT, px + 224, py + 478);
    buttons.SetPos(RETURN, px + 463, py + 478);
    status.SetRect(280, 525, 300, 40);
    choice[0]->SetPos(382, 375);
    choice[1]->SetPos(534, 375);
    for (int i = 0; i < EDITS; ++i)
        edits[i]->SetPos(kEditX, kEditY[i]);
}

void CRegForm::Show()
{
    curscreen = SCREEN_REGISTER;
    Repaint();
}

void CRegForm::Focus(int edit)
{
    for (int i = 0; i < EDITS; ++i)
        edits[i]->focused = i == edit;
    curedit = edits[edit].get();
    curedit->caret = 1;
}

int CRegForm::MouseDown(int px, int py)
{
    int index = ButtonsDown(px, py);
    for (int i = 0; i < EDITS; ++i)
        if (edits[i]->MouseDown(px, py))
            Focus(i);
    // The two choices exclude each other.
    if (choice[0]->MouseUp(px, py))
        choice[1]->checked = !choice[0]->checked;
    else if (choice[1]->MouseUp(px, py))
        choice[0]->checked = !choice[1]->checked;
    Repaint();
    return index;
}

int CRegForm::MouseUp(int px, int py)
{
    int index = buttons.MouseUp(px, py);
    if (index == SUBMIT) {
        Submit();
    } else if (index == RETURN) {
        // The login screen comes back as it was left, password and all.
        curscreen = SCREEN_LOGIN;
        Repaint();
    }
    return index;
}

void CRegForm::KeyPress(uint8_t key)
{
    if (key == kTab) {
        int next = ACCOUNT;
        for (int i = 0; i < EDITS; ++i)
            if (edits[i]->focused)
                next = (i + 1) % EDITS;
        Focus(next);
    } else {
        for (auto &edit : edits)
            edit->KeyPress(key);
    }
    Repaint();
}

void CRegForm::Refuse(const char *message, Edit edit)
{
    owner->ShowMessage(message);
    Focus(edit);
    Repaint();
}

void CRegForm::Submit()
{
    const std::string &account = edits[ACCOUNT]->text;
    const std::string &password = edits[PASSWORD]->text;
    const std::string &email = edits[EMAIL]->text;
    if (OutOfRange(account.size()))
        return Refuse("玩家帐户必须为4-12个字符", ACCOUNT);
    if (OutOfRange(password.size()))
        return Refuse("密码必须在4-12个字符之间", PASSWORD);
    if (password != edits[CONFIRM]->text)
        return Refuse("密码不一致", PASSWORD);
    if (!HasCharacter(email, '@') || !HasCharacter(email, '.'))
        return Refuse("您的电子邮件地址无效,请重新填写. 如player@example.org", EMAIL);
    // A longer address would reach the server cut, an address that does not exist.
    if (email.size() > RegRequest::kEmailBytes)
        return Refuse("电子邮件地址不能超过30个字符", EMAIL);

    NetLink *link = owner->netlink;
    if (!link)
        return;
    RegLinkTarget target;
    char regip[50];
    Profile::ReadString("Network.cfg", "loginserver", "regip", kRegServerHost, regip, sizeof regip);
    target.host = regip;
    target.port = kRegServerPort;
    target.proxy = loginform->proxy.Route();
    target.request = RegRequest(account, password, email, choice[0]->checked);

    // As the login: the screen waits before the link opens.
    status.Show("正在连接到注册服务器...");
    EnableButtons(false);
    Repaint();
    regtimer.SetEnabled(true);
    link->OpenRegLink(target);
}

bool CRegForm::OnTimer(unsigned id)
{
    if (id != TIMER_REGISTER)
        return false;
    // A silent server, or a proxy that never finishes its handshake: the screen is usable again.
    Release();
    owner->netlink->CloseRegLink();
    status.visible = 0;
    Repaint();
    if (owner->shell)
        owner->shell->PostBox("连接注册服务器超时,请重试.", "Lantile", MessageBox::IconInformation, nullptr);
    return true;
}

void CRegForm::EnableButtons(bool enabled)
{
    buttons.Get(SUBMIT)->enabled = enabled;
    buttons.Get(RETURN)->enabled = enabled;
}

void CRegForm::Release()
{
    EnableButtons(true);
    regtimer.SetEnabled(false);
}
