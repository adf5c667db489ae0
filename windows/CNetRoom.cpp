#include "windows/CNetRoom.h"

#include "platform/MessageBox.h"
#include "platform/OpenUrl.h"
#include "platform/Paths.h"
#include "platform/Profile.h"
#include "platform/SurfaceText.h"
#include "rules/CLog.h"
#include "screen/Device.h"
#include "screen/FrameBlend.h"
#include "screen/GifSurface.h"
#include "screen/SurfaceCache.h"
#include "table/Addresses.h"
#include "table/CMj.h"
#include "table/ClientRecords.h"
#include "table/Shell.h"
#include "windows/CDxChatWnd.h"
#include "windows/CDxEdit.h"
#include "windows/CDxTrackBar.h"
#include "windows/CInfoForm.h"
#include "windows/LevelTable.h"
#include "windows/UserSetDialog.h"

#include <algorithm>
#include <string>

namespace {

const char *const kSetIni = "SET.ini";
const char *const kEntering = "正在进入游戏,请稍后...";
const char *const kFloodWarning = "请爱护公共聊天环境，不要频繁发送聊天消息";
const char *const kEmptyLine = "请不要发送空消息";
constexpr uint8_t kEnter = 13;
constexpr uint32_t kWhite = 0xFFFFFF;
constexpr uint32_t kRed = 0x0000FF; // COLORREF
constexpr int kChatAlpha = 200;
constexpr int kFaceCell = 32;
constexpr int kRoleWidth = 80;
constexpr int kRoleHeight = 125;
constexpr int kRecordX = 680;
constexpr int kRecordTop = 450;
constexpr int kRecordStep = 22;

// Each seat's name box relative to its cell, and whether its name stands at the box's right.
struct NameBox {
    Rect box;
    bool right;
};
// The right-hand boxes reach to the cell's edge, so that a name of 20 bytes takes two lines there.
constexpr NameBox kNameBoxes[4] = {
    {{91, 108, 168, 140}, false}, {{110, 30, 168, 64}, false}, {{0, 15, 57, 47}, true}, {{0, 96, 59, 128}, true}};
// Seats are tried in this order, as the spots lie on the cell.
constexpr int kHitOrder[4] = {2, 0, 3, 1};

Point CellCorner(int slot)
{
    return {CNetRoom::kGridLeft + slot % CNetRoom::kColumns * CNetRoom::kCellWidth,
            CNetRoom::kGridTop + slot / CNetRoom::kColumns * CNetRoom::kCellHeight};
}

// Where the ready hand stands beside a seat's spot.
Point HandAt(int seat, Point spot, int w, int h)
{
    switch (seat) {
    case 0: return {spot.x + 8, spot.y - h};
    case 1: return {spot.x - w, spot.y + 8};
    case 2: return {spot.x + 8, spot.y + CNetRoom::kSpot};
    default: return {spot.x + CNetRoom::kSpot, spot.y + 8};
    }
}

void Blit(const CachedPicture &picture, int x, int y, Rect part)
{
    if (picture.Get())
        lpDDSBack->Blit(x, y, *picture.Get(), part, true);
}

} // namespace

CNetRoom::CNetRoom(std::string_view backgroundPath, CMj *game)
    : CBitForm(backgroundPath, game), tablepicture("Graphic\\NetForm\\table.bmp", true),
      playingpicture("Graphic\\NetForm\\tableingame.bmp", true),
      seatpictures{{"Graphic\\NetForm\\PS.bmp", true},
                   {"Graphic\\NetForm\\PE.bmp", true},
                   {"Graphic\\NetForm\\PN.bmp", true},
                   {"Graphic\\NetForm\\PW.bmp", true}},
      faces("Graphic\\Face\\xtx.bmp", true), handup("Graphic\\NetForm\\handup.bmp", true),
      roles("Graphic\\NetForm\\role.bmp", true),
      pagebar(std::make_unique<CDxTrackBar2>("Graphic\\NetForm\\bar.bmp", "Graphic\\NetForm\\up.bmp",
                                             "Graphic\\NetForm\\down.bmp")),
      chatedit(std::make_unique<CDxEdit>("Graphic\\NetForm\\edit.bmp")), chatwnd(std::make_unique<CDxChatWnd>())
{
    for (const char *name : {"prev", "next", "Close", "autoadd", "chongzhi", "btavatar"})
        buttons.Add(std::string("Graphic\\NetForm\\") + name + ".bmp", "");
    buttons.Get(SET)->tooltip = "set";
    pagebar->SetRange(548, 85, 420);
    pagebar->buttons.SetPos(CDxTrackBar2::kUp, 547, 66);
    pagebar->buttons.SetPos(CDxTrackBar2::kDown, 547, 420);
    chatedit->focused = 1;
    chatedit->color = kWhite;
    chatwnd->SetPos(38, 480, 541, 542);
    chatwnd->visible = 1;
    filters = ReadUserSet(kSetIni);
    roomid = Profile::ReadInt(kSetIni, "UserSet", "RoomID", 0);
    SetPos(0, 0);

    LoadGifSurface("female.gif", ownpicture, ownrect, true);
    GSetColorKey(ownpicture);
}

