// Input from the main window, routed to the overlays, the screen on top or the table; what the
// table's buttons do; chat sending.
#include "table/CMj.h"

#include "platform/OpenUrl.h"
#include "screen/CDxSound.h"
#include "table/ClientRecords.h"
#include "table/Shell.h"
#include "windows/CDxChatWnd.h"
#include "windows/CDxEdit.h"
#include "windows/CHelpForm.h"
#include "windows/CInviteForm.h"
#include "windows/CSetForm.h"
#include "windows/Screens.h"

namespace {

constexpr int kHoverEffect = 5;
constexpr uint32_t kWhite = 0xFFFFFF;
const char *const kTalkWarning = "请爱护公共聊天环境，不要频繁发送聊天消息";

// The first chow choice holding the tile, or -1.
int ChowWith(const CMjPlayer &p, MjTile tile)
{
    for (int j = 0; j < p.chinum; ++j)
        if (IsSameMj(p.chichoice[j].tiles[0], tile) || IsSameMj(p.chichoice[j].tiles[1], tile))
            return j;
    return -1;
}

bool AllWild(const CMjPlayer &p)
{
    for (int i = 0; i < p.cardnum; ++i)
        if (!IsSameOrFlower(p.Mj[i], wildmj))
            return false;
    return true;
}

} // namespace

bool CMj::OnlineConnected() const
{
    return netgame && netlink && netlink->GameLinkConnected();
}

template <typename Call> bool CMj::ToScreen(Call call)
{
    if (curscreen == SCREEN_NONE)
        return false;
    if (CBitForm *screen = ScreenById(curscreen))
        call(*screen);
    return true;
}

void CMj::OnMouseDown(int x, int y, bool right)
{
    if (OverlayMouse(MouseAction::Down, x, y))
        return;
    if (ToScreen([&](CBitForm &screen) { right ? screen.RightMouseDown(x, y) : (void)screen.MouseDown(x, y); }))
        return;
    if (right) {
        if (!UserMenuAt(x, y))
            RightPress();
        return;
    }
    // A ready-made line goes out as it is, past the talk gate.
    if (OnlineConnected())
        if (std::optional<std::string_view> line = chatwnd[1]->LineAt(x, y)) {
            BuildTableChat(sendbuf, *line, CHAT_LINE);
            SendBuffer();
            EnlargeChat(false);
            Paint();
            return;
        }
    // A button acts on its release.
    if (tablebuttons.MouseDown(x, y) >= 0 || chatwnd[0]->MouseDown(x, y) || chatwnd[1]->MouseDown(x, y)) {
        Paint();
        return;
    }
    if (GameMenuShown()) {
        ShowGameMenu(false);
        return;
    }
    if (const int label = LinkLabelAt(x, y); label >= 0) {
        OpenUrl(linklabels[label].link);
        return;
    }
    HandPressed();
}

int CMj::LinkLabelAt(int x, int y)
{
    if (curscreen != SCREEN_NONE || showmsgon || invitemsgon || GameMenuShown())
        return -1;
    for (int i = 0; i < MAX_LINKLABELS; i++)
        if (linklabels[i].Contains(x, y))
            return i;
    return -1;
}

bool CMj::HoverLinkLabels(int x, int y)
{
    const int under = LinkLabelAt(x, y);
    bool changed = false;
    for (int i = 0; i < MAX_LINKLABELS; i++) {
        const uint8_t hover = i == under;
        changed = changed || linklabels[i].hover != hover;
        linklabels[i].hover = hover;
    }
    if (changed && shell)
        shell->ShowHandCursor(under >= 0);
    return changed;
}

bool CMj::UserMenuAt(int x, int y)
{
    if (!IsNetGame() || !shell)
        return false;
    for (int seat : {3, 1, 2, 0}) {
        const Rect &r = draw.avatarrect[seat];
        if (!player[seat].seated || x < r.left || x >= r.right || y < r.top || y >= r.bottom)
            continue;
        if (const UserRow *row = userlist.FindUserItem(player[seat].GetName()))
            shell->PrepareUserMenu(row->name, x, y, true);
        return true;
    }
    return false;
}

void CMj::RightPress()
{
    CMjPlayer &me = player[0];
    if (me.drawflag && !buttons.shown) {
        if (wildmode && IsSameOrFlower(me.drawmj, wildmj) && !AllWild(me))
            return;
        me.hoverindex = me.cardnum;
        PlayHighlighted();
    } else if (buttons.shown && buttons.pass) {
        Pass(0);
    }
}

