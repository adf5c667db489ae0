#include "screen/CDxSound.h"

#include "platform/Paths.h"
#include "platform/WavFile.h"
#include "tests/screen/PictureFiles.h"
#include "tests/support/ScratchFolder.h"
#include "tests/support/Tiles.h"

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <gtest/gtest.h>
#include <thread>

namespace fs = std::filesystem;

namespace {

// A silent sound of the given length; long enough ones are still playing when the test looks.
void WriteSound(const fs::path &file, int milliseconds)
{
    WavData wav{1, kSoundRate, 16, std::vector<uint8_t>(static_cast<size_t>(kSoundRate * milliseconds / 1000) * 2, 0)};
    fs::create_directories(file.parent_path());
    WriteWavFile(file.string(), wav);
}

using Names = std::vector<std::string>;

bool Plays(AudioBuffer *buffer)
{
    return buffer != nullptr && buffer->IsPlaying();
}

// Every voice, effect and the tune that is playing now, by name.
Names Playing(CDxSound &sound)
{
    Names playing;
    for (int row = 0; row < CDxSound::kVoiceRows; ++row)
        for (int index = 0; index < CDxSound::kVoicesPerRow; ++index)
            if (Plays(sound.Voice(row, index)))
                playing.push_back("voice " + std::to_string(row) + "/" + std::to_string(index));
    for (int slot = 0; slot < CDxSound::kEffects; ++slot)
        if (Plays(sound.Effect(slot)))
            playing.push_back("effect " + std::to_string(slot));
    if (Plays(sound.Tune()))
        playing.push_back("loop");
    return playing;
}

// A program folder holding every sound the player loads, each two seconds long.
class SoundFolder : public testing::Test {
protected:
    void SetUp() override
    {
        for (const std::string &file : SoundFiles())
            WriteSound(folder_ / file, 2000);
    }

    ScratchFolder scratch_;
    const fs::path &folder_ = scratch_.Path();
};


} // namespace

// Nothing is read at the start: sounds that arrive after it are found when first asked for.
TEST_F(SoundFolder, EverySoundIsReadIntoItsPlaceWhenFirstAskedFor)
{
    const fs::path wave = folder_ / "Wave";
    const fs::path aside = folder_ / "aside";
    fs::rename(wave, aside);
    CDxSound sound;
    ASSERT_EQ(sound.disabled, 0);
    EXPECT_EQ(sound.soundon, 1);
    EXPECT_EQ(sound.voiceon, 0);
    fs::rename(aside, wave);
    for (int slot = 0; slot < CDxSound::kEffects; ++slot)
        EXPECT_EQ(sound.Effect(slot) != nullptr, slot != 2 && slot != 4) << "effect " << slot;
    EXPECT_NE(sound.Tune(), nullptr);
    for (int row = 0; row < CDxSound::kVoiceRows; ++row)
        for (int index = 0; index < CDxSound::kVoicesPerRow; ++index)
            EXPECT_EQ(sound.Voice(row, index) != nullptr, row < 2 && index <= 40) << row << "/" << index;
}

// Sounds missing, damaged, or that a player replaced with ones no player could hold: each is
// refused as missing, before the player reserves memory for it; the game goes on with the rest.
TEST_F(SoundFolder, MissingDamagedOrImpossibleFilesSilenceOnlyTheirOwnSound)
{
    auto write = [this](const char *file, const WavData &wav) { WriteWavFile((folder_ / file).string(), wav); };
    fs::remove(folder_ / "Wave" / "chouma.wav");
    std::ofstream(folder_ / "Wave" / "FeMale" / "ting.wav", std::ios::trunc) << "RIFF\xff\xff\xff\x7fWAVEfmt ";
    // One hertz: converted to the device's rate it would take 22050 times its size.
    write("Wave/win.wav", WavData{1, 1, 16, std::vector<uint8_t>(65536, 0)});
    write("Wave/Male/hu.wav", WavData{1, 1, 16, std::vector<uint8_t>(16, 0)});
    // Thirteen minutes of low-rate samples: over 64 MB once converted.
    write("Wave/Male/gang.wav", WavData{1, 4000, 8, std::vector<uint8_t>(3200000, 128)});
    // A folder where the file should be.
    fs::remove(folder_ / "Wave" / "move.wav");
    fs::create_directories(folder_ / "Wave" / "move.wav");
    CDxSound sound;
    ASSERT_FALSE(sound.disabled);
    for (int slot : {6, 8, 9})
        EXPECT_EQ(sound.Effect(slot), nullptr) << slot;
    EXPECT_NE(sound.Effect(7), nullptr);
    for (auto [row, index] : {std::pair{1, 40}, {0, 36}, {0, 35}})
        EXPECT_EQ(sound.Voice(row, index), nullptr) << row << "/" << index;
    EXPECT_NE(sound.Voice(0, 40), nullptr);
    EXPECT_NE(sound.Voice(1, 36), nullptr);
    sound.voiceon = 1;
    sound.PlayEffect(9);
    sound.PlayActionVoice(false, 40);
    EXPECT_EQ(Playing(sound), Names{});
}

