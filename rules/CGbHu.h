#pragma once
#include "rules/FanBits.h"
#include "rules/FanTable.h"
#include "rules/GetMj.h"
#include "rules/KindMask.h"
#include "rules/MjKind.h"
#include "rules/MjTile.h"

#include <cstddef>
#include <cstdint>
#include <cstring>

class CMjPlayer;

// The national-standard hand evaluator: decides whether tiles win, finds the reading that scores
// most, and leaves its fan flags here and its total and groups in the player's record. Tiles are
// handled as counts per kind; no call allocates.
class CGbHu {
public:
    static constexpr int kFlagCount = FAN_COUNT + EXTRA_FAN_COUNT; // fans 0-89, then extras 0-19
    static constexpr int kExtraBase = FAN_COUNT;

    CGbHu();

    // tiles: the concealed tiles with the winning tile among them. The player's zimo, winmj,
    // flowernum, ganghu and qiangganghu must be set before. seenmj may be null (nothing seen).
    int Hu(CMjPlayer *player, const MjTile *tiles, int count, const int (*seenmj)[10], int leftnum);
    // tiles: a hand one tile short of complete. The best total (flowers not counted), 1 for a
    // special wait or in wild mode, 0 when the hand cannot win with minfan. Only a question: the
    // player's record is left exactly as it was.
    int CanHu(CMjPlayer *player, const MjTile *tiles, int count);
    // The hand-level fan tests over the concealed tiles and the melds' tiles, into the working flags.
    int CalcFan(const MjTile *tiles, int count, CMjPlayer *player);
    // Clears the fans the rules do not count beside a higher one and sums the working flags.
    int CalcTotalFan();

    void SetMinFan(int value) { minfan = value; }
    void SetWildMode(uint8_t mode, MjTile wild)
    {
        wildmode = mode;
        wildmj = wild;
    }

    uint8_t fanflag[kFlagCount] = {}; // the best reading's fans; extras from kExtraBase
    int32_t minfan = 0;
    uint8_t wildmode = 0;
    MjTile wildmj;

private:
    // The tests' reference scorer runs the ordinary search on its own.
    friend class SearchOracle;

    // The tiles read, and the kinds they hold as masks: the first shape tests need only the masks,
    // and the counts per kind are filled from the tiles for the shapes that read them. Nothing is
    // set until the tiles are read.
    struct Held {
        uint64_t present; // as PresentMask gives it
        uint64_t odd;     // kinds held an odd number of times
        int n;            // tiles read
        const MjTile *tiles; // the caller's, or `rest` when wild tiles were set aside
        MjTile rest[14];

        // Every tile read is of a playable kind. Two tiles a turn, as in ReadKinds.
        void Count(uint8_t *counts) const
        {
#pragma GCC unroll 2
            for (int i = 0; i < n; i++)
                counts[static_cast<uint8_t>(kMjKinds.kind[MjKey(tiles[i])])]++;
        }
    };
    // A group of a reading in compact form.
    enum GroupKind : uint8_t {
        G_KONG = GETMJ_GANG,
        G_PUNG = GETMJ_PENG,
        G_CHOW = GETMJ_CHI,
        G_PAIR = GETMJ_PAIR,
        G_ADJACENT, // unfinished shapes of the wild and waiting searches: two neighbours,
        G_GAP,      // two tiles with a gap,
        G_SINGLE,   // one tile
    };
    struct Group {
        uint8_t kind = 0;
        uint8_t tile = 0;     // kind of the lowest tile
        uint8_t wildfill = 0; // bit i: a wild tile stands for tile i
    };
    struct Reading;

    // Zeroes a flag array with plain stores: a memset of this size compiles to a string instruction,
    // slow to start for so few bytes.
    template <size_t N> static void ClearFlags(uint8_t (&flags)[N])
    {
        static constexpr uint8_t kZero[N] = {};
        std::memcpy(flags, kZero, N);
    }

