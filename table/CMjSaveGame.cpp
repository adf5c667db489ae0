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

// Avatars 0-5 are women, 6-11 men.
uint8_t SexOfAvatar(int avatar)
{
    return avatar >= 6 ? 1 : 0;
}

} // namespace

bool CMj::SaveAllowed() const
{
    if (gamestatus != 1)
        return gamestatus != 0; // before the first hand there is nothing to keep
    // The turn's tile must be in hand: after a kong the flag stays set while the replacement, or a
    // flower and then its replacement, is still on its way.
    return curplayer == 0 && !buttons.shown && cansave && player[0].drawflag;
}

bool CMj::SaveGame(const std::string &path)
{
    if (!SaveAllowed()) {
        ShowMessage("It's your turn to discard a tile then you can preserve the progress.");
        return false;
    }
    const std::string file = Paths::Resolve(path);
    std::error_code ec;
    std::filesystem::create_directories(std::filesystem::path(file).parent_path(), ec);
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
    if (read == FileBytes::ReadStatus::Missing)
        return false;
    if (IsNetGame()) {
        // The server's records would go on writing into a local table.
        MessageBox::Show("Leave the online game before opening a saved game.", "信息", MessageBox::IconWarning);
        return false;
    }
    SavedGame game;
    if (read != FileBytes::ReadStatus::Ok || !SavedGame::Parse(bytes.data(), bytes.size(), game)) {
        MessageBox::Show("this document edition is lower or is damaged.", "信息", MessageBox::IconWarning);
        return false;
    }
    Restore(game);
    ResumePlay();
    return true;
}

SavedGame CMj::Snapshot() const
{
    SavedGame g;
    g.gamestatus = gamestatus;
    for (int seat = 0; seat < 4; seat++) {
        const CMjPlayer &p = player[seat];
        SavedSeat &f = g.player[seat];
        std::memcpy(f.playername, p.playername, sizeof f.playername);
        f.cardnum = p.cardnum;
        std::copy(std::begin(p.Mj), std::end(p.Mj), f.Mj);
        f.getnum = p.getnum;
        for (int m = 0; m < 5; m++) {
            f.getmj[m] = p.getmj[m];
            f.concealed[m] = p.exposed[m] == 0;
        }
        f.drawflag = p.drawflag;
        f.drawmj = p.drawmj;
        f.ishu = p.ishu;
        f.humj = p.humj;
        f.payseat = p.payseat;
        f.scorechange = p.scorechange;
        f.score = p.score;
        f.gridcol = p.gridcol;
        f.gridrow = p.gridrow;
        f.outnum = p.outnum;
        std::copy(std::begin(p.outmj), std::end(p.outmj), f.outmj);
        f.seatwind = p.seatwind;
        f.roundwind = p.roundwind;
        f.flowernum = p.flowernum;
        f.ting = p.ting;
        f.avatarindex = p.avatarindex;
    }
    g.minfan = minfan;
    g.roundwind = roundwind;
    g.banker = banker;
    g.showbanker = showbanker;
    g.changchengstart = changchengstart;
    g.mjindex = mjindex;
    std::memcpy(g.wallmj, wallmj, sizeof g.wallmj);
    std::memcpy(g.seenmj, seenmj, sizeof g.seenmj);
    std::memcpy(g.gridflags, gridflags, sizeof g.gridflags);
    g.wildmode = wildmode;
    g.wildmj = wildmj;
    g.wildindicator = wildindicator;
    g.wildrule = wildrule;
    draw.SaveGrid(g.grid);
    return g;
}

void CMj::Restore(const SavedGame &g)
{
    // A robot's turn, a claims round or a countdown still running would act on the new table.
    StopPlay();
    gamestatus = g.gamestatus;
    // A loaded game is a local game: no minimum fan total and no wild tile, whatever the file says.
    minfan = 0;
    wildmode = 0;
    wildmj = g.wildmj;
    SyncRules();
    for (int seat = 0; seat < 4; seat++) {
        CMjPlayer &p = player[seat];
        const SavedSeat &f = g.player[seat];
        p.Reset();
        std::memcpy(p.playername, f.playername, sizeof p.playername);
        p.cardnum = f.cardnum;
        std::copy(std::begin(f.Mj), std::end(f.Mj), p.Mj);
        p.getnum = f.getnum;
        for (int m = 0; m < 5; m++) {
            p.getmj[m] = f.getmj[m];
            p.exposed[m] = f.concealed[m] ? 0 : 1;
        }
        p.drawflag = f.drawflag;
        p.drawmj = f.drawmj;
        p.ishu = f.ishu;
        p.humj = f.humj;
        p.payseat = f.payseat;
        p.scorechange = f.scorechange;
        p.score = f.score;
        p.gridcol = f.gridcol;
        p.gridrow = f.gridrow;
        p.outnum = f.outnum;
        std::copy(std::begin(f.outmj), std::end(f.outmj), p.outmj);
        p.seatwind = f.seatwind;
        p.roundwind = f.roundwind;
        p.flowernum = f.flowernum;
        p.ting = f.ting;
        p.avatarindex = f.avatarindex;
        p.sex = SexOfAvatar(f.avatarindex);
        draw.SetAvatar(seat, f.avatarindex + 1);
        p.wildmode = wildmode;
        p.wildmj = wildmj;
        p.SortMj();
    }
    roundwind = g.roundwind;
    banker = g.banker;
    showbanker = g.showbanker;
    changchengstart = g.changchengstart;
    mjindex = g.mjindex;
    std::memcpy(wallmj, g.wallmj, sizeof wallmj);
    std::memcpy(seenmj, g.seenmj, sizeof seenmj);
    std::memcpy(gridflags, g.gridflags, sizeof gridflags);
    wildindicator = g.wildindicator;
    wildrule = g.wildrule;
    draw.LoadGrid(g.grid);
    draw.SetShowAll(0);
    backdraws = 0;
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
    DrawTile(true);
}
