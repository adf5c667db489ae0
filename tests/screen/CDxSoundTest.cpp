#include "screen/CDxSound.h"

#include "platform/Paths.h"
#include "platform/WavFile.h"

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <thread>

namespace fs = std::filesystem;

namespace {

// A silent sound of the given length; long enough ones are still playing when the test looks.
void WriteSound(const fs::path &file, int milliseconds)
{
    WavData wav{1, 44100, 16, std::vector<uint8_t>(static_cast<size_t>(44100 * milliseconds / 1000) * 2, 0)};
    fs::create_directories(file.parent_path());
    WriteWavFile(file.string(), wav);
}

// A program folder holding every sound the player loads, each two seconds long.
class SoundFolder : public testing::Test {
protected:
    void SetUp() override
    {
        folder_ = fs::temp_directory_path() / ("lantile_sound_" + std::to_string(::getpid()));
        fs::remove_all(folder_);
        for (const char *effect : {"sezi", "DaPai", "action", "Click", "move", "givemj", "win", "chouma", "TinyGame"})
            WriteSound(folder_ / "Wave" / (std::string(effect) + ".wav"), 2000);
        for (const char *sex : {"Male", "FeMale"}) {
            for (const char *suit : {"wan_", "tiao_", "bing_"})
                for (int value = 1; value <= 9; ++value)
                    WriteSound(folder_ / "Wave" / sex / (suit + std::to_string(value) + ".wav"), 2000);
            for (const char *name : {"dong", "nan", "xi", "bei", "hongzhong", "facai", "baiban", "peng", "gang", "hu",
                                     "zimo", "buhua", "chi", "ting"})
                WriteSound(folder_ / "Wave" / sex / (std::string(name) + ".wav"), 2000);
        }
        previousFolder_ = Paths::ProgramFolder();
        Paths::SetProgramFolder(folder_.string());
    }

    void TearDown() override
    {
        Paths::SetProgramFolder(previousFolder_);
        fs::remove_all(folder_);
    }

    // Every voice, effect and the tune that is playing now, by name.
    static std::vector<std::string> Playing(const CDxSound &sound)
    {
        std::vector<std::string> playing;
        for (int row = 0; row < CDxSound::kVoiceRows; ++row)
            for (int index = 0; index < CDxSound::kVoicesPerRow; ++index)
                if (sound.voices[row][index] && sound.voices[row][index]->IsPlaying())
                    playing.push_back("voice " + std::to_string(row) + "/" + std::to_string(index));
        for (int slot = 0; slot < CDxSound::kEffects; ++slot)
            if (sound.effects[slot] && sound.effects[slot]->IsPlaying())
                playing.push_back("effect " + std::to_string(slot));
        if (sound.loop && sound.loop->IsPlaying())
            playing.push_back("loop");
        return playing;
    }

    fs::path folder_;
    std::string previousFolder_;
};

using Names = std::vector<std::string>;

} // namespace

TEST_F(SoundFolder, EverySoundIsLoadedIntoItsPlace)
{
    CDxSound sound;
    ASSERT_EQ(sound.disabled, 0);
    EXPECT_EQ(sound.soundon, 1);
    EXPECT_EQ(sound.voiceon, 0);
    for (int slot = 0; slot < CDxSound::kEffects; ++slot)
        EXPECT_EQ(sound.effects[slot] != nullptr, slot != 2 && slot != 4) << "effect " << slot;
    EXPECT_NE(sound.loop, nullptr);
    for (int row = 0; row < CDxSound::kVoiceRows; ++row)
        for (int index = 0; index < CDxSound::kVoicesPerRow; ++index)
            EXPECT_EQ(sound.voices[row][index] != nullptr, row < 2 && index <= 40) << row << "/" << index;
}

