#include "platform/WavFile.h"
#include "screen/BmpReader.h"
#include "screen/GifSurface.h"
#include "tests/screen/PictureFiles.h"

#include <cstdlib>
#include <gd.h>
#include <gtest/gtest.h>
#include <initializer_list>
#include <string>
#include <vector>

// The generated data folder (LANTILE_DATA): every picture the screen loads at the size its drawing
// code relies on, sprites keyed the way blits expect, and every sound the player loads.
namespace {

struct Picture {
    std::string path;
    int width, height;
    bool keyed;
};

// Adds pictures of one size: "Graphic/" + folder + name + ".bmp" for each name.
void Add(std::vector<Picture> &list, const std::string &folder, std::initializer_list<const char *> names, int width,
         int height, bool keyed = true)
{
    for (const char *name : names)
        list.push_back({"Graphic/" + folder + name + ".bmp", width, height, keyed});
}

std::vector<Picture> Pictures()
{
    std::vector<Picture> list = {
        {"Graphic/zjzl.bmp", 43 * 36, 52, true},   {"Graphic/zmp.bmp", 43 * 26, 36, true},
        {"Graphic/zjpd.bmp", 43 * 30, 42, true},   {"Graphic/djpd.bmp", 43 * 26, 36, true},
        {"Graphic/xjpd.bmp", 43 * 36, 28, true},   {"Graphic/sjpd.bmp", 43 * 36, 28, true},
        {"Graphic/djlq.bmp", 26, 38, true},        {"Graphic/cc2.bmp", 24, 30, true},
        {"Graphic/cc1.bmp", 28, 22, true},         {"Graphic/Dice.bmp", 726, 33, true},
        {"Graphic/shuzi.bmp", 200, 28, true},      {"Graphic/sparkling.bmp", 80, 20, true},
        {"Graphic/chupaikuang.bmp", 356, 103, true}, {"Graphic/hand.bmp", 456, 209, true},
        {"Graphic/chouma.bmp", 98, 30, true},      {"Graphic/chouma1.bmp", 30, 20, true},
        {"Graphic/Logo.bmp", 300, 200, true},      {"Graphic/state.bmp", 40, 22, true},
        {"Graphic/level.bmp", 80, 18, true},       {"Graphic/avatarnone.bmp", 57, 56, true},
        {"Graphic/DeskMj.bmp", 60, 40, true},      {"Graphic/NewStyle/num.bmp", 200, 20, true},
        {"Graphic/pai.bmp", 40, 20, true},         {"Graphic/mj.bmp", 60, 30, true},
        {"Graphic/szds.bmp", 80, 24, true},        {"Graphic/Flower/Flower_1.bmp", 15, 15, true},
        {"Graphic/NewStyle/popup.bmp", 272, 330, true}, {"Graphic/hint.bmp", 133, 36, true},
        {"Graphic/about.bmp", 32, 32, false},      {"Graphic/NetForm/userlist.bmp", 21 * 16, 16, true},
        {"Graphic/NetForm/roomtree.bmp", 3 * 16, 16, true}, {"Graphic/handback.bmp", 114, 209, true},
    };
    Add(list, "", {"xjcm", "sjcm"}, 18, 34);
    Add(list, "", {"wind", "NewStyle/wind"}, 96, 24);
    Add(list, "", {"gbmj", "dzmj"}, 160, 40);
    Add(list, "", {"pan", "NewStyle/pan"}, 120, 40);
    Add(list, "", {"offline", "kaishi", "quan"}, 60, 24);
    Add(list, "NewStyle/", {"position", "banker"}, 24, 24);
    Add(list, "", {"cursor", "Flower/Flower_0", "RegForm/checkbox1", "RegForm/checkbox2", "OptionForm/checkbox1",
                   "OptionForm/checkbox2"}, 20, 20);
    Add(list, "", {"pung", "kong", "win", "dianpao", "chiact"}, 120, 60);
    Add(list, "Center/", {"1-1", "1-2", "1-3", "1-4", "1-5", "1-6", "vidi"}, 106, 106);
    for (int n = 0; n < 12; ++n)
        list.push_back({"Graphic/Effect_" + std::to_string(n) + ".bmp", 80, 80, true});
    for (int n = 2; n <= 10; ++n)
        list.push_back({"Graphic/Flower/Flower_" + std::to_string(n) + ".bmp", 12, 15, true});
    Add(list, "", {"windpe", "windpn", "windpw"}, 40, 24);
    Add(list, "Tips/", {"tips0", "tips2"}, 260, 60);
    list.push_back({"Graphic/Tips/tips1.bmp", 80, 52, true}); // beside the discards, not over them
    // Buttons are five frames side by side, each small enough for the place the table gives it.
    Add(list, "", {"peng", "gang", "hu", "guo", "chi", "ting"}, 5 * 48, 40); // the claim row
    Add(list, "", {"tang", "piao", "piaono"}, 5 * 64, 40);
    Add(list, "NewStyle/", {"option", "back", "rules", "resume"}, 5 * 196, 44);
    const std::vector<Picture> widgets = {
        {"Graphic/start.bmp", 5 * 98, 36, true},           {"Graphic/MainMenu.bmp", 5 * 90, 44, true},
        {"Graphic/MainForm/newgame.bmp", 5 * 36, 24, true}, {"Graphic/MainForm/Close.bmp", 5 * 40, 20, true},
        {"Graphic/MainForm/max.bmp", 5 * 36, 20, true},     {"Graphic/MainForm/btn_invite.bmp", 5 * 44, 22, true},
        {"Graphic/ChatWnd/send.bmp", 5 * 60, 24, true},     {"Graphic/ChatWnd/senddefault.bmp", 5 * 36, 24, true},
        {"Graphic/ChatWnd/up.bmp", 5 * 10, 12, true},       {"Graphic/ChatWnd/down.bmp", 5 * 10, 12, true},
        {"Graphic/chinull.bmp", 5 * 100, 18, true},         {"Graphic/chicancle.bmp", 5 * 100, 18, true},
        {"Graphic/input.bmp", 170, 24, true},               {"Graphic/ChatWnd/BackGround.bmp", 163, 90, true},
        {"Graphic/NetForm/Chat.bmp", 532, 72, true},        {"Graphic/NetForm/barcenter.bmp", 16, 8, false},
    };
    list.insert(list.end(), widgets.begin(), widgets.end());
    Add(list, "NetForm/", {"up", "down"}, 5 * 16, 16);
    // The screens drawn alone fill the frame.
    Add(list, "", {"Room", "LoadGame", "black", "HelpForm/background", "LoginForm/background",
                   "ChooseNetForm/background", "RegForm/background", "NetForm/Room", "ModeForm/background",
                   "LoadForm/background"}, 800, 600, false);
    // The message screens stand over others, see-through at their rounded corners; so does the name
    // screen's board, with the table round it.
    Add(list, "", {"ShowMessage/background"}, 245, 96);
    Add(list, "", {"InviteMessage/background"}, 245, 110);
    Add(list, "", {"InviteForm/background"}, 336, 352);
    Add(list, "", {"MessageBox/background"}, 260, 100);
    Add(list, "", {"InputName/background"}, 800, 600);
    Add(list, "", {"ShowMessage/queding", "InviteMessage/queding", "InviteMessage/quxiao", "InviteForm/btinvite",
                   "InviteForm/btcancel", "MessageBox/queding", "MessageBox/quxiao", "ScoreForm/replay",
                   "ScoreForm/exit"}, 5 * 84, 28);
    // The help's page buttons stand 17 pixels apart at the closest.
    for (int n = 1; n <= 10; ++n) {
        list.push_back({"Graphic/HelpForm/" + std::to_string(n) + ".bmp", 800, 600, false});
        list.push_back({"Graphic/HelpForm/bt" + std::to_string(n) + ".bmp", 5 * 130, 17, true});
    }
    Add(list, "HelpForm/", {"prev", "next"}, 5 * 72, 26);
    Add(list, "HelpForm/", {"close"}, 5 * 88, 28);
    Add(list, "HelpForm/", {"checkbox1", "checkbox2"}, 160, 20);
    // The online screens' buttons stand 60 pixels apart, the server rows 47.
    Add(list, "", {"LoginForm/Enter", "LoginForm/Close", "LoginForm/Reg", "LoginForm/Daili", "RegForm/submit",
                   "RegForm/return"}, 5 * 112, 40);
    Add(list, "LoginForm/", {"edit"}, 160, 26);
    Add(list, "RegForm/", {"edit"}, 180, 26);
    Add(list, "ChooseNetForm/", {"load"}, 5 * 154, 22);
    Add(list, "LoadForm/", {"close"}, 5 * 176, 34);
    // The lobby's tables stand in 170 x 175 cells with 32 x 32 seat spots, its buttons 66 pixels
    // apart, and the page bar's thumb leaves a step of at least a pixel a page.
    Add(list, "NetForm/", {"table", "tableingame"}, 150, 165);
    Add(list, "NetForm/", {"PS", "PE", "PN", "PW"}, 32, 32);
    Add(list, "NetForm/", {"prev", "next", "autoadd", "chongzhi", "Close"}, 5 * 64, 36);
    const std::vector<Picture> lobby = {
        {"Graphic/Face/xtx.bmp", 12 * 32, 32, true},      {"Graphic/NetForm/handup.bmp", 14, 14, true},
        {"Graphic/NetForm/role.bmp", 12 * 80, 125, true}, {"Graphic/NetForm/bar.bmp", 5 * 16, 24, true},
        {"Graphic/NetForm/edit.bmp", 450, 24, true},      {"Graphic/NetForm/btavatar.bmp", 5 * 68, 30, true},
    };
    list.insert(list.end(), lobby.begin(), lobby.end());
    // The screens from the title menu to a game and its score.
    const std::vector<Picture> game = {
        {"Graphic/LoadForm/load.bmp", 5 * 150, 36, true},    {"Graphic/LoadForm/newgame.bmp", 5 * 84, 36, true},
        {"Graphic/InputName/Edit.bmp", 220, 26, true},       {"Graphic/InputName/queding.bmp", 5 * 100, 40, true},
        {"Graphic/InputName/zyd.bmp", 5 * 28, 24, true},     {"Graphic/InputName/yyd.bmp", 5 * 28, 24, true},
        {"Graphic/InputName/djhzj.bmp", 12 * 58, 58, true},  {"Graphic/OptionForm/background.bmp", 300, 350, true},
        {"Graphic/OptionForm/key.bmp", 12, 12, true},        {"Graphic/OptionForm/Restart.bmp", 5 * 140, 34, true},
        {"Graphic/ScoreForm/background.bmp", 560, 340, true}, {"Graphic/ScoreForm/mj.bmp", 43 * 28, 38, true},
        {"Graphic/ScoreForm/huangpai.bmp", 280, 100, true},  {"Graphic/ScoreForm/lresultnumber2.bmp", 10 * 19, 18, true},
        {"Graphic/ScoreForm/lresultSign2.bmp", 28, 12, true}, {"Graphic/ScoreForm/barcenter.bmp", 16, 8, true},
        {"Graphic/ScoreForm/up.bmp", 5 * 16, 20, true},      {"Graphic/ScoreForm/down.bmp", 5 * 16, 20, true},
        {"Graphic/ScoreForm/hint.bmp", 10 * 283, 9 * 117, true}, {"Graphic/ScoreForm/rowlight.bmp", 206, 20, true},
    };
    list.insert(list.end(), game.begin(), game.end());
    Add(list, "ModeForm/", {"btexit", "btnet", "btgame", "bthome", "btonline"}, 5 * 178, 40);
    return list;
}

constexpr uint32_t kKey = 0xFF00FF;

// The blit compares RGB565 values: a colour whose top bits are the key's vanishes with it.
bool DropsOut(uint32_t rgb)
{
    uint32_t r = rgb >> 16 & 0xFF, g = rgb >> 8 & 0xFF, b = rgb & 0xFF;
    return (((r >> 3) << 11) | ((g >> 2) << 5) | (b >> 3)) == 0xF81F;
}

class DataFolder : public testing::Test {
protected:
    void SetUp() override
    {
        const char *data = std::getenv("LANTILE_DATA");
        if (data == nullptr)
            GTEST_SKIP() << "LANTILE_DATA is not set";
        folder_ = std::string(data) + "/";
    }
    std::string folder_;
};

} // namespace

