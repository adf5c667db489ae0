// Saved games: the table written to a ".cmj" file and read back whole, or not at all.
#include "table/CMj.h"

#include "platform/FileBytes.h"
#include "platform/MessageBox.h"
#include "platform/Paths.h"
#include "rules/CLog.h"

#include <algorithm>
#include <cstring>
#include <filesystem>
#include <vector>

static_assert(SavedGame::kGridBytes == CMjDraw::kGridBytes);

namespace {

bool WonSeatsWin(const SavedGame &g);

} // namespace

bool CMj::SaveAllowed() const
{
    if (gamestatus != 1)
        return gamestatus != 0; // before the first hand there is nothing to keep
    // The turn's tile must be in hand: after a kong the flag stays set while the replacement, or a
    // flower and then its replacement, is still on its way.
    return curplayer == 0 && !buttons.shown && cansave && player[0].drawflag && !FlowerOnShow();
}

bool CMj::SaveGame(const std::string &path)
{
    if (!SaveAllowed()) {
        ShowMessage("It's your turn to discard a tile then you can preserve the progress.");
        return false;
    }
    const std::string file = Paths::Resolve(path);
    const std::string folder = std::filesystem::path(file).parent_path().string();
    std::error_code ec;
    std::filesystem::create_directories(folder, ec);
    const auto bytes = Snapshot().Bytes();
    std::string error;
    if (!FileBytes::WriteAtomically(file, bytes.data(), bytes.size(), error)) {
        g_log.Trace("Save Error,%s.", error.c_str());
        ShowMessage("The game could not be saved.");
        return false;
    }
    return true;
}

bool CMj::LoadGame(const std::string &path)
{
    std::vector<uint8_t> bytes;
    // One byte more than a saved game holds, so that a longer file shows itself.
    FileBytes::ReadStatus read = FileBytes::Read(Paths::Resolve(path), SavedGame::kSize + 1, bytes);
    if (IsNetGame()) {
        // The server's records would go on writing into a local table.
        MessageBox::Show("Leave the online game before opening a saved game.", "信息", MessageBox::IconWarning);
        return false;
    }
    SavedGame game;
    bool sound = read == FileBytes::ReadStatus::Ok && SavedGame::Parse(bytes.data(), bytes.size(), game);
    if (sound && !WonSeatsWin(game)) {
        g_log.Trace("Save Error,not hu.");
        sound = false;
    }
    if (!sound) {
        MessageBox::Show("this document edition is lower or is damaged.", "信息", MessageBox::IconWarning);
        return false;
    }
    Restore(game);
    ResumePlay();
    // Leaving the table keeps the game where it came from.
    savefile = path;
    return true;
}

namespace {

template <class T, size_t N> void CopyArray(const T (&from)[N], T (&to)[N])
{
    std::copy(std::begin(from), std::end(from), to);
}

// The fields a saved seat keeps under the seat record's own names, copied either way.
template <class From, class To> void CopySeat(const From &from, To &to)
{
    CopyArray(from.playername, to.playername);
    to.cardnum = from.cardnum;
    CopyArray(from.Mj, to.Mj);
    to.getnum = from.getnum;
    CopyArray(from.getmj, to.getmj);
    to.drawflag = from.drawflag;
    to.drawmj = from.drawmj;
    to.ishu = from.ishu;
    to.humj = from.humj;
    to.payseat = from.payseat;
    to.scorechange = from.scorechange;
    to.score = from.score;
    to.gridcol = from.gridcol;
    to.gridrow = from.gridrow;
    to.outnum = from.outnum;
    CopyArray(from.outmj, to.outmj);
    to.seatwind = from.seatwind;
    to.roundwind = from.roundwind;
    to.flowernum = from.flowernum;
    to.ting = from.ting;
    to.avatarindex = from.avatarindex;
}

// The same for the table's own fields.
template <class From, class To> void CopyTable(const From &from, To &to)
{
    to.gamestatus = from.gamestatus;
    to.roundwind = from.roundwind;
    to.banker = from.banker;
    to.showbanker = from.showbanker;
    to.changchengstart = from.changchengstart;
    to.mjindex = from.mjindex;
    CopyArray(from.wallmj, to.wallmj);
    for (int suit = 0; suit < 5; suit++)
        CopyArray(from.seenmj[suit], to.seenmj[suit]);
    CopyArray(from.gridflags, to.gridflags);
    to.wildindicator = from.wildindicator;
    to.wildrule = from.wildrule;
}

// A saved seat's tiles and melds into a seat record.
void LoadSeat(const SavedSeat &from, CMjPlayer &to)
{
    CopySeat(from, to);
    for (int m = 0; m < 5; m++)
        to.exposed[m] = from.concealed[m] ? 0 : 1;
}

// A seat marked as won in a hand still in play must hold a winning hand with its winning tile.
bool WonSeatsWin(const SavedGame &g)
{
    if (g.gamestatus != 1)
        return true;
    for (const SavedSeat &seat : g.player) {
        if (!seat.ishu)
            continue;
        CMjPlayer p;
        LoadSeat(seat, p);
        p.winmj = seat.humj;
        MjTile tiles[15];
        std::copy(seat.Mj, seat.Mj + seat.cardnum, tiles);
        tiles[seat.cardnum] = seat.humj;
        SortMj(tiles, seat.cardnum + 1);
        CGbHu hu;
        if (!hu.Hu(&p, tiles, seat.cardnum + 1, nullptr, 0))
            return false;
    }
    return true;
}

} // namespace