CNetRoom::~CNetRoom()
{
    ForgetSurface(ownpicture);
    GReleaseSurface(ownpicture);
}

void CNetRoom::WriteSettings(Profile::Edit &ini) const
{
    WriteUserSet(ini, filters, roomid);
}

void CNetRoom::SetPos(int px, int py)
{
    CBitForm::SetPos(px, py);
    buttons.SetPos(SET, px + 528, py + 4);
    buttons.SetPos(SITE, px + 594, py + 4);
    buttons.SetPos(LEAVE, 726, 4);
    buttons.SetPos(AUTOJOIN, px + 462, py + 4);
    buttons.SetPos(TOPUP, px + 660, py + 4);
    buttons.SetPos(AVATAR, 610, 563);
    chatedit->SetPos(px + 83, py + 548);
}

void CNetRoom::Show()
{
    curscreen = SCREEN_LOBBY;
    Repaint();
}

void CNetRoom::Hide()
{
    curscreen = SCREEN_NONE;
    Repaint();
}

// ---- Drawing.

void CNetRoom::Draw()
{
    if (!lpDDSBack || !background.Get())
        return;
    lpDDSBack->Blit(x, y, *background.Get(), background.rect, false);
    if (curscreen != SCREEN_LOBBY)
        return;
    DrawCard();
    const TextStyle heading{TextFont::Arial14Bold, kWhite};
    SurfaceTextOut(*lpDDSBack, 630, 75, "游戏房间列表", heading);
    for (int slot = 0; slot < kRows * kColumns; slot++) {
        const int index = page * TableStore::kPerPage + slot;
        if (TableStore::IsTable(index))
            DrawTable(slot, index);
    }
    pagebar->Draw();
    chatwnd->Draw(kChatAlpha);
    chatedit->Draw();
    buttons.DrawAll();
}

void CNetRoom::DrawCard()
{
    const UserInfo &me = owner->myinfo;
    if (ownpictureon && ownpicture)
        lpDDSBack->Blit(kCard.x, kCard.y, *ownpicture, kCardPart, true);
    else if (me.face >= 1 && me.face <= 12)
        Blit(roles, kCard.x, kCard.y, {kRoleWidth * (me.face - 1), 0, kRoleWidth * me.face, kRoleHeight});

    const std::string lines[6] = {
        "姓名: " + BoundedName(me.name),
        "金币: " + std::to_string(me.score),
        std::string("等级: ") + GetLevelTitle(me.score),
        "战绩: " + std::to_string(me.games) + "盘 " + std::to_string(me.wins) + "胜",
        "逃跑: " + std::to_string(me.escapes),
        "胜率: " + std::to_string(WinPercent(me.wins, me.games)) + "%",
    };
    const TextStyle style{TextFont::Arial12, kWhite};
    for (int i = 0; i < 6; i++)
        SurfaceTextOut(*lpDDSBack, kRecordX, kRecordTop + kRecordStep * i, lines[i], style);
}