    // Set-up shared by the tests (CGbHu.cpp).
    // Checks the arguments, reads the tiles and loads the melds; the wild tiles held, -1 when the
    // hand cannot be scored.
    int Prepare(CMjPlayer *p, const MjTile *tiles, int count, const int (*seenmj)[10], int leftnum, Held &held);
    // Refuses melds that, with the held tiles, make more than a hand of `hand` tiles.
    bool LoadMelds(const CMjPlayer *p, int held, int hand);
    void Reset(CMjPlayer *p);
    void NoteCircumstances(const int (*seenmj)[10], int leftnum);
    // Self-drawn, out on a kong's replacement and robbing a kong, for a win of any shape.
    void AddWinContext(FanBits &fans) const; // CGbHuTotal.cpp
    static int GroupKinds(const Group *groups, int n, uint8_t *counts);
    // Reads the tiles' kinds; the number of wild tiles among them, -1 for a tile that is neither
    // wild nor a playable kind (at most 14 tiles).
    int ReadTiles(const MjTile *tiles, int count, Held &held) const
    {
        if (wildmode)
            return TakeWilds(tiles, count, held);
        return ReadKinds(tiles, count, held) ? 0 : -1;
    }
    // Without the wild-tile rule: false for a tile that is no playable kind.
    static bool ReadKinds(const MjTile *tiles, int count, Held &held);
    static GetMj ToGetMj(const Group &g);

    // Winning shapes (CGbHuShapes.cpp).
    // The shape tests read the kinds present as PresentMask gives them.
    // Every terminal and honour kind, the fourteenth tile a copy of one of them.
    static bool IsThirteenOrphans(uint64_t present, int n) { return n == 14 && present == kOrphanKinds; }
    static bool KnittedSets(uint64_t present, int sets[3]);
    // odd: the kinds held an odd number of times.
    static int HonoursKnittedFan(uint64_t present, uint64_t odd, int n);
    static int TakeKnitted(const int suits[3], uint8_t *counts);
    static bool IsKnittedStraight(const uint8_t *counts, uint64_t present, int n);
    static bool HoldsKnittedTiles(uint64_t present);
    static bool IsKnittedStraightWait(const uint8_t *counts, int n);
    // Seven pairs, four equal tiles counting as two.
    static bool IsSevenPairs(const Held &held, int n) { return n == 14 && !held.odd; }
    static bool CanComplete(uint8_t *counts, int n, bool pairtaken, int from = 0);
    // Whether seven pairs (n tiles) can also be read as groups and a pair.
    static bool PairsReadAsGroups(const uint8_t *counts, uint64_t present, int n);
    static uint64_t PresentMask(const uint8_t *counts) { return NonzeroBytes<MJ_KINDS>(counts); }
    // Characters, bamboo, dots, a wind and a dragon.
    static bool HasAllTypes(uint64_t present)
    {
        return (present & SuitMask(0)) && (present & SuitMask(1)) && (present & SuitMask(2)) &&
               (present & kWindKinds) && (present & kDragonKinds);
    }

    // The ordinary reading and the scored endings (CGbHu.cpp).
    // Every ordinary reading, and seven pairs beside them; allkinds adds the melds' tiles.
    int Search(uint8_t *counts, int count, const uint8_t *allkinds, int alln, bool sevenpairs);
    // A shape whose fans are known from the kinds it holds (allpresent: the melds' too): seven
    // shifted pairs, thirteen orphans, honours and knitted tiles, a knitted straight. Its flags are
    // settled as bits, with no pass over the flag bytes.
    int FinishSpecial(int fan, uint64_t allpresent); // CGbHuTotal.cpp
    // Seven pairs' total; their fans are kept in pairfans until FinishSevenPairs takes them.
    int ScoreSevenPairs(const uint8_t *counts, uint64_t present, int n); // CGbHuTotal.cpp
    int FinishSevenPairs(int total);
    void Decompose(uint8_t *counts, int n, bool pairtaken, int from, int depth);
    // Scores the reading in the groups and keeps it when strictly better than the best so far.
    void ScoreGroups(int depth);
    // The same for a reading completed by the search (a wait, a wild fill): its hand-level fans
    // come from the groups first.
    void ScoreFilledGroups(int depth);
    void KeepBest(int total, int depth);
    int FinishOrdinary();
    // The winner's total with the flowers, which only this writes.
    void SetWinTotal(int total);
    // CanHu's answer from the best reading, written nowhere.
    int WaitAnswer() const;