TEST_F(DataFolder, EveryPictureIsThereAtItsSizeKeyedOnlyWhereItIsMeantToBeSeeThrough)
{
    for (const Picture &picture : Pictures()) {
        std::optional<Bitmap> bitmap = ReadBmpFile(folder_ + picture.path);
        ASSERT_TRUE(bitmap) << picture.path;
        EXPECT_EQ(bitmap->width, picture.width) << picture.path;
        EXPECT_EQ(bitmap->height, picture.height) << picture.path;
        int keyed = 0, vanishing = 0;
        for (uint32_t pixel : bitmap->pixels) {
            keyed += (pixel & 0xFFFFFF) == kKey;
            vanishing += (pixel & 0xFFFFFF) != kKey && DropsOut(pixel);
        }
        EXPECT_EQ(vanishing, 0) << picture.path << " has visible pixels that the key would drop";
        EXPECT_TRUE(picture.keyed || keyed == 0) << picture.path << " is drawn opaque";
        EXPECT_LT(keyed, static_cast<int>(bitmap->pixels.size())) << picture.path << " is all key";
    }
    // The program takes its colour key from this corner.
    std::optional<Bitmap> chips = ReadBmpFile(folder_ + "Graphic/chouma.bmp");
    ASSERT_TRUE(chips);
    EXPECT_EQ(chips->At(0, 0) & 0xFFFFFF, kKey);
}