// Calls on a fresh player with the voices on, as words: "M3m" and "F3m" speak a tile in the male
// and female voice, "M34" and "F34" a call, "e9" plays an effect, "off" and "on" switch the sound,
// "quiet" the voices off; "loop", "stop" and "wait" (50 ms) for the tune. Gives what plays after.
Names AfterCalls(const std::string &calls)
{
    CDxSound sound;
    sound.voiceon = 1;
    std::istringstream words(calls);
    for (std::string w; words >> w;) {
        if (w == "off" || w == "on")
            sound.SetSoundOn(w == "on");
        else if (w == "quiet")
            sound.voiceon = 0;
        else if (w == "loop")
            sound.PlayLoop();
        else if (w == "stop")
            sound.StopLoop();
        else if (w == "wait")
            std::this_thread::sleep_for(std::chrono::milliseconds(50));
        else if (w[0] == 'e')
            sound.PlayEffect(std::stoi(w.substr(1)));
        else if (std::isalpha(static_cast<unsigned char>(w.back())))
            sound.PlayMjVoice(w[0] == 'M', Tile(w.substr(1)));
        else
            sound.PlayActionVoice(w[0] == 'M', std::stoi(w.substr(1)));
    }
    return Playing(sound);
}

TEST_F(SoundFolder, EachCallPlaysItsOwnSoundOrNothing)
{
    const struct {
        const char *calls;
        Names playing;
    } cases[] = {
        {"M3m F9p M7z", {"voice 0/2", "voice 0/33", "voice 1/26"}}, // tiles in the chosen voice
        {"M1f M2f M3f M4f M5f M6f M7f M8f", {}},                 // no voice for a flower
        {"M33 M41 M-1 M49 F34 F40", {"voice 1/34", "voice 1/40"}}, // calls up to the ready call
        {"e2 e4 e-1 e10 e9", {"effect 9"}},                        // only loaded effect slots
        {"off e0 M1m M34 loop", {"loop"}}, // the switch silences effects and voices, not the tune
        {"off on e0", {"effect 0"}},
        {"quiet off M1s", {"effect 7"}}, // voices off: the plain tile sound, even with sound off
        {"quiet off F36", {"effect 7"}},
        {"loop stop wait", {}},
        {"loop stop loop", {"loop"}},
    };
    for (const auto &c : cases)
        EXPECT_EQ(AfterCalls(c.calls), c.playing) << c.calls;
}

// Set before a sound is first read or after, the volume reaches it.
TEST_F(SoundFolder, VolumeReachesEveryVoiceAndEffectButNotTheTune)
{
    CDxSound sound;
    sound.Tune()->SetVolume(-1500);
    sound.PlayEffect(5);
    sound.SetVolume(-2500);
    for (int row = 0; row < 2; ++row)
        for (int index = 0; index <= 40; ++index)
            EXPECT_EQ(sound.Voice(row, index)->Volume(), -2500) << row << "/" << index;
    for (int slot : {0, 1, 3, 5, 6, 7, 8, 9})
        EXPECT_EQ(sound.Effect(slot)->Volume(), -2500) << slot;
    EXPECT_EQ(sound.Tune()->Volume(), -1500);
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
    while (sound.Effect(5)->IsPlaying() && std::chrono::steady_clock::now() < until)
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
    sound.PlayWave("Wave\\check.wav");
    EXPECT_EQ(Playing(sound), Names{});
    EXPECT_EQ(sound.Effect(0), nullptr);
    EXPECT_EQ(sound.Voice(0, 0), nullptr);
}
