#include "platform/Random.h"
#include "platform/ResourceModule.h"

#include "tests/support/ScratchFolder.h"

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <iterator>

namespace fs = std::filesystem;

namespace {

std::vector<uint8_t> FileOf(const fs::path &file)
{
    std::ifstream in(file, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

uint32_t Be32(const std::vector<uint8_t> &b, size_t at)
{
    return uint32_t(b[at]) << 24 | uint32_t(b[at + 1]) << 16 | uint32_t(b[at + 2]) << 8 | b[at + 3];
}

void PutBe32(std::vector<uint8_t> &b, size_t at, uint32_t v)
{
    for (int i = 0; i < 4; ++i)
        b[at + i] = static_cast<uint8_t>(v >> (24 - 8 * i));
}

// Bundles made by the toolkit's resource compiler, as the build makes the program's, in a scratch
// program folder.
class ResourceBundle : public testing::Test {
protected:
    // A bundle of two small pictures, "Graphic\a.bmp" and "Graphic\Sub\b.bmp"; compressed when asked.
    std::vector<uint8_t> Compile(bool compressed)
    {
        folder.Write("in/a.bmp", "first picture");
        folder.Write("in/b.bmp", std::string(400, 'b'));
        folder.Write("list.qrc", "<RCC><qresource prefix=\"/\"><file alias=\"graphic/a.bmp\">in/a.bmp</file>"
                                 "<file alias=\"graphic/sub/b.bmp\">in/b.bmp</file></qresource></RCC>");
        const std::string options = compressed ? "--compress-algo zlib --threshold 0" : "--no-compress";
        const std::string command = std::string(LANTILE_RCC) + " --binary " + options + " -o " +
                                    (folder.Path() / "small.rcc").string() + " " + (folder.Path() / "list.qrc").string();
        EXPECT_EQ(0, std::system(command.c_str()));
        return FileOf(folder.Path() / "small.rcc");
    }

    ResourceModule Load(const std::vector<uint8_t> &bytes)
    {
        folder.Write("MjRes.rcc", std::string(bytes.begin(), bytes.end()));
        return ResourceModule::Load((folder.Path() / "MjRes.rcc").string());
    }

    ScratchFolder folder;
};

TEST_F(ResourceBundle, ALoadedBundleGivesTheTablesPicturesByAnySpellingOfTheirPathUntilFreed)
{
    const char *data = std::getenv("LANTILE_DATA");
    if (!data)
        GTEST_SKIP() << "LANTILE_DATA is not set";
    const fs::path bin(data);
    ResourceModule module = ResourceModule::Load((bin / "MjRes.rcc").string());
    ASSERT_FALSE(module.IsOwn());
    std::vector<uint8_t> bytes;
    ASSERT_TRUE(module.Read("Graphic\\DeskMj.bmp", bytes));
    EXPECT_EQ(FileOf(bin / "Graphic/DeskMj.bmp"), bytes);
    EXPECT_TRUE(module.Read("graphic/DESKMJ.BMP", bytes));
    ASSERT_TRUE(module.Read(folder.Path().string() + "/Graphic\\Room.bmp", bytes)) << "the program folder's own path";
    EXPECT_EQ(FileOf(bin / "Graphic/Room.bmp"), bytes);
    // The table's buttons, and the title's background that the program also carries itself.
    for (const char *picture : {"Graphic\\peng.bmp", "Graphic\\MainForm\\Close.bmp", "Graphic\\ChatWnd\\send.bmp",
                                "Graphic\\Flower\\Flower_3.bmp", "Graphic\\ModeForm\\background.bmp"})
        EXPECT_TRUE(module.Read(picture, bytes)) << picture;
    // Other screens' pictures stay on disk only.
    EXPECT_FALSE(module.Read("Graphic\\LoadForm\\background.bmp", bytes));
    EXPECT_FALSE(module.Read("Graphic\\NetForm\\Room.bmp", bytes));

    module.Free();
    EXPECT_TRUE(module.IsOwn());
    EXPECT_FALSE(module.Read("Graphic\\DeskMj.bmp", bytes)) << "this test program carries no pictures of its own";
    // Loaded again at the next switch, it serves again.
    module = ResourceModule::Load((bin / "MjRes.rcc").string());
    EXPECT_TRUE(module.Read("Graphic\\DeskMj.bmp", bytes));
    module.Free();
    EXPECT_EQ("graphic/newstyle/pan.bmp", ResourceModule::Name(folder.Path().string() + "/Graphic\\NewStyle\\pan.bmp"));
}

// The toolkit reads a registered bundle in place, trusting its offsets: a damaged one must never be
// registered.
TEST_F(ResourceBundle, AMissingDamagedCompressedOrForeignFileLeavesTheProgramsOwnModule)
{
    const std::vector<uint8_t> good = Compile(false);
    ASSERT_GT(good.size(), 20u);
    {
        ResourceModule module = Load(good);
        std::vector<uint8_t> bytes;
        ASSERT_FALSE(module.IsOwn());
        ASSERT_TRUE(module.Read("Graphic\\Sub\\b.bmp", bytes));
        EXPECT_EQ(400u, bytes.size());
        module.Free();
    }
    EXPECT_FALSE(Load(good).IsOwn()) << "let go of without Free: no longer registered, as the reads below check";
    EXPECT_TRUE(ResourceModule::Load((folder.Path() / "none.rcc").string()).IsOwn());
    EXPECT_TRUE(Load({}).IsOwn());
    EXPECT_TRUE(Load({'B', 'M', 0, 0}).IsOwn());
    EXPECT_TRUE(Load(std::vector<uint8_t>(good.begin(), good.begin() + good.size() / 2)).IsOwn()) << "cut short";
    EXPECT_TRUE(Load(Compile(true)).IsOwn()) << "compressed";

    const size_t tree = Be32(good, 8);
    const size_t names = Be32(good, 16); // the names, then the tree, end the file
    const size_t nodeSize = Be32(good, 4) == 1 ? 14 : 22;
    // The root holds one folder ("graphic"), which holds a picture and a folder.
    const size_t graphic = tree + Be32(good, tree + 10) * nodeSize;
    const size_t firstChild = tree + Be32(good, graphic + 10) * nodeSize;
    const size_t picture = good[firstChild + 5] & 2 ? firstChild + nodeSize : firstChild;
    const size_t pictureData = Be32(good, 12) + Be32(good, picture + 10);
    struct Damage {
        const char *what;
        size_t at;
        uint32_t value;
    } damages[] = {
        {"a version from the future", 4, 9},
        {"the tree beyond the end", 8, static_cast<uint32_t>(good.size())},
        {"the names beyond the end", 16, 0xFFFFFF00},
        {"a folder of a million children", graphic + 6, 1000000},
        {"a folder that holds itself", graphic + 10, Be32(good, tree + 10)},
        {"a picture's data beyond the end", picture + 10, static_cast<uint32_t>(good.size())},
        {"a picture longer than the file", pictureData, static_cast<uint32_t>(good.size())},
        {"a picture's name beyond the end", picture, 0x7FFFFFF0},
        {"a picture's name longer than the file", names + Be32(good, picture), 0xFFFF0000},
        {"a picture marked compressed", picture + 4, 0x00010000},
    };
    for (const Damage &d : damages) {
        std::vector<uint8_t> bad = good;
        PutBe32(bad, d.at, d.value);
        EXPECT_TRUE(Load(bad).IsOwn()) << d.what;
    }

    // Whatever else a damaged file says, what is registered is read within its bytes (the
    // sanitizers watch the reads).
    Random::Pin(26);
    for (int round = 0; round < 300; ++round) {
        std::vector<uint8_t> bad = good;
        for (int n = 0; n < 3; ++n) {
            const size_t at = Random::Next() % 2 ? Random::Next() % 20 : names + Random::Next() % (good.size() - names);
            bad[at] = static_cast<uint8_t>(Random::Next());
        }
        ResourceModule module = Load(bad);
        std::vector<uint8_t> bytes;
        for (const char *name : {"Graphic\\a.bmp", "Graphic\\Sub\\b.bmp", "Graphic\\Sub", "x"})
            module.Read(name, bytes);
        module.Free();
    }
    Random::Unpin();
}

} // namespace