TEST_F(DataFolder, TheHelpOpensOnItsFirstPage)
{
    std::optional<Bitmap> background = ReadBmpFile(folder_ + "Graphic/HelpForm/background.bmp");
    std::optional<Bitmap> first = ReadBmpFile(folder_ + "Graphic/HelpForm/1.bmp");
    std::optional<Bitmap> second = ReadBmpFile(folder_ + "Graphic/HelpForm/2.bmp");
    ASSERT_TRUE(background && first && second);
    EXPECT_EQ(background->pixels, first->pixels);
    EXPECT_NE(first->pixels, second->pixels);
}

TEST_F(DataFolder, EveryTileCellHoldsATileWithItsCornersSeeThrough)
{
    for (const Picture &sheet : Pictures()) {
        if (sheet.width % 43 != 0 || sheet.width / 43 < 18 || sheet.path.find("Dice") != std::string::npos)
            continue;
        std::optional<Bitmap> bitmap = ReadBmpFile(folder_ + sheet.path);
        ASSERT_TRUE(bitmap) << sheet.path;
        const int cell = bitmap->width / 43;
        for (int c = 0; c < 43; ++c) {
            int x = c * cell;
            EXPECT_EQ(bitmap->At(x, 0) & 0xFFFFFF, kKey) << sheet.path << " cell " << c;
            EXPECT_NE(bitmap->At(x + cell / 2, bitmap->height / 2) & 0xFFFFFF, kKey) << sheet.path << " cell " << c;
        }
    }
}

