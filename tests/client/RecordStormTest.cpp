// Seeded mutations of the session scripts' bytes, through the framer, the dispatcher and the table's
// bounds, and through the proxy handshake, and of a saved game: the same entries the fuzzers run.
#include "tests/client/LinkFixture.h"
#include "tests/fuzz/FuzzEntries.h"
#include "tests/support/ScratchFolder.h"

#include <filesystem>
#include <random>

namespace {

constexpr int kInputs = 20000; // for each of the two entries

// What the server (or proxy) side of every session script writes.
std::vector<std::vector<uint8_t>> Corpus()
{
    std::vector<std::vector<uint8_t>> corpus;
    for (const auto &entry : std::filesystem::directory_iterator(LANTILE_SESSIONS)) {
        SessionScript script;
        std::string error;
        EXPECT_TRUE(ParseScript(SessionText(entry.path().filename().string()), &script, &error)) << error;
        std::vector<uint8_t> bytes;
        for (const ScriptStep &step : script.steps)
            if (step.kind == ScriptStep::WRITE)
                bytes.insert(bytes.end(), step.bytes.begin(), step.bytes.end());
        corpus.push_back(bytes);
    }
    return corpus;
}

// One seeded change of the kinds a hostile server makes: any byte, a record type the client
// handles, a count or a tile at its edge, a stream cut short or run on.
void Mutate(std::vector<uint8_t> &b, std::mt19937 &rng)
{
    static const uint8_t edges[] = {0, 1, 14, 15, 127, 128, 143, 144, 255};
    std::uniform_int_distribution<size_t> at(0, b.empty() ? 0 : b.size() - 1);
    switch (rng() % 5) {
    case 0:
        if (!b.empty())
            b[at(rng)] ^= static_cast<uint8_t>(1u << (rng() % 8));
        break;
    case 1:
        if (b.size() >= 129) {
            size_t record = at(rng) / 129 * 129;
            b[record] = static_cast<uint8_t>(rng() % 2 ? 1 + rng() % 15 : 100 + rng() % 26);
        }
        break;
    case 2:
        if (!b.empty())
            b[at(rng)] = edges[rng() % std::size(edges)];
        break;
    case 3:
        b.resize(at(rng));
        break;
    default:
        b.insert(b.end(), rng() % 300, static_cast<uint8_t>(rng()));
        break;
    }
}

template <typename Entry> void Storm(Entry &&entry, uint32_t seed)
{
    std::vector<std::vector<uint8_t>> corpus = Corpus();
    ASSERT_FALSE(corpus.empty());
    std::mt19937 rng(seed);
    for (int run = 0; run < kInputs; run++) {
        std::vector<uint8_t> input = corpus[run % corpus.size()];
        for (int k = 1 + rng() % 4; k > 0; k--)
            Mutate(input, rng);
        input.insert(input.begin(), static_cast<uint8_t>(rng())); // the entry's choice byte
        std::string failure = entry(input.data(), input.size());
        ASSERT_EQ(failure, "") << "input " << run;
    }
}

TEST(RecordStorm, MutatedServerStreamsReachTheGameWholeAndInOrder)
{
    ScratchFolder folder;
    RecordDispatch dispatch;
    Storm([&](const uint8_t *d, size_t n) { return dispatch.Run(d, n); }, 17);
}

TEST(RecordStorm, MutatedProxyAnswersNeverOpenATunnelTheyShouldNot)
{
    RecordedBoxes boxes;
    Storm(ProxyReplyInput, 29);
}

// Seeded changes of a saved game, loaded over a game in play: each is refused with the table left
// as it was, or plays on under the table audit, saving wherever it may as an acceptable file.
TEST(SavedGameStorm, ChangedSavedGamesAreRefusedUntouchedOrPlayOnUnderTheAudit)
{
    ScratchFolder folder;
    std::filesystem::create_directory(folder.Path() / "Save");
    SavedGameLoad load;
    const std::string sound = load.SoundBytes();
    ASSERT_EQ(sound.size(), 3392u);
    std::mt19937 rng(26);
    constexpr int kFiles = 400;
    for (int run = 0; run < kFiles; run++) {
        std::vector<uint8_t> input(sound.begin(), sound.end());
        // Mostly single changes, so that some files still hold a possible table.
        for (int k = run % 3 == 0 ? 1 + rng() % 4 : 1; k > 0; k--)
            Mutate(input, rng);
        ASSERT_EQ(load.Run(input.data(), input.size()), "") << "file " << run;
    }
    EXPECT_GT(load.Played(), kFiles / 10) << "few changed files were loaded and played";
    EXPECT_LT(load.Played(), kFiles) << "every changed file was loaded";
}

} // namespace