void CNetRoom::DrawTable(int slot, int index)
{
    const TableInfo &t = *tables.GetTable(index);
    const Point cell = CellCorner(slot);
    const CachedPicture &picture = t.playing == 1 ? playingpicture : tablepicture;
    Blit(picture, cell.x, cell.y, picture.rect);
    const TextStyle style{TextFont::Arial12, kWhite};
    for (int seat = 0; seat < 4; seat++) {
        const Point spot{cell.x + kSpots[seat].x, cell.y + kSpots[seat].y};
        if (t.state[seat] == 0) {
            Blit(seatpictures[seat], spot.x, spot.y, seatpictures[seat].rect);
            continue;
        }
        const int face = t.face[seat] < 12 ? t.face[seat] : 0;
        const Rect cellRect{kFaceCell * face, 0, kFaceCell * (face + 1), kFaceCell};
        if (t.state[seat] == 2)
            GreyBlit(faces.Get(), spot.x, spot.y, cellRect.left, cellRect.top, cellRect.right, cellRect.bottom);
        else
            Blit(faces, spot.x, spot.y, cellRect);
        if (t.ready[seat] && !t.playing) {
            const Point hand = HandAt(seat, spot, handup.Width(), handup.Height());
            Blit(handup, hand.x, hand.y, handup.rect);
        }
        const NameBox &nb = kNameBoxes[seat];
        const std::string name = BoundedName(t.name[seat]);
        const unsigned flags = TextWordBreak | (nb.right ? TextRight : TextLeft);
        Rect box{cell.x + nb.box.left, cell.y + nb.box.top, cell.x + nb.box.right, cell.y + nb.box.bottom};
        // A name its box does not hold whole in the usual font takes the smaller one.
        TextStyle fitted = style;
        Rect used = MeasureSurfaceText(name, box, flags, fitted.font);
        if (used.Height() > box.Height()) {
            fitted.font = TextFont::Arial10;
            used = MeasureSurfaceText(name, box, flags, fitted.font);
        }
        // Above the top seat the name ends at the box's bottom, however many lines it takes.
        if (seat == 2)
            box.top = std::max(box.top, box.bottom - used.Height());
        DrawSurfaceText(*lpDDSBack, name, box, flags, fitted);
    }
    SurfaceTextOut(*lpDDSBack, cell.x + 60, cell.y + 165, "第" + std::to_string(index + 1) + "桌", style);
}

// ---- Input.

bool CNetRoom::SeatAt(int px, int py, int *table, int *seat) const
{
    if (!(kGridLeft < px && px < kGridLeft + kColumns * kCellWidth && kGridTop < py &&
          py < kGridTop + kRows * kCellHeight))
        return false;
    const int column = (px - kGridLeft) / kCellWidth;
    const int row = (py - kGridTop) / kCellHeight;
    const Point cell = CellCorner(row * kColumns + column);
    for (int s : kHitOrder) {
        const int left = cell.x + kSpots[s].x, top = cell.y + kSpots[s].y;
        if (left < px && px < left + kSpot && top < py && py < top + kSpot) {
            const int index = page * TableStore::kPerPage + row * kColumns + column;
            // The last page has cells without tables.
            if (!TableStore::IsTable(index))
                return false;
            *table = index;
            *seat = s;
            return true;
        }
    }
    return false;
}

int CNetRoom::MouseDown(int px, int py)
{
    if (infoformon)
        return -1;
    if (!InRoom()) {
        MessageBox::Show("请先登录房间", "Warning", MessageBox::IconInformation);
        return -1;
    }
    int index = 0, seat = 0;
    if (SeatAt(px, py, &index, &seat)) {
        const TableInfo &t = *tables.GetTable(index);
        if (!t.playing && t.state[seat] == 0)
            AskSeat(index, seat);
        return 0;
    }
    const int button = ButtonsDown(px, py);
    if (pagebar->MouseDown(px, py) | chatwnd->MouseDown(px, py))
        Repaint();
    return button;
}

int CNetRoom::MouseMove(int px, int py)
{
    const int button = ButtonsMove(px, py);
    if (pagebar->MouseMove(px, py))
        SetPage(pagebar->position);
    if (chatwnd->MouseMove(px, py))
        Repaint();
    return button;
}

int CNetRoom::MouseUp(int px, int py)
{
    const int button = buttons.MouseUp(px, py);
    ButtonClicked(button);
    if (pagebar->MouseUp(px, py))
        page = pagebar->position;
    chatwnd->MouseUp(px, py);
    Repaint();
    return button;
}

void CNetRoom::SetPage(int newPage)
{
    page = newPage;
    pagebar->position = newPage;
    Repaint();
}

void CNetRoom::ButtonClicked(int index)
{
    switch (index) {
    case SET:
        EditUserSet();
        break;
    case SITE:
        OpenUrl(kProductUrl);
        break;
    case LEAVE:
        // The end of the connection brings the login screen back; in NetWork mode the connection was
        // the whole program.
        if (networkmode) {
            if (owner->shell)
                owner->shell->CloseMainWindow(0);
        } else if (owner->netlink) {
            owner->netlink->CloseGameLink();
        }
        break;
    case AUTOJOIN:
        AutoJoin();
        break;
    case TOPUP:
        Repaint();
        if (paymode)
            OpenUrl(kPayPageUrl);
        else if (owner->shell)
            owner->shell->ShowBuyForm();
        break;
    case AVATAR:
        if (owner->shell)
            owner->shell->ShowAvatarForm();
        break;
    default:
        break;
    }
}