TEST_F(SoundFolder, AMissingOrDamagedFileSilencesOnlyItsOwnSound)
{
    fs::remove(folder_ / "Wave" / "win.wav");
    std::ofstream(folder_ / "Wave" / "FeMale" / "ting.wav", std::ios::trunc) << "RIFF\xff\xff\xff\x7fWAVEfmt ";
    CDxSound sound;
    EXPECT_EQ(sound.effects[8], nullptr);
    EXPECT_EQ(sound.voices[1][40], nullptr);
    EXPECT_NE(sound.voices[0][40], nullptr);
    sound.voiceon = 1;
    sound.PlayEffect(8);
    sound.PlayActionVoice(false, 40);
    EXPECT_EQ(Playing(sound), Names{});
}

// Sounds a player replaced or that got damaged: each is refused as missing, before the player
// reserves memory for it; the game goes on with the rest.
TEST_F(SoundFolder, ImpossibleSoundsLoadAsMissing)
{
    auto write = [](const fs::path &file, const WavData &wav) { WriteWavFile(file.string(), wav); };
    // One hertz: converted to the device's rate it would take 44100 times its size.
    write(folder_ / "Wave" / "win.wav", WavData{1, 1, 16, std::vector<uint8_t>(65536, 0)});
    write(folder_ / "Wave" / "Male" / "hu.wav", WavData{1, 1, 16, std::vector<uint8_t>(16, 0)});
    // Eight minutes of low-rate samples: over 64 MB once converted.
    write(folder_ / "Wave" / "Male" / "gang.wav", WavData{1, 4000, 8, std::vector<uint8_t>(2000000, 128)});
    // A folder where the file should be.
    fs::remove(folder_ / "Wave" / "move.wav");
    fs::create_directories(folder_ / "Wave" / "move.wav");
    CDxSound sound;
    ASSERT_FALSE(sound.disabled);
    EXPECT_EQ(sound.effects[8], nullptr);
    EXPECT_EQ(sound.voices[0][36], nullptr);
    EXPECT_EQ(sound.voices[0][35], nullptr);
    EXPECT_EQ(sound.effects[6], nullptr);
    EXPECT_NE(sound.effects[7], nullptr);
    EXPECT_NE(sound.voices[1][36], nullptr);
}

TEST_F(SoundFolder, TilesAreSpokenInTheChosenVoice)
{
    CDxSound sound;
    sound.voiceon = 1;
    sound.PlayMjVoice(true, MakeMj(3, SUIT_WAN));
    sound.PlayMjVoice(false, MakeMj(9, SUIT_BING));
    sound.PlayMjVoice(true, MakeMj(7, SUIT_ZI));
    EXPECT_EQ(Playing(sound), (Names{"voice 0/2", "voice 0/33", "voice 1/26"}));
}

TEST_F(SoundFolder, AFlowerHasNoVoice)
{
    CDxSound sound;
    sound.voiceon = 1;
    for (int value = 1; value <= 8; ++value)
        sound.PlayMjVoice(true, MakeMj(value, SUIT_HUA));
    EXPECT_EQ(Playing(sound), Names{});
}

TEST_F(SoundFolder, CallsAreSpokenUpToTheReadyCallAndNothingElse)
{
    CDxSound sound;
    sound.voiceon = 1;
    for (int index : {33, 41, -1, 49})
        sound.PlayActionVoice(true, index);
    EXPECT_EQ(Playing(sound), Names{});
    sound.PlayActionVoice(false, 34);
    sound.PlayActionVoice(false, 40);
    EXPECT_EQ(Playing(sound), (Names{"voice 1/34", "voice 1/40"}));
}

TEST_F(SoundFolder, WithVoicesOffEveryTileAndCallGivesThePlainTileSoundEvenWithSoundOff)
{
    CDxSound sound;
    sound.SetSoundOn(false);
    sound.PlayMjVoice(true, MakeMj(1, SUIT_TIAO));
    EXPECT_EQ(Playing(sound), Names{"effect 7"});
    sound.effects[7]->Stop();
    sound.PlayActionVoice(false, 36);
    EXPECT_EQ(Playing(sound), Names{"effect 7"});
}

TEST_F(SoundFolder, TheSoundSwitchSilencesEffectsAndVoicesButNotTheTune)
{
    CDxSound sound;
    sound.voiceon = 1;
    sound.SetSoundOn(false);
    sound.PlayEffect(0);
    sound.PlayMjVoice(true, MakeMj(1, SUIT_WAN));
    sound.PlayActionVoice(true, 34);
    sound.PlayLoop();
    EXPECT_EQ(Playing(sound), Names{"loop"});
    sound.SetSoundOn(true);
    sound.PlayEffect(0);
    EXPECT_EQ(Playing(sound), (Names{"effect 0", "loop"}));
}

