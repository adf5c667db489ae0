#pragma once
#include "platform/Profile.h"
#include "screen/CachedPicture.h"
#include "table/TableStore.h"
#include "table/UserSet.h"
#include "windows/CBitForm.h"

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

class CDxChatWnd;
class CDxTrackBar2;

// Screen 10, the lobby of online play: the room's tables six to a page, where a press on a free seat
// sits the player down; the player's own card; the room chat with its input line; the buttons for
// the filters, the web site, leaving, a quick seat, the top-up and the avatar. The user filters live
// here too ("SET.ini" [UserSet], read when the screen is built and written with the game object's
// settings).
class CNetRoom : public CBitForm {
public:
    enum Button { SET = 0, SITE = 1, LEAVE = 2, AUTOJOIN = 3, TOPUP = 4, AVATAR = 5 };
    static constexpr int kRows = 2;
    static constexpr int kColumns = 3;
    static constexpr int kCellWidth = 170;
    static constexpr int kCellHeight = 175;
    static constexpr int kGridLeft = 28;
    static constexpr int kGridTop = 80;
    static constexpr int kSpot = 32;
    // Each seat's spot, relative to its cell's corner.
    static constexpr Point kSpots[4] = {{59, 126}, {113, 64}, {59, 10}, {5, 64}};
    // Where the own card stands, and the part of the own picture it shows.
    static constexpr Point kCard{597, 447};
    static constexpr Rect kCardPart{30, 37, 110, 152};

    CNetRoom(std::string_view background, CMj *owner);
    ~CNetRoom() override;
    // The filters and the room, into the settings the game object writes as it ends.
    void WriteSettings(Profile::Edit &ini) const;

    // The whole lobby while it is on top; only the background under another screen.
    void Draw() override;
    void Hide() override;
    void SetPos(int px, int py) override;
    void Show() override;
    int MouseDown(int px, int py) override;
    int MouseMove(int px, int py) override;
    int MouseUp(int px, int py) override;
    void RightMouseDown(int px, int py) override { OnRightClick(px, py); }
    // Enter sends the room chat line, the rest is typed into it.
    void KeyPress(uint8_t key) override;
    CDxEdit *FocusedEdit() override { return chatedit.get(); }

    // The user menu for the user on the seat under a right press on this page; -1 when none.
    int OnRightClick(int px, int py);
    // The table and seat whose spot holds the point on this page; false when none does.
    bool SeatAt(int px, int py, int *table, int *seat) const;

    // The room's tables. SetTable answers whether the table is on the page shown.
    bool SetTable(int index, const TableInfo &record);
    const TableInfo *GetTable(int index) const { return tables.GetTable(index); }
    void ClearTables() { tables.ClearTables(); }
    int FreeSeats(int index) const { return tables.FreeSeats(index); }
    // Asks for a seat at a table and turns to its page (seat -1: the first free one): 1 when asked,
    // 0 when the seat or the table is taken, -1 for a playing table or numbers that name nothing.
    int SitDown(int index, int seat);
    // The fullest table that still has a seat, lowest number first; never a playing one.
    void AutoJoin();
    // A room has been entered and not left.
    bool InRoom() const { return room >= 0 && room < roomcount; }

    // The filters: the dialog, and the record that tells the server.
    void EditUserSet();
    void SendUserSet();
    // The own card's picture: the own avatar, else the default of the own sex; show 0 takes the role
    // strip's cell instead.
    void LoadAvatar(bool show);

    TableStore tables;
    int page = 0;
    CachedPicture tablepicture;
    CachedPicture playingpicture;
    CachedPicture seatpictures[4];
    CachedPicture faces;   // twelve 32 x 32 faces
    CachedPicture handup;
    CachedPicture roles;   // twelve 80 x 125 cards
    SurfaceSlot ownpicture;
    Rect ownrect;
    std::unique_ptr<CDxTrackBar2> pagebar;
    std::unique_ptr<CDxEdit> chatedit;
    std::unique_ptr<CDxChatWnd> chatwnd;
    uint8_t ownpictureon = 1;
    int selectedtable = -1;
    int room = -1;
    int roomcount = 0;
    int roomid = 0; // the room remembered between runs
    uint8_t paymode = 1; // 1 the pay page, 0 the card dialog
    uint8_t sitdownpending = 0;
    int32_t onlinecount = 0;
    std::string welcome;
    UserSet filters;

private:
    // The sit-down record for a free seat, and the wait for the server's answer.
    void AskSeat(int index, int seat);
    void DrawCard();
    void DrawTable(int slot, int index);
    void ButtonClicked(int index);
    void SetPage(int newPage);
};
