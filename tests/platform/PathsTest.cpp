#include "platform/Gbk.h"
#include "platform/Paths.h"
#include "platform/Random.h"
#include "platform/SingleInstance.h"

#include "tests/support/ScratchFolder.h"

#include <filesystem>
#include <gtest/gtest.h>
#include <sys/stat.h>

namespace {

TEST(Paths, BackslashPathsFindFilesWhateverTheCase)
{
    ScratchFolder folder;
    folder.Write("Wave/FeMale/DaPai.wav", "x");
    std::string want = (folder.Path() / "Wave/FeMale/DaPai.wav").string();
    EXPECT_EQ(Paths::Resolve("Wave\\female\\dapai.wav"), want);
    EXPECT_EQ(Paths::Resolve("WAVE/FEMALE/DAPAI.WAV"), want);
    EXPECT_TRUE(Paths::Exists("wave\\Female\\Dapai.WAV"));
    EXPECT_FALSE(Paths::Exists("Wave\\Male\\DaPai.wav"));
    // A missing file maps to the path as written, so that it can be created there.
    EXPECT_EQ(Paths::Resolve("Save\\1.cmj"), (folder.Path() / "Save/1.cmj").string());
}

TEST(Gbk, ConvertsBothWaysAndSurvivesDamage)
{
    const std::string gbk = "玩家"; // a GBK literal: two bytes a character
    ASSERT_EQ(gbk.size(), 4u);
    EXPECT_EQ(GbkToUtf8(gbk), "\xe7\x8e\xa9\xe5\xae\xb6");
    EXPECT_EQ(Utf8ToGbk(GbkToUtf8(gbk)), gbk);
    // A name cut in the middle of a character loses only that byte.
    EXPECT_EQ(GbkToUtf8(gbk.substr(0, 3)), "\xe7\x8e\xa9?");
}

// Names read from saved games are held to this: whole characters and no control bytes.
TEST(Gbk, TextIsWholeCharactersWithoutControlBytes)
{
    for (const char *good : {"", "Player 1", "玩家", "A中~", "\x81\x40\xFE\xFE"})
        EXPECT_TRUE(IsGbkText(good)) << good;
    for (const char *bad : {"\xB0", "ab\xB0", "\x80", "\xFF\xFF", "\x81\x7F", "\x81\x3F", "a\rb", "\t", "\x7F"})
        EXPECT_FALSE(IsGbkText(bad)) << bad;
}

// One copy per program folder, however the folder is reached; another folder has its own copy.
TEST(SingleInstance, OneLockPerProgramFolderFoundByItsRealPath)
{
    ScratchFolder folder;
    std::filesystem::create_directories(folder.Path() / "a");
    std::filesystem::create_directories(folder.Path() / "b");
    std::filesystem::create_directory_symlink(folder.Path() / "a", folder.Path() / "link");
    const std::string a = SingleInstance::PathFor((folder.Path() / "a").string());
    EXPECT_EQ(a, std::filesystem::canonical(folder.Path() / "a").string() + "/lantile.lock");
    EXPECT_EQ(SingleInstance::PathFor((folder.Path() / "link/").string()), a);
    EXPECT_EQ(SingleInstance::PathFor((folder.Path() / "b/../a").string()), a);

    using Result = SingleInstance::Result;
    SingleInstance first(a);
    ASSERT_EQ(first.Acquire(), Result::Taken);
    EXPECT_EQ(first.Acquire(), Result::Taken) << "held already";
    SingleInstance second(SingleInstance::PathFor((folder.Path() / "link").string()));
    EXPECT_EQ(second.Acquire(), Result::Running);
    SingleInstance other(SingleInstance::PathFor((folder.Path() / "b").string()));
    EXPECT_EQ(other.Acquire(), Result::Taken);
    // A folder that cannot hold a lock holds nothing a second copy could spoil.
    SingleInstance nowhere(SingleInstance::PathFor((folder.Path() / "missing").string()));
    EXPECT_EQ(nowhere.Acquire(), Result::Taken);
}

// A lock that no running process holds is free, whatever a crash, a kill or another host left in
// it; what is not a regular file is named at once, never waited on.
TEST(SingleInstance, WhatTheFileHoldsNeverKeepsTheGameFromStarting)
{
    ScratchFolder folder;
    const std::string lock = (folder.Path() / "lantile.lock").string();
    for (const char *left : {"", "\xff\xfe garbage", "4242\nlantile\nanother-host\n"}) {
        folder.Write("lantile.lock", left);
        EXPECT_EQ(SingleInstance(lock).Acquire(), SingleInstance::Result::Taken) << left;
    }
    std::filesystem::remove(lock);
    ASSERT_EQ(mkfifo(lock.c_str(), 0600), 0);
    EXPECT_EQ(SingleInstance(lock).Acquire(), SingleInstance::Result::NotAFile);
    std::filesystem::remove(lock);
    std::filesystem::create_directory(lock);
    EXPECT_EQ(SingleInstance(lock).Acquire(), SingleInstance::Result::NotAFile);
}

TEST(Random, AFixedSeedRepeatsAndThePinHoldsAgainstTheClock)
{
    Random::Pin(42);
    int a[5];
    for (int &x : a)
        x = Random::Next();
    Random::Pin(42);
    Random::SeedWithTime(); // ignored while pinned
    for (int x : a) {
        int y = Random::Next();
        EXPECT_EQ(x, y);
        EXPECT_GE(y, 0);
        EXPECT_LE(y, Random::kMax);
    }
    Random::Unpin();
}

} // namespace
