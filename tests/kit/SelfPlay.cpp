#include "tests/kit/SelfPlay.h"

#include "platform/FileBytes.h"
#include "platform/Paths.h"
#include "platform/TestClock.h"
#include "table/CMj.h"
#include "tests/kit/LocalRobot.h"
#include "tests/kit/TableDriver.h"
#include "windows/CScoreForm.h"

#include <algorithm>
#include <fstream>

namespace {

// A hand takes a few thousand ticks; one that goes on far longer will never end.
constexpr int kMaxStepsPerHand = 200000;

int ScoreTotal(const CMj &mj)
{
    int total = 0;
    for (const CMjPlayer &p : mj.player)
        total += p.score;
    return total;
}

bool SameBytes(const SavedGame &game, const std::vector<uint8_t> &bytes)
{
    const auto again = game.Bytes();
    return std::equal(again.begin(), again.end(), bytes.begin(), bytes.end());
}

} // namespace

void SelfPlay::Record(SelfPlaySummary &s) const
{
    s.hands++;
    int winner = -1, payers = 0;
    for (int seat = 0; seat < 4; seat++) {
        if (mj_.player[seat].ishu)
            winner = seat;
        if (mj_.player[seat].scorechange < 0)
            payers++;
    }
    if (winner < 0) {
        s.draws++;
        return;
    }
    const CMjPlayer &w = mj_.player[winner];
    s.wins[winner]++;
    if (payers > 1)
        s.selfdrawn++;
    s.fantotal += w.totalfan;
    for (int fan = 1; fan < FAN_COUNT; fan++)
        if (w.fanflag[fan])
            s.fancount[fan]++;
}

void SelfPlay::Tell(int &count, const std::string &what) const
{
    count++;
    if (report_)
        report_(what);
}

bool SelfPlay::PlayOut(SelfPlaySummary &summary, const std::function<void()> &beforeStep)
{
    for (int steps = 0; steps < kMaxStepsPerHand; steps++) {
        if (mj_.gamestatus == 2)
            return true;
        if (beforeStep)
            beforeStep();
        if (!LocalRobot::Act(mj_))
            clock_.Step();
        for (const std::string &rule : audit_.Check(mj_))
            Tell(summary.broken, rule);
    }
    return false;
}

void SelfPlay::PlayHand(SelfPlaySummary &summary, std::vector<SavePoint> &points)
{
    auto save = [&] {
        if (!savefile_.empty() && mj_.SaveAllowed())
            Save(summary, points);
    };
    while (!PlayOut(summary, save)) {
        Tell(summary.broken, "a hand did not end");
        mj_.NewLocalGame();
    }
}

bool SelfPlay::Save(SelfPlaySummary &summary, std::vector<SavePoint> &points)
{
    SavePoint point;
    if (!mj_.SaveGame(savefile_) ||
        FileBytes::Read(Paths::Resolve(savefile_), SavedGame::kSize + 1, point.bytes) != FileBytes::ReadStatus::Ok) {
        Tell(summary.mismatches, "a save failed");
        return false;
    }
    if (!points.empty() && points.back().bytes == point.bytes)
        return true; // the same moment, met again after a tick
    std::copy(std::begin(mj_.wallstack), std::end(mj_.wallstack), point.wallstack.begin());
    points.push_back(std::move(point));
    return true;
}

void SelfPlay::Replay(const std::vector<SavePoint> &points, SelfPlaySummary &summary)
{
    for (const SavePoint &point : points) {
        std::ofstream(Paths::Resolve(savefile_), std::ios::binary)
            .write(reinterpret_cast<const char *>(point.bytes.data()), static_cast<std::streamsize>(point.bytes.size()));
        if (!mj_.LoadGame(savefile_)) {
            Tell(summary.mismatches, "a saved game was refused");
            continue;
        }
        summary.roundtrips++;
        if (!SameBytes(mj_.Snapshot(), point.bytes))
            Tell(summary.mismatches, "a loaded game saves other bytes");
        if (!std::equal(point.wallstack.begin(), point.wallstack.end(), std::begin(mj_.wallstack)))
            Tell(summary.mismatches, "a loaded game rebuilt another wall");
        if (!PlayOut(summary, nullptr))
            Tell(summary.broken, "a loaded hand did not end");
    }
}

// A hand's end restored from its file, as loading it would before starting the next hand.
void SelfPlay::RestoreEnd(const SavePoint &end, SelfPlaySummary &summary)
{
    SavedGame game;
    if (!SavedGame::Parse(end.bytes.data(), end.bytes.size(), game)) {
        Tell(summary.mismatches, "the end of a hand was refused");
        return;
    }
    mj_.Restore(game);
    summary.roundtrips++;
    if (!SameBytes(mj_.Snapshot(), end.bytes))
        Tell(summary.mismatches, "a restored hand's end saves other bytes");
}

void SelfPlay::Run(int hands, SelfPlaySummary &summary)
{
    mj_.NewLocalGame();
    audit_ = TableAudit(ScoreTotal(mj_));
    std::vector<SavePoint> points, earlier, end;
    for (int played = 0; played < hands; played++) {
        points.clear();
        PlayHand(summary, points);
        Record(summary);
        end.clear();
        if (!savefile_.empty() && Save(summary, end)) {
            // The last hand's games are loaded over this hand's end, which then comes back from its file.
            Replay(earlier, summary);
            RestoreEnd(end.front(), summary);
            earlier = std::move(points);
        }
        if (!NextHand()) {
            Tell(summary.broken, "no new hand began after a hand ended");
            return;
        }
    }
    Replay(earlier, summary);
}

bool SelfPlay::NextHand()
{
    std::array<uint8_t, MJ_TOTAL> wall;
    std::copy(std::begin(mj_.wallmj), std::end(mj_.wallmj), wall.begin());
    bool bankrupt = false;
    for (const CMjPlayer &p : mj_.player)
        bankrupt = bankrupt || p.score < 1;
    if (bankrupt) {
        scoreform->Hide();
        mj_.NewLocalGame();
    } else {
        TableDriver(mj_, clock_).Press(*scoreform, CScoreForm::REPLAY);
    }
    return mj_.gamestatus == 1 && !std::equal(wall.begin(), wall.end(), std::begin(mj_.wallmj));
}