void CMj::HandPressed()
{
    CMjPlayer &me = player[0];
    if (me.hoverindex >= 0 && me.chiflag) {
        AnswerClaim(CLAIM_CHI);
        return;
    }
    if (me.hoverindex >= 0 && me.gangflag) {
        // The drawn tile can be raised without being a kong.
        if (FindMj(me.gangchoice, me.gangnum, me.gangmj))
            AnswerClaim(CLAIM_GANG);
        return;
    }
    PlayHighlighted();
}

void CMj::OnMouseMove(int x, int y)
{
    // Remembered whatever takes the move: the turn cycle raises the tile under it later.
    mousex = x;
    mousey = y;
    // Whatever takes the move, a link left behind by it stops being pointed at.
    bool changed = HoverLinkLabels(x, y);
    if (OverlayMouse(MouseAction::Move, x, y))
        return;
    if (ToScreen([&](CBitForm &screen) { screen.MouseMove(x, y); }))
        return;
    changed = tablebuttons.MouseMove(x, y) >= 0 || changed;
    changed = chatwnd[0]->MouseMove(x, y) || changed;
    changed = chatwnd[1]->MouseMove(x, y) || changed;
    if (changed)
        Paint();
    HoverHandAt(x, y);
}

void CMj::HoverHandAt(int x, int y)
{
    CMjPlayer &me = player[0];
    const bool choosing = me.chiflag || me.gangflag;
    if (!(netgame || cansave || choosing) || chatenlarged || gamestatus == 2)
        return;
    if (draw.HoverHand(x, y, &me))
        HandHovered();
}

void CMj::RefreshHover()
{
    HoverHandAt(mousex, mousey);
}

void CMj::HandHovered()
{
    CMjPlayer &me = player[0];
    const int i = me.hoverindex;
    if (i >= 0 && i <= me.cardnum) {
        const MjTile tile = i == me.cardnum ? me.drawmj : me.Mj[i];
        if (me.gangflag)
            me.gangmj = tile;
        if (me.chiflag) {
            const int j = ChowWith(me, tile);
            if (j >= 0) {
                me.chimj[0] = me.chichoice[j].tiles[0];
                me.chimj[1] = me.chichoice[j].tiles[1];
            }
        }
        PlayEffect(kHoverEffect);
    }
    Paint();
}

void CMj::OnMouseUp(int x, int y)
{
    if (OverlayMouse(MouseAction::Up, x, y))
        return;
    if (ToScreen([&](CBitForm &screen) { screen.MouseUp(x, y); }))
        return;
    const int index = tablebuttons.MouseUp(x, y);
    if (index >= 0) {
        TableButtonClicked(index);
        return;
    }
    bool used = chatwnd[0]->MouseUp(x, y);
    used = chatwnd[1]->MouseUp(x, y) || used;
    if (used)
        Paint();
}

void CMj::OnKeyPress(uint8_t ch)
{
    if (ToScreen([&](CBitForm &screen) { screen.KeyPress(ch); }))
        return;
    if (!IsNetGame() || ch == '\r')
        return;
    chatedit->KeyPress(ch);
    Paint();
}

void CMj::OnKeyDown(int key)
{
    if (ToScreen([&](CBitForm &screen) { screen.KeyDown(key); }))
        return;
    if (key == '\r')
        SendChatInput();
    else if (key == 27)
        ShowGameMenu(!GameMenuShown());
}

void CMj::OnKeyUp(int key)
{
    ToScreen([&](CBitForm &screen) { screen.KeyUp(key); });
}

CDxEdit *CMj::FocusedEdit()
{
    if (curscreen != SCREEN_NONE) {
        CBitForm *screen = ScreenById(curscreen);
        return screen ? screen->FocusedEdit() : nullptr;
    }
    return IsNetGame() ? chatedit.get() : nullptr;
}

