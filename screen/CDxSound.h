#pragma once
#include "platform/AudioDevice.h"
#include "rules/MjTile.h"

#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <string_view>

// The game screen's sounds: effects, the tile names and calls spoken in a male and a female voice,
// and the looped tune. Every sound is a WAV file under "Wave\", read when it is first played (or
// first asked for) and kept, so the window shows without waiting for a hundred files. When there
// is no sound device the player stays disabled and every call is silent.
class CDxSound {
public:
    static constexpr int kVoiceRows = 4;
    static constexpr int kVoicesPerRow = 50;
    static constexpr int kEffects = 10;
    // Voice indexes of the calls; tiles take 0-33.
    static constexpr int kVoicePung = 34;
    static constexpr int kVoiceReady = 40;
    // The plain tile sound, also heard for every voice while voices are off.
    static constexpr int kEffectTile = 7;

    CDxSound();
    ~CDxSound();
    CDxSound(const CDxSound &) = delete;
    CDxSound &operator=(const CDxSound &) = delete;

    void PlayMjVoice(bool male, MjTile tile);
    void PlayActionVoice(bool male, int index);
    void PlayEffect(int slot);
    // A sound file of its own (a check box's click), loaded on first use and kept; it sounds even
    // with the sound switch off.
    void PlayWave(const std::string &path);
    void PlayLoop();
    void StopLoop();
    void SetSoundOn(bool on);
    // Hundredths of a decibel, 0 full and -10000 silent; reaches voices and effects, not the tune,
    // those read later included.
    void SetVolume(int32_t volume);

    // The sounds, read on this first call; null for a sound that cannot be read, for a place that
    // holds none, or without a device.
    AudioBuffer *Effect(int slot);
    AudioBuffer *Voice(int row, int index);
    AudioBuffer *Tune();

    uint8_t disabled = 1;
    uint8_t soundon = 0;
    // Written directly by the game's settings and the options screen.
    uint8_t voiceon = 0;
    // Declared first so that it goes last: the buffers play on it.
    std::unique_ptr<AudioDevice> lpDS;

    // Tests hear every effect, voice and wave that starts, by its file ("Wave\move.wav",
    // "Wave\Male\buhua.wav"); empty: none.
    static void SetPlayHook(std::function<void(std::string_view file)> hook);

private:
    // A sound's place: empty until first asked for; a file that cannot be read is tried once.
    struct Sound {
        std::unique_ptr<AudioBuffer> buffer;
        bool read = false;
    };
    AudioBuffer *Loaded(Sound &sound, const std::string &file);
    std::unique_ptr<AudioBuffer> LoadWave(const std::string &path);
    // Voices and effects, which take the player's volume.
    AudioBuffer *LoadedAtVolume(Sound &sound, const std::string &file);
    void PlayVoice(bool male, int index, int first, int last);
    void Start(AudioBuffer &buffer, std::string_view file);

    int32_t volume_ = 0;
    Sound voices_[kVoiceRows][kVoicesPerRow]; // male, female; the other rows stay empty
    Sound effects_[kEffects];
    Sound tune_;
    std::map<std::string, Sound> waves_;
};

// The one player, created by the game object.
inline CDxSound *dxsound = nullptr;