int CNetRoom::OnRightClick(int px, int py)
{
    if (infoformon)
        return -1;
    int index = 0, seat = 0;
    if (!SeatAt(px, py, &index, &seat))
        return -1;
    const TableInfo &t = *tables.GetTable(index);
    if (t.state[seat] == 0)
        return -1;
    const UserRow *row = owner->userlist.FindUserItem(BoundedName(t.name[seat]));
    if (!row || !owner->shell)
        return -1;
    owner->shell->PrepareUserMenu(row->name, px, py, false);
    return 0;
}

void CNetRoom::KeyPress(uint8_t key)
{
    if (key == kEnter) {
        if (!owner->talkgate.IsOpen()) {
            chatwnd->AddText(kFloodWarning, kRed);
        } else if (chatedit->text.empty()) {
            chatwnd->AddText(kEmptyLine, kRed);
        } else if (BuildRoomChat(owner->sendbuf, chatedit->text)) {
            owner->SendBuffer();
            chatedit->text.clear();
            owner->talkgate.Close();
        }
    } else {
        chatedit->KeyPress(key);
    }
    Repaint();
}

// ---- Tables and seats.

bool CNetRoom::SetTable(int index, const TableInfo &record)
{
    return tables.SetTable(index, record, owner->userlist) && TableStore::OnPage(index, page);
}

void CNetRoom::AskSeat(int index, int seat)
{
    if (!BuildSitDown(owner->sendbuf, index, seat))
        return;
    selectedtable = index;
    owner->SendBuffer();
    infoform->text = kEntering;
    infoform->Show();
    sitdownpending = 1;
}

int CNetRoom::SitDown(int index, int seat)
{
    if (!TableStore::IsTable(index)) {
        g_log.Trace("错误的桌子号 %d.\n", index);
        return -1;
    }
    const TableInfo &t = *tables.GetTable(index);
    if (t.playing)
        return -1;
    SetPage(index / TableStore::kPerPage);
    if (seat == -1) {
        for (int s = 0; s < 4; s++)
            if (t.state[s] == 0) {
                AskSeat(index, s);
                return 1;
            }
        return 0;
    }
    if (seat < 0 || seat > 3) {
        g_log.Trace("错误的椅子号.\n");
        return -1;
    }
    if (t.state[seat] != 0)
        return 0;
    for (CMjPlayer &p : owner->player)
        p.seated = 0;
    AskSeat(index, seat);
    return 1;
}

void CNetRoom::AutoJoin()
{
    for (int free = 1; free <= 4; free++)
        for (int index = 0; index < kTableCount; index++)
            if (tables.FreeSeats(index) == free) {
                SitDown(index, -1);
                return;
            }
}

// ---- Filters and the own picture.

void CNetRoom::EditUserSet()
{
    if (!owner->shell)
        return;
    UserSetDialog dialog = UserSetDialog::For(filters);
    if (!owner->shell->EditUserSet(dialog))
        return;
    if (const char *refusal = dialog.TakeInto(filters)) {
        MessageBox::Show(refusal, "Warning", MessageBox::IconWarning);
        return;
    }
    SendUserSet();
}

void CNetRoom::SendUserSet()
{
    if (!owner->netlink || !owner->netlink->GameLinkActive()) {
        g_log.Trace("Active is false.\n");
        return;
    }
    BuildUserSet(owner->sendbuf, filters);
    owner->SendBuffer();
}

void CNetRoom::LoadAvatar(bool show)
{
    ownpictureon = show;
    if (!show) {
        Repaint();
        return;
    }
    std::string path = owner->AvatarFile(owner->myuserid);
    if (path.empty())
        path = owner->myinfo.sex == 1 ? "male.gif" : "female.gif";
    if (!Paths::Exists(path)) {
        ownpictureon = 0;
        Repaint();
        return;
    }
    // The surface was made when the screen was built.
    ReloadGifSurface(path, ownpicture, ownrect);
    GSetColorKey(ownpicture);
    Repaint();
}
