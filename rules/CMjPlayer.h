#pragma once
#include "platform/CMjTimer.h"
#include "rules/GetMj.h"
#include "rules/MjTile.h"

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

// One seat: its tiles, melds, discards, claim and turn flags, the fans of a won hand, the robot's
// opening plan, and the name, score, wind and avatar shown beside it. The game object holds four.
class CMjPlayer {
public:
    static constexpr int kNameSize = 20;
    static constexpr int kMaxOut = 52;

    // Timer intervals of the seat's avatar animation, speech bubble and claim icon.
    static constexpr unsigned kAnimInterval = 50;
    static constexpr unsigned kSpeechInterval = 10000;
    static constexpr unsigned kActionInterval = 1000;

    CMjPlayer();
    ~CMjPlayer();
    // The seat owns its timers; a copy would stop them twice.
    CMjPlayer(const CMjPlayer &) = delete;
    CMjPlayer &operator=(const CMjPlayer &) = delete;

    void Reset();
    // The sex byte a seat takes with its avatar: 0-5 are women, 6-11 men.
    static uint8_t SexOfAvatar(int avatar) { return avatar >= 6 ? 1 : 0; }

    // The name field holds up to 20 bytes and a full one has no terminator: read and write it here.
    std::string GetName() const;
    void SetName(std::string_view name);

    void SortMj();
    // Every sort of a hand compares through here, so the plain order is inline.
    bool NeedSwap(int i, int j) const { return wildmode ? WildNeedSwap(i, j) : MjGreater(Mj[i], Mj[j]); }
    void SwapMj(int i, int j);
    void CountSuits();

    bool CanPeng(MjTile tile) const;
    bool CanGang(MjTile tile) const;
    bool IsGang(MjTile tile) const;
    bool CanChi(MjTile tile);

    void RemovePlayMj();
    void PlayMj();
    void DeleteMj(MjTile tile);
    void DeleteMjN(MjTile tile, int n);
    int GetMjCount(MjTile tile) const;
    bool FindMj(MjTile tile) const;

    bool FindAnGang(MjTile *out);
    bool CanBuGang(MjTile tile) const;
    bool FindBuGang(MjTile *out) const;
    int GetGangList();

    int GetSuitCount(int suit) const;
    int FindMainSuit(int threshold) const;
    bool IsWildMj(MjTile tile, MjTile wild) const;

    // The robot's opening plan at the end of the deal (robot player).
    void ChoosePlan();

    uint8_t sex = 1;        // 1 male
    uint8_t language = 1;   // voice language of the seat; saved with the player names
    uint8_t action = 0;     // claim icon beside the seat: 1 pung, 2 kong, 3 win, 4 dealt in, 5 chow
    uint8_t chiflag = 0;    // the local player is choosing among several chows
    int32_t score = 0;
    int32_t scorechange = 0; // gain or loss of the last hand
    char playername[kNameSize] = {}; // zero-padded; a full name has no terminator

    int32_t cardnum = 0;
    MjTile Mj[14] = {};
    uint8_t tilemark[15] = {}; // travels with its tile through every sort and removal
    int32_t hoverindex = -1;

    uint8_t drawflag = 0; // drawmj holds a drawn or claimed tile, kept apart from Mj
    MjTile drawmj;
    MjTile playmj;
    uint8_t hasplayed = 0;
    uint8_t ishu = 0;
    MjTile humj;
    uint8_t ganging = 0;  // drawing a kong's replacement tile
    int32_t gangseat = -1; // the seat that supplied a claimed kong; -1 for a concealed or added one

    MjTile outmj[kMaxOut] = {};
    int32_t outnum = 0;
    int32_t gridrow = 0;
    int32_t gridcol = 0;

    GetMj getmj[5];
    int32_t getnum = 0;
    int32_t meldshown[5] = {}; // 1: the meld's third tile is drawn as the cover tile
    uint8_t exposed[5] = {1, 1, 1, 1, 1}; // 0 for a concealed kong
    int32_t suitcount[3] = {};

    int32_t totalfan = 0; // flowers included
    uint8_t zimo = 0;
    int32_t payseat = -1; // -1 all pay
    uint8_t ting = 0;
    uint8_t shadeplayed = 0;
    uint8_t tileok2[15] = {};
    uint8_t tileok[15] = {1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1}; // 0 greys the tile out

    // The robot's opening plan.
    uint8_t onesuitplan = 0;
    uint8_t onesuit = 0;
    uint8_t qiduiplan = 0; // seven pairs
    uint8_t defaultplan = 0;
    uint8_t bukaoplan = 0;  // honours and knitted tiles
    int32_t bukaosuits[3] = {}; // suits for the knitted sets 1-4-7, 2-5-8, 3-6-9
    uint8_t zuhelongplan = 0; // knitted straight
    int32_t zuhelongsuits[3] = {};

    uint8_t robot = 1;

    // Ids 10 + seat, 14 + seat and 18 + seat, given by the game object.
    std::unique_ptr<CMjTimer> animtimer;
    std::unique_ptr<CMjTimer> speechtimer;
    std::unique_ptr<CMjTimer> actiontimer;
    char speech[128] = {};

    uint8_t seated = 0;
    uint8_t started = 0;
    uint8_t ready = 0;
    uint8_t ganghu = 0;      // won on a kong's replacement tile
    uint8_t qiangganghu = 0; // won by robbing a kong

    int32_t flowernum = 0;
    int32_t chinum = 0;
    MjTile chimj[2] = {}; // the two hand tiles of the chow the robot wants
    GetMj chichoice[3];
    uint8_t markmode = 0; // two hand tiles are raised at once
    int32_t markindex = -1;
    MjTile winmj;
    uint8_t fanflag[90] = {};
    uint8_t extrafanflag[20] = {};
    GetMj hugroup[6];
    int32_t hunum = 0;
    int32_t roundwind = 0;
    int32_t seatwind = 0; // 1 dealer
    MjTile gangchoice[5] = {};
    int32_t gangnum = 0;
    uint8_t gangflag = 0; // the local player is choosing among several kongs
    MjTile gangmj;        // the kong the local player pointed at
    int32_t avatarindex = 0; // 0-11
    uint8_t wildmode = 0;
    MjTile wildmj;
    int32_t marklevel = 0; // 1 or more puts sparkles on the avatar
    uint8_t animation = 0; // avatar animation frame counter, stepped by timer 10 + seat
    int32_t drawcount = 0; // tiles drawn this hand

private:
    int FindIndex(MjTile tile) const;
    void RemoveAt(int index);
    bool MarksAlike() const;
    // A wild tile sorts after every other tile, wild tiles among themselves by value.
    bool WildNeedSwap(int i, int j) const;
};