    // Fan tests (CGbHuFans.cpp).
    void SaveHandFans(const uint8_t *counts, int n);
    // Adds the hand-level fans to f; present: PresentMask(counts).
    void HandFans(const uint8_t *counts, uint64_t present, int n, FanBits &f) const;
    bool IsNineGates(const uint8_t *counts, uint64_t present) const;
    static void SevenPairsFans(uint64_t present, FanBits &f);
    static bool IsSevenShiftedPairs(const uint8_t *counts, uint64_t present, int n);
    // Seven kinds of one suit with values rising by one, and nothing else.
    static bool AreSevenShiftedKinds(uint64_t present)
    {
        int first = std::countr_zero(present);
        return first < 27 && first % 9 <= 2 && present == uint64_t{0x7F} << first;
    }
    void PlayerFans();
    int ScoreReading();
    void MeldFans(const Reading &r);
    void CountConcealed(int *concealed, int *strict) const;
    bool HasMixedShiftedPungs() const;
    bool HasShortStraight() const;
    void WaitFans(const Reading &r);
    void WildExtraFans(const Reading &r);
    bool IsWildMj(MjTile tile) const;

    // Waiting hands (CGbHuWait.cpp).
    static bool IsSpecialWait(const uint8_t *counts, const Held &held, int n);
    bool WaitSearch(uint8_t *counts, int n, int from, int depth, int pairs, int partials, int singles);
    void ScoreWait(int depth);

    // The wild-tile rule (CGbHuWild.cpp).
    // ReadTiles under the wild-tile rule: the wild tiles are set aside.
    int TakeWilds(const MjTile *tiles, int count, Held &held) const;
    int HuWild(const uint8_t *counts, int n, int wilds);
    int CanHuWild(const uint8_t *counts, int n, int wilds);
    static bool IsWildThirteenOrphans(const uint8_t *counts, int n, int wilds);
    static bool FillSevenPairs(const uint8_t *counts, int n, int wilds, uint8_t *filled, int *filledn);
    static int WildHonoursKnittedFan(const uint8_t *counts, int n, int wilds);
    void WildDecompose(uint8_t *counts, int n, int from, int depth, int wilds, int pairs, int unfinished);
    void WildFill(const Group *groups, int n, int wilds);
    void ScoreWildReading(const Group *groups, int n);

    CMjPlayer *player = nullptr;
    Group meld[4];        // the player's melds, in the order made
    int meldnum = 0;
    uint64_t meldopen = 0; // kinds of melded pungs and exposed kongs
    uint64_t meldany = 0;  // kinds of every melded pung and kong
    uint64_t meldkong = 0; // kinds of melded kongs
    int exposedkongs = 0;
    int concealedkongs = 0;
    Group group[6];       // the reading being scored: the melds, then the groups found
    int groupnum = 0;
    Group pending[6];     // the wild decomposition's groups before the wild tiles are placed
    Group bestgroup[6];   // the groups the best reading found, made the seat's when the hand ends
    int bestnum = 0;
    int32_t besttotal = 0;
    bool found = false;  // some reading was scored
    uint8_t savedflag[FAN_COUNT] = {}; // hand-level fans of the hand being read
    uint8_t workflag[kFlagCount] = {};  // fans of the reading being scored
    FanBits circumstances = {};         // last tile drawn, last tile claimed, fourth copy
    FanBits pairfans = {};              // the fans of seven pairs last scored
    int winkind = -1;                   // the winning tile of the reading: the player's, or a wait's
    int wildnum = 0;                    // wild tiles held
};