TEST_F(DataFolder, AvatarsAreGifsWithATransparentBackground)
{
    // The table's pictures, and the show pictures of users without one of their own.
    std::vector<std::pair<std::string, int>> gifs = {{"male.gif", 140}, {"female.gif", 140}};
    for (int n = 1; n <= 12; ++n)
        gifs.emplace_back("Graphic/" + std::to_string(n) + ".gif", 57);
    for (const auto &[path, width] : gifs) {
        GifImage gif = LoadGif(folder_ + path);
        ASSERT_TRUE(gif) << path;
        EXPECT_EQ(gdImageSX(gif.get()), width) << path;
        EXPECT_EQ(gdImageSY(gif.get()), width == 57 ? 56 : 226) << path;
        int transparent = gdImageGetTransparent(gif.get());
        ASSERT_GE(transparent, 0) << path;
        EXPECT_EQ(gdImageGetPixel(gif.get(), 0, 0), transparent) << path;
    }
}

TEST_F(DataFolder, EverySoundThePlayerLoadsIsPcmAndAudible)
{
    for (const std::string &path : SoundFiles()) {
        std::optional<WavData> wav = ReadWavFile(folder_ + path);
        ASSERT_TRUE(wav) << path;
        const size_t frames = wav->samples.size() / (wav->channels * wav->bitsPerSample / 8);
        EXPECT_GT(frames, wav->sampleRate / 50) << path << " is shorter than 20 ms";
        bool sounds = false;
        for (size_t i = 0; i + 1 < wav->samples.size() && !sounds; i += 2)
            sounds = std::abs(static_cast<int16_t>(wav->samples[i] | wav->samples[i + 1] << 8)) > 1000;
        EXPECT_TRUE(sounds) << path << " is silent";
    }
}
