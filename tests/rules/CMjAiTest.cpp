#include "rules/CMjAi.h"

#include "RobotHands.h"
#include "platform/Random.h"
#include "rules/CGbHu.h"

#include <gtest/gtest.h>

#include <cstring>

namespace {

// Local games: no minimum fan total, no wild tile.
struct Robot {
    CMjAi ai;
    int seen[5][10] = {};
    Robot() { ai.SetMinFan(0); }

    MjTile Play(CMjPlayer &p)
    {
        ai.Play(&p, seen, 60, nullptr, 84);
        return p.playmj;
    }
};

// A random seat: up to two melds taken from the shuffled set, the rest concealed.
void RandomSeat(CMjPlayer &p, std::mt19937 &rng, int concealed)
{
    std::vector<MjTile> set = ShuffledSet(rng);
    size_t next = 0;
    int melds = static_cast<int>(rng() % 3);
    for (int m = 0; m < melds && concealed - 3 * (m + 1) >= 2; m++) {
        MjTile t = set[next++];
        GetMj &meld = p.getmj[p.getnum++];
        meld.tiles[0] = meld.tiles[1] = meld.tiles[2] = t;
        meld.count = 3;
        meld.kind = GETMJ_PENG;
    }
    p.cardnum = concealed - 3 * p.getnum;
    for (int i = 0; i < p.cardnum; i++)
        p.Mj[i] = set[next++];
    p.SortMj();
    uint8_t *flags[] = {&p.defaultplan, &p.qiduiplan, &p.bukaoplan, &p.onesuitplan};
    int plan = static_cast<int>(rng() % 6);
    if (plan < 4)
        *flags[plan] = 1;
    p.onesuit = static_cast<uint8_t>(rng() % 3);
    p.ting = rng() % 8 == 0;
}

bool SameSeat(const CMjPlayer &p, const std::vector<MjTile> &hand, const GetMj *melds, int meldnum)
{
    return Text(HandOf(p)) == Text(hand) && p.getnum == meldnum && std::memcmp(p.getmj, melds, sizeof(GetMj) * 5) == 0;
}

// Random seats, every third one ready and every third on the all-pungs plan alone: no question
// changes the seat; a ready seat claims no pung or chow; the pungs plan claims every pung unless
// waiting, and never a chow.
TEST(RobotClaims, QuestionsLeaveTheSeatAndFollowItsReadinessAndPlan)
{
    std::mt19937 rng(11);
    Robot robot;
    CGbHu gbhu;
    gbhu.SetMinFan(0);
    int pungs = 0;
    for (int round = 0; round < 300; round++) {
        CMjPlayer p;
        RandomSeat(p, rng, 13 + (round % 4 == 0));
        if (round % 3 == 0)
            p.ting = 1;
        if (round % 3 == 1) {
            p.defaultplan = 1;
            p.qiduiplan = p.bukaoplan = p.onesuitplan = p.ting = 0;
        }
        const bool pungsPlan = round % 3 == 1 && p.cardnum == 13;
        const bool waiting = pungsPlan && gbhu.CanHu(&p, p.Mj, p.cardnum) >= 1;
        std::vector<MjTile> hand = HandOf(p), asked = HandOf(p);
        asked.push_back(MjFromIndex(rng() % 136));
        GetMj melds[5];
        std::memcpy(melds, p.getmj, sizeof melds);
        const int meldnum = p.getnum;
        for (MjTile t : asked) {
            const bool pung = robot.ai.NeedPeng(&p, t, robot.seen, 50);
            const bool chow = robot.ai.NeedChi(&p, t, robot.seen, 50);
            robot.ai.NeedGang(&p, t, robot.seen, 50);
            EXPECT_TRUE(SameSeat(p, hand, melds, meldnum)) << "round " << round;
            if (p.ting) {
                EXPECT_FALSE(pung || chow) << "round " << round;
            }
            if (pungsPlan) {
                EXPECT_EQ(pung, p.CanPeng(t) && !waiting) << "round " << round;
                pungs += pung;
                EXPECT_FALSE(robot.ai.NeedChi(&p, MakeMj(t.value + 1, t.suit), robot.seen, 50));
            }
        }
    }
    EXPECT_GT(pungs, 0);
}

TEST(RobotClaims, SevenPairsAndKnittedPlansTakeNoClaimTheHandWouldOtherwiseTake)
{
    Robot robot;
    struct Ask {
        const char *hand;
        const char *tile;
        bool chow;
    } asks[] = {{"3456m3335s33567p", "3s", false}, {"567899m66s23477p", "6s", false}, {"3456m3335s33567p", "4s", true}};
    for (const Ask &a : asks) {
        CMjPlayer p;
        SetHand(p, a.hand);
        auto claims = [&] {
            return a.chow ? robot.ai.NeedChi(&p, Tile(a.tile), robot.seen, 50)
                          : robot.ai.NeedPeng(&p, Tile(a.tile), robot.seen, 50);
        };
        ASSERT_TRUE(claims()) << a.hand << " " << a.tile;
        for (uint8_t *flag : {&p.qiduiplan, &p.bukaoplan}) {
            *flag = 1;
            EXPECT_FALSE(claims()) << a.hand << " " << a.tile;
            *flag = 0;
        }
    }
}

// What the robot answers when offered a discard: "" for no claim, "yes" for a pung or kong, or the
// two hand tiles of the chow.
std::string Claim(Robot &robot, CMjPlayer &p, char kind, const char *tile)
{
    MjTile t = Tile(tile);
    bool yes = kind == 'p' ? robot.ai.NeedPeng(&p, t, robot.seen, 50)
               : kind == 'k' ? robot.ai.NeedGang(&p, t, robot.seen, 50)
                             : robot.ai.NeedChi(&p, t, robot.seen, 50);
    return !yes ? "" : kind == 'c' ? Text({p.chimj[0], p.chimj[1]}) : "yes";
}

TEST(RobotClaims, EachClaimIsTakenOnlyWhenItBringsTheHandNearer)
{
    const struct {
        const char *why, *hand;
        bool ready, pungs; // a ready seat; a seat on the all-pungs plan
        char kind;         // p pung, k kong, c chow
        const char *tile, *answer;
    } cases[] = {
        // After the pung of 1p, throwing the 6m leaves 22m, 234s, 67s and 678p waiting on 5s or 8s.
        {"a pung that leaves the hand waiting", "226m23467s11678p", false, false, 'p', "1p", "yes"},
        {"a kong of three tiles that serve no plan", "12m22s66s999s1357p", false, false, 'k', "9s", "yes"},
        {"a chow with the discard in the middle", "467m123s456s99p11z", false, false, 'c', "5m", "4m6m"},
        {"a chow that fills the plan's missing tile", "12456789m9s15p37z", false, false, 'c', "3m", "1m2m"},
        {"no chow of a tile the plan does not need", "12456789m9s15p37z", false, false, 'c', "9m", ""},
        {"a ready seat's kong that still waits after", "456m234s678p1112z", true, false, 'k', "1z", "yes"},
        // The three fives serve a run and a pair; without them two partials are left.
        {"no ready seat's kong that breaks the wait", "34555m123s456s78p", true, false, 'k', "5m", ""},
        {"every kong on the pungs plan", "34555m123s456s78p", false, true, 'k', "5m", "yes"},
        {"but not once ready", "34555m123s456s78p", true, true, 'k', "5m", ""},
    };
    Robot robot;
    for (const auto &c : cases) {
        CMjPlayer p;
        SetHand(p, c.hand);
        p.ting = c.ready;
        p.defaultplan = c.pungs;
        EXPECT_EQ(Claim(robot, p, c.kind, c.tile), c.answer) << c.why;
    }
}

// The played tile is one the seat holds, and a fixed seed gives the same choices twice (every
// kind seen in some rounds leaves many choices to the random fallbacks).
TEST(RobotDiscard, ThePlayedTileIsHeldAndAFixedSeedRepeatsTheChoices)
{
    auto choices = [] {
        std::mt19937 rng(21);
        Random::Pin(1234);
        Robot robot;
        std::vector<MjTile> out;
        for (int round = 0; round < 3000; round++) {
            CMjPlayer p;
            RandomSeat(p, rng, 14);
            for (auto &row : robot.seen)
                for (int &n : row)
                    n = round % 2 ? 4 : static_cast<int>(rng() % 3);
            out.push_back(robot.Play(p));
            EXPECT_TRUE(p.FindMj(out.back())) << "round " << round;
            EXPECT_EQ(p.cardnum, 14 - 3 * p.getnum);
        }
        Random::Unpin();
        return out;
    };
    const std::string first = Text(choices());
    EXPECT_EQ(first, Text(choices()));
    // The searches prune readings that cannot score: the choices must stay those of the whole search,
    // which gave this digest (FNV-1a of the text).
    uint64_t digest = 1469598103934665603u;
    for (unsigned char c : first)
        digest = (digest ^ c) * 1099511628211u;
    EXPECT_EQ(digest, 8041396936139209588u);
}

TEST(RobotDiscard, TheTileThrownIsTheOneThatKeepsTheBestChances)
{
    const struct {
        const char *why, *hand;
        std::vector<std::pair<const char *, int>> seen; // copies visible
        const char *discard;
    } cases[] = {
        {"a discard that leaves the hand ready", "123m456m789s1155p7z", {}, "7z"},
        {"even when every winning tile is visible", "123m456m789s1155p7z", {{"1p", 2}, {"5p", 2}}, "7z"},
        // Discarding 7m leaves pairs of East and 9m, every copy visible; a 9m leaves 7m-9m waiting on
        // the one unseen 8m.
        {"a closed wait with one tile left", "799m123s456s789p11z", {{"1z", 2}, {"9m", 2}, {"8m", 3}}, "9m"},
        // Of the rest, 3m-4m can still become a run from many tiles, 1p-2p only from 3p, most of which
        // are visible: of 1p and 2p the one with fewer copies left goes.
        {"the partial with the fewest tiles left", "34m123s789s12p5577z", {{"3p", 3}, {"2p", 2}}, "2p"},
        {"the partial with the fewest tiles left", "34m123s789s12p5577z", {{"3p", 3}, {"1p", 2}}, "1p"},
        // 456m, 333s and 567p leave 33p and three singles: the 3m goes. Reading 3456m as two partials
        // (a pair, two partials and the singles 5s and East) would throw the 5s.
        {"a reading one tile from ready before a looser one", "3456m3335s33567p3z", {}, "3m"},
        {"a terminal first among singles", "22366m5689s23p777z", {}, "9s"},
        // Discarding 8m waits on East or 9m (one left); a 9m waits on 7m only, every 7m visible:
        // there is no tile above 9m to make that second wait worth anything.
        {"an edge wait on a nine has no phantom ten", "899m123s456s789p11z", {{"1z", 2}, {"9m", 1}, {"7m", 4}}, "8m"},
    };
    for (const auto &c : cases) {
        CMjPlayer p;
        Robot robot;
        SetHand(p, c.hand);
        for (auto [tile, n] : c.seen)
            robot.seen[Tile(tile).suit][Tile(tile).value] = n;
        robot.seen[SUIT_TIAO][0] = 3; // the slot just after 9m must never be read as a tile
        EXPECT_EQ(Text({robot.Play(p)}), c.discard) << c.why;
    }
}

TEST(RobotDiscard, WhenNoShapeIsWorthAnythingTheLoosestTileGoes)
{
    Robot robot;
    for (auto &row : robot.seen) // every kind fully visible: no pair, partial or wait is worth anything
        for (int &n : row)
            n = 4;
    const struct {
        const char *why, *hand, *discard;
    } cases[] = {
        {"a lone honour first", "159m26s159p112345z", "2z"},
        // 9m is next to 1s in the sorted hand, but a different suit is never a neighbour.
        {"a tile far from both neighbours", "12m9m124578s569p11z", "9m"},
    };
    for (const auto &c : cases) {
        CMjPlayer p;
        SetHand(p, c.hand);
        EXPECT_EQ(Text({robot.Play(p)}), c.discard) << c.why;
    }
    CMjPlayer p;
    SetHand(p, "112233556677z12m");
    EXPECT_NE(robot.Play(p).suit, SUIT_ZI) << "two equal honours are never a lone honour";
}

// The plan a seat chose at the deal, with its suits.
std::string PlanOf(const CMjPlayer &p)
{
    auto suits = [](const int32_t *s) { return " " + std::to_string(s[0]) + std::to_string(s[1]) + std::to_string(s[2]); };
    return p.onesuitplan    ? "one suit " + std::to_string(p.onesuit)
           : p.qiduiplan    ? "seven pairs"
           : p.defaultplan  ? "pungs"
           : p.bukaoplan    ? "honours and knitted" + suits(p.bukaosuits)
           : p.zuhelongplan ? "knitted straight" + suits(p.zuhelongsuits)
                            : "none";
}

TEST(RobotOpeningPlan, TheDealtHandChoosesThePlanItIsNearest)
{
    const struct {
        const char *hand, *plan;
    } cases[] = {
        {"1115599m147s25p7z", "one suit 0"}, // far from every plan, with seven of a suit
        {"1133m5577p249s13z", "seven pairs"},
        {"115599m159s159p1z", "pungs"}, // three pairs and no plan within reach
        {"147m258s36p12345z", "honours and knitted 012"},
        {"1234567m1p25s36p1z", "knitted straight 012"}, // seven knitted tiles and few honours
    };
    for (const auto &c : cases) {
        CMjPlayer p;
        SetHand(p, c.hand);
        p.ChoosePlan();
        EXPECT_EQ(PlanOf(p), c.plan) << c.hand;
    }
    CMjPlayer own;
    own.robot = 0;
    SetHand(own, "1133m5577p249s13z");
    own.ChoosePlan();
    EXPECT_EQ(PlanOf(own), "none") << "a player's own seat chooses no plan";
}

} // namespace
