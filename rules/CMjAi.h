#pragma once
#include "rules/CEvaluation.h"
#include "rules/CGbHu.h"
#include "rules/HandCount.h"
#include "rules/MjTile.h"

#include <cstdint>
#include <vector>

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
    // One state of the shape search: the groups set aside so far and the tiles still to place.
    struct ShapeState {
        MjTile pair[8];
        MjTile part[8][2];
        MjTile single[14];
        MjTile rest[14];
        int8_t pairnum = 0, partnum = 0, singlenum = 0, restnum = 0;
    };

    // The hand a search works on: sorted, with the seen table and the seat (for its melds).
    void Begin(CMjPlayer *player, const MjTile *tiles, int count, const int (*seenmj)[10]);
    int Unseen(MjTile tile) const;
    int Unseen(int value, int suit) const;
    int PairWorth(MjTile tile) const;
    int PartialWorth(const MjTile *part) const;
    MjTile FewerUnseen(MjTile a, MjTile b) const;
    int FewestUnseen(const MjTile *tiles, int n) const;

    MjTile ChooseDiscard(CMjPlayer *player, const int (*seenmj)[10]);

    // Ready-hand search (CMjAiReady.cpp).
    bool ReadyHand(CMjPlayer *player, const MjTile *tiles, int count, const int (*seenmj)[10]);
    void ReadySearch(const MjTile *rest, int n, int pairs, int partials, int singles);
    void ReadyShape(int pairs, int partials, int singles);
    bool ConsiderReady(MjTile discard, int winning, int bonus);
    int TotalWithout(MjTile discard);

    // Shape searches (CMjAiShape.cpp).
    bool GetBestWay();
    void PushShapes(const ShapeState &state);
    void ScoreShape(const ShapeState &state);
    void Offer(int score, MjTile discard, bool secondrank);
    bool SmallShapeSearch();
    void SmallSearch(const MjTile *rest, int n, int pairs, int partials, int singles);

    // Fallbacks when no shape stands out (CMjAiPlay.cpp).
    int LoneHonour() const;
    int LooseTile(int gap) const;
    MjTile SingleTile();

    CGbHu gbhu;
    CEvaluation evaluation;

    // Working values of the searches.
    MjTile playmj;
    MjTile pairmj[2];
    MjTile partmj[2];
    MjTile singlemj[2];
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
    // Scratch of the small shape search: the groups along the current path.
    MjTile smallpair[7];
    MjTile smallpart[7][2];
    MjTile smallsingle[14];
    std::vector<ShapeState> stack;
};