SavedGame CMj::Snapshot() const
{
    SavedGame g;
    CopyTable(*this, g);
    for (int seat = 0; seat < 4; seat++) {
        CopySeat(player[seat], g.player[seat]);
        for (int m = 0; m < 5; m++)
            g.player[seat].concealed[m] = player[seat].exposed[m] == 0;
    }
    // After a claim the local player holds all fourteen with none drawn, which is how the file tells
    // a claimed tile from a drawn one.
    SavedSeat &me = g.player[0];
    if (gamestatus == 1 && curplayer == 0 && claimtaken && me.drawflag && me.cardnum < 14) {
        me.Mj[me.cardnum++] = me.drawmj;
        me.drawflag = 0;
    }
    g.minfan = minfan;
    g.wildmode = wildmode;
    g.wildmj = wildmj;
    draw.SaveGrid(g.grid);
    return g;
}

void CMj::Restore(const SavedGame &g)
{
    // A robot's turn, a claims round or a countdown still running would act on the new table.
    StopPlay();
    CopyTable(g, *this);
    // A loaded game is a local game: no minimum fan total and no wild tile, whatever the file says.
    minfan = 0;
    wildmode = 0;
    wildmj = g.wildmj;
    SyncRules();
    for (int seat = 0; seat < 4; seat++) {
        CMjPlayer &p = player[seat];
        p.Reset();
        LoadSeat(g.player[seat], p);
        p.sex = CMjPlayer::SexOfAvatar(p.avatarindex);
        draw.SetAvatar(seat, p.avatarindex + 1);
        p.wildmode = wildmode;
        p.wildmj = wildmj;
        p.SortMj();
    }
    draw.LoadGrid(g.grid);
    draw.SetShowAll(0);
    backdraws = 0;
    claimtaken = gamestatus == 1 && !player[0].drawflag;
    if (gamestatus == 1)
        RebuildWall();
    Paint();
}

void CMj::RebuildWall()
{
    int flowers = 0;
    for (const CMjPlayer &p : player)
        flowers += p.flowernum;
    // Every flower was replaced from the back of the wall, every other tile came from the front.
    const int last = mjindex;
    std::memset(wallstack, 2, sizeof wallstack);
    backdraws = 0;
    for (mjindex = 0; mjindex <= last - flowers; mjindex++)
        DrawFromWall();
    for (int k = 0; k < flowers; k++)
        DrawFromWallEnd();
    mjindex = last;
}

void CMj::ResumePlay()
{
    if (gamestatus != 1) {
        NextHand();
        return;
    }
    curplayer = 0;
    firstdiscard = 0;
    if (claimtaken)
        ClaimedTurn();
    else
        DrawTile(true);
}
