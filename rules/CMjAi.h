#pragma once
#include "rules/CEvaluation.h"
#include "rules/CGbHu.h"
#include "rules/HandCount.h"
#include "rules/MjTile.h"
#include "rules/ShapeRest.h"

#include <cstdint>

class CMjPlayer;

// The robot player: chooses a robot seat's discard and answers its claim questions. Every answer
// leaves the seat's tiles and melds as it found them.
class CMjAi {
public:
    CMjAi();

    // The seat holds its concealed tiles sorted, the drawn tile among them; the choice goes into
    // its playmj. leftnum is the number of tiles left in the wall.
    void Play(CMjPlayer *player, const int (*seenmj)[10], int leftnum, const uint8_t *wall, int mjindex);
    // Local games never have a wild tile, so the choice is the ordinary one.
    void PlayWild(CMjPlayer *player, const int (*seenmj)[10], int leftnum, const uint8_t *wall, int mjindex);

    bool NeedPeng(CMjPlayer *player, MjTile tile, const int (*seenmj)[10], int leftnum);
    // On yes the seat's chimj holds the two hand tiles of the chow.
    bool NeedChi(CMjPlayer *player, MjTile tile, const int (*seenmj)[10], int leftnum);
    bool NeedGang(CMjPlayer *player, MjTile tile, const int (*seenmj)[10], int leftnum);

    void SetMinFan(int value);
    void SetWildMode(uint8_t mode, MjTile wild);

private:
    // The hand a search works on: sorted, with the seen table and the seat (for its melds).
    void Begin(CMjPlayer *player, const MjTile *tiles, int count, const int (*seenmj)[10]);
    // Asked in every leaf of the searches, so read from a table filled by Begin; 0 off the table,
    // as at a suit's ends (v - 1, v + 2).
    int Unseen(int value, int suit) const
    {
        return HasKindSlot(value, suit) ? unseen[suit][value] : 0;
    }
    int Unseen(MjTile tile) const { return Unseen(tile.value, tile.suit); }
    int PairWorth(MjTile tile) const;
    int PartialWorth(const MjTile *part) const;
    MjTile FewerUnseen(MjTile a, MjTile b) const;
    int FewestUnseen(const MjTile *tiles, int n) const;

    MjTile ChooseDiscard(CMjPlayer *player, const int (*seenmj)[10]);

    // Ready-hand search (CMjAiSearch.cpp).
    bool ReadyHand(CMjPlayer *player, const MjTile *tiles, int count, const int (*seenmj)[10]);
    void ReadySearch(int left, int pairs, int partials, int singles);
    void ReadyShape(int pairs, int partials, int singles);
    bool ConsiderReady(MjTile discard, int winning, int bonus);
    int TotalWithout(MjTile discard);

    // Shape searches (CMjAiSearch.cpp).
    bool GetBestWay();
    void BestWaySearch(int left, int pairs, int partials, int singles);
    void ScoreShape(int pairs, int partials, int singles);
    void Offer(int score, MjTile discard, bool secondrank);
    bool SmallShapeSearch();
    void SmallSearch(int left, int pairs, int partials, int singles);

    // Sets aside a group of tiles from the head up, step apart (0 for a pair or a set of equal
    // tiles), follows the reading with search and puts the group back.
    using Search = void (CMjAi::*)(int left, int pairs, int partials, int singles);
    void Follow(Search search, int head, int step, int tiles, int left, int pairs, int partials, int singles)
    {
        for (int i = 0; i < tiles; i++)
            rest.Take(head + i * step);
        (this->*search)(left - tiles, pairs, partials, singles);
        for (int i = 0; i < tiles; i++)
            rest.Put(head + i * step);
    }

    // Fallbacks when no shape stands out.
    int LoneHonour() const;
    int LooseTile(int gap) const;
    MjTile SingleTile();

    CGbHu gbhu;
    CEvaluation evaluation;

    // Working values of the searches; the groups along the current path of a search.
    MjTile playmj;
    MjTile pairmj[7];
    MjTile partmj[7][2];
    MjTile singlemj[14];
    uint8_t candflag[2] = {};
    MjTile candmj[2];
    MjTile bestmj;
    MjTile secondmj;
    int32_t bestscore = 0;
    int32_t secondscore = 0;

    int32_t minfan = 0;
    uint8_t wildmode = 0;
    MjTile wildmj = MakeMj(1, 1);

    // The hand being searched.
    CMjPlayer *seat = nullptr;
    MjTile hand[14] = {};
    int handnum = 0;
    KindCounts handcount;
    const int (*seen)[10] = nullptr;
    bool readyfound = false;
    int32_t readybest = 0;
    int totalcache[MJ_KINDS] = {}; // CanHu of the hand less one copy of a kind; -1 not asked yet
    uint8_t unseen[5][10] = {}; // per kind, for the hand being searched
    // The tiles a search has still to place. Begin fills it with the hand, restnum tiles, and
    // every search puts back what it takes, so each starts from the whole hand.
    ShapeRest rest;
    int restnum = 0;
};
