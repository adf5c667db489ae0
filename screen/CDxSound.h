#pragma once
#include "platform/AudioDevice.h"
#include "rules/MjTile.h"

#include <condition_variable>
#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <mutex>
#include <string>
#include <string_view>
#include <thread>

// The game screen's sounds: effects, the tile names and calls spoken in a male and a female voice,
// and the looped tune. Every sound is a WAV file under "Wave\". The device is opened and the files
// are read on a thread of their own, so that the window shows before they are ready: the effects
// come first, then the tune, then the voices, and a call waits only for the sounds it plays. When
// there is no sound device the player stays disabled and every call is silent.
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
    // Waits for the loading, which stops at the next file.
    ~CDxSound();
    CDxSound(const CDxSound &) = delete;
    CDxSound &operator=(const CDxSound &) = delete;

    void PlayMjVoice(bool male, MjTile tile);
    void PlayActionVoice(bool male, int index);
    void PlayEffect(int slot);
    // A sound file of its own (a check box's click), loaded on first use and kept; it sounds even
    // with the sound switch off.
    void PlayWave(const std::string &path);
    // Asked for before the tune is loaded, it starts once it is, unless stopped meanwhile.
    void PlayLoop();
    void StopLoop();
    void SetSoundOn(bool on);
    // Hundredths of a decibel, 0 full and -10000 silent; reaches voices and effects, not the tune.
    // Set before the sounds are loaded, it reaches them as they are.
    void SetVolume(int32_t volume);
    // The tune's own volume, the same way.
    void SetTuneVolume(int32_t volume);

    // The loaded sounds, waiting until they are; null for a sound that could not be loaded, or
    // without a device.
    AudioBuffer *Effect(int slot);
    AudioBuffer *Voice(int row, int index);
    AudioBuffer *Tune();

    uint8_t soundon = 1;
    // Written directly by the game's settings and the options screen.
    uint8_t voiceon = 0;

    // Tests hear every effect, voice and wave that starts, by its file ("Wave\move.wav",
    // "Wave\Male\buhua.wav"); empty: none.
    static void SetPlayHook(std::function<void(std::string_view file)> hook);

private:
    // How far the loading has come; each stage's sounds are not touched by the loader after it.
    enum Stage { kOpening, kEffectsLoaded, kTuneLoaded, kAllLoaded };

    // The loader's work.
    void Load();
    void Reach(Stage stage);
    // With mutex_ held: the volume to the sounds loaded by now.
    void ApplyVolume();
    std::unique_ptr<AudioBuffer> LoadWave(const std::string &path);
    void LoadVoices(int row, bool male);
    // True once the stage is reached with a device open.
    bool WaitFor(Stage stage);
    void PlayVoice(bool male, int index, int first, int last);
    void Start(AudioBuffer &buffer, std::string_view file);

    // Declared first so that it goes last: the buffers play on it.
    std::unique_ptr<AudioDevice> lpDS;
    std::unique_ptr<AudioBuffer> voices[kVoiceRows][kVoicesPerRow];
    std::unique_ptr<AudioBuffer> effects[kEffects];
    std::unique_ptr<AudioBuffer> loop;
    std::map<std::string, std::unique_ptr<AudioBuffer>> waves_;

    std::mutex mutex_;
    std::condition_variable reached_;
    Stage stage_ = kOpening;     // under mutex_
    bool tunewanted_ = false;    // under mutex_
    int32_t volume_ = 0;         // under mutex_
    int32_t tunevolume_ = 0;     // under mutex_
    bool stopping_ = false;      // under mutex_
    std::thread loader_;         // last: it starts once everything above stands
};

// The one player, created by the game object.
inline CDxSound *dxsound = nullptr;