void CMj::TableButtonClicked(int index)
{
    switch (index) {
    case BTN_PENG:
    case BTN_GANG:
    case BTN_HU:
    case BTN_PASS:
    case BTN_CHI:
    case BTN_TING:
        ClaimButtonClicked(index);
        return;
    case BTN_START:
        PlayWave("Wave\\start.wav");
        tablebuttons.Get(BTN_START)->visible = 0;
        if (OnlineConnected() && BuildBare(sendbuf, CS_READY))
            SendBuffer();
        player[0].started = 1;
        Paint();
        return;
    case BTN_MENU:
        ShowGameMenu(!GameMenuShown());
        return;
    case BTN_SEND:
        SendChatInput();
        return;
    case BTN_CHATUP:
    case BTN_CHATDOWN:
        PlayWave("Wave\\ta.wav");
        EnlargeChat(index == BTN_CHATUP);
        Paint();
        return;
    case BTN_INVITE:
        inviteform->Show();
        return;
    case BTN_OPTIONS:
        setform->Show();
        ShowGameMenu(false);
        return;
    case BTN_RULES:
        helpform->Show();
        return;
    case BTN_BACK:
        LeaveTable();
        return;
    case BTN_RESUME:
        ShowGameMenu(false);
        return;
    case BTN_PHRASES:
        if (shell)
            shell->PopupChatLines(mousex, mousey);
        return;
    default:
        Paint();
        return;
    }
}

void CMj::ClaimButtonClicked(int index)
{
    // The answer is given once: the prompt's buttons go out of use before it is acted on.
    buttons.peng = buttons.gang = buttons.hu = buttons.pass = buttons.chi = buttons.ting = 0;
    SyncClaimButtons();
    Paint();
    switch (index) {
    case BTN_PENG:
        AnswerClaim(CLAIM_PENG);
        break;
    case BTN_GANG:
        KongButton();
        break;
    case BTN_HU:
        AnswerClaim(CLAIM_HU);
        break;
    case BTN_PASS:
        Pass(0);
        break;
    case BTN_CHI:
        ChowButton();
        break;
    case BTN_TING:
        readyrequest = 1;
        ShowClaimButtons(false);
        Paint();
        break;
    }
}

void CMj::KongButton()
{
    CMjPlayer &me = player[0];
    if (curplayer != 0) {
        AnswerClaim(CLAIM_GANG); // the kong of another seat's discard
        return;
    }
    const int count = me.GetGangList();
    if (count == 0) {
        Pass(0);
        return;
    }
    if (count == 1) {
        me.gangmj = me.gangchoice[0];
        AnswerClaim(CLAIM_GANG);
        return;
    }
    // The player points at the kong to make; pass backs out and discards instead.
    me.gangflag = 1;
    for (int i = 0; i < me.cardnum; ++i)
        me.tileok[i] = FindMj(me.gangchoice, me.gangnum, me.Mj[i]);
    me.tileok[me.cardnum] = me.drawflag && FindMj(me.gangchoice, me.gangnum, me.drawmj);
    me.hoverindex = -1;
    buttons.pass = 1;
    SyncClaimButtons();
    Paint();
}

void CMj::ChowButton()
{
    CMjPlayer &me = player[0];
    if (!me.CanChi(lastdiscard)) {
        Pass(0);
        return;
    }
    for (int i = 0; i < me.cardnum; ++i)
        me.tileok[i] = ChowWith(me, me.Mj[i]) >= 0;
    if (me.chinum == 1) {
        me.chimj[0] = me.chichoice[0].tiles[0];
        me.chimj[1] = me.chichoice[0].tiles[1];
        AnswerClaim(CLAIM_CHI);
        return;
    }
    // The player points at a tile of the chow to make; pass backs out.
    me.chiflag = 1;
    me.hoverindex = -1;
    buttons.pass = 1;
    SyncClaimButtons();
    Paint();
}

void CMj::ShowGameMenu(bool show)
{
    for (int index = BTN_OPTIONS; index <= BTN_RESUME; ++index)
        tablebuttons.Get(index)->visible = show;
    Paint();
}

bool CMj::GameMenuShown() const
{
    return tablebuttons.Get(BTN_OPTIONS)->visible;
}

void CMj::SendChatInput()
{
    if (!OnlineConnected() || chatedit->text.empty())
        return;
    if (SendChat(chatedit->text, CHAT_EDITBOX)) {
        chatedit->text.clear();
        Paint();
    }
}

bool CMj::SendChat(std::string_view text, ChatOrigin origin)
{
    if (!talkgate.IsOpen()) {
        chatwnd[0]->AddText(kTalkWarning, kWhite);
        Paint();
        return false;
    }
    BuildTableChat(sendbuf, text, origin);
    SendBuffer();
    talkgate.Close();
    Paint();
    return true;
}

void CMj::PlayWave(const std::string &path)
{
    if (soundon)
        dxsound->PlayWave(path);
}