TEST_F(SoundFolder, OnlyLoadedEffectSlotsPlay)
{
    CDxSound sound;
    for (int slot : {2, 4, -1, 10})
        sound.PlayEffect(slot);
    EXPECT_EQ(Playing(sound), Names{});
    sound.PlayEffect(9);
    EXPECT_EQ(Playing(sound), Names{"effect 9"});
}

TEST_F(SoundFolder, TheTuneStaysSilentAfterStopUntilPlayedAgain)
{
    CDxSound sound;
    sound.PlayLoop();
    EXPECT_EQ(Playing(sound), Names{"loop"});
    sound.StopLoop();
    std::this_thread::sleep_for(std::chrono::milliseconds(50));
    EXPECT_EQ(Playing(sound), Names{});
    sound.PlayLoop();
    EXPECT_EQ(Playing(sound), Names{"loop"});
}

TEST_F(SoundFolder, VolumeReachesEveryVoiceAndEffectButNotTheTune)
{
    CDxSound sound;
    sound.loop->SetVolume(-1500);
    sound.SetVolume(-2500);
    for (int row = 0; row < 2; ++row)
        for (int index = 0; index <= 40; ++index)
            EXPECT_EQ(sound.voices[row][index]->Volume(), -2500) << row << "/" << index;
    for (int slot : {0, 1, 3, 5, 6, 7, 8, 9})
        EXPECT_EQ(sound.effects[slot]->Volume(), -2500) << slot;
    EXPECT_EQ(sound.loop->Volume(), -1500);
}

TEST(SoundVolume, HundredthsOfADecibelBecomeTheMixersGain)
{
    EXPECT_EQ(AudioBuffer::MixerVolume(0), 128);
    EXPECT_EQ(AudioBuffer::MixerVolume(-600), 64);   // -6 dB halves the amplitude
    EXPECT_EQ(AudioBuffer::MixerVolume(-2000), 13);  // -20 dB is a tenth
    EXPECT_EQ(AudioBuffer::MixerVolume(-10000), 0);  // silent
    EXPECT_EQ(AudioBuffer::MixerVolume(-20000), 0);
    EXPECT_EQ(AudioBuffer::MixerVolume(500), 128);
}

TEST_F(SoundFolder, ASoundThatEndsCanBePlayedAgain)
{
    WriteSound(folder_ / "Wave" / "Click.wav", 30);
    CDxSound sound;
    sound.PlayEffect(5);
    auto until = std::chrono::steady_clock::now() + std::chrono::seconds(3);
    while (sound.effects[5]->IsPlaying() && std::chrono::steady_clock::now() < until)
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    EXPECT_EQ(Playing(sound), Names{});
    sound.PlayEffect(5);
    EXPECT_EQ(Playing(sound), Names{"effect 5"});
}

TEST_F(SoundFolder, WithoutASoundDeviceThePlayerIsSilentAndTheGameGoesOn)
{
    std::string driver = std::getenv("SDL_AUDIODRIVER") ? std::getenv("SDL_AUDIODRIVER") : "";
    setenv("SDL_AUDIODRIVER", "no-such-device", 1);
    CDxSound sound;
    setenv("SDL_AUDIODRIVER", driver.c_str(), 1);
    EXPECT_EQ(sound.disabled, 1);
    sound.voiceon = 1;
    sound.PlayEffect(0);
    sound.PlayMjVoice(true, MakeMj(1, SUIT_WAN));
    sound.PlayActionVoice(true, 34);
    sound.PlayLoop();
    sound.StopLoop();
    sound.SetVolume(-100);
    sound.LoadVoices(0, true);
    EXPECT_EQ(Playing(sound), Names{});
    EXPECT_EQ(sound.effects[0], nullptr);
    EXPECT_EQ(sound.voices[0][0], nullptr);
}
