#include "screen/CDxSound.h"

#include "platform/Paths.h"
#include "platform/ThreadPriority.h"
#include "platform/WavFile.h"
#include "rules/CLog.h"

namespace {

constexpr const char *kEffectFiles[CDxSound::kEffects] = {
    "Wave\\sezi.wav", "Wave\\DaPai.wav", nullptr, "Wave\\action.wav", nullptr,
    "Wave\\Click.wav", "Wave\\move.wav", "Wave\\givemj.wav", "Wave\\win.wav", "Wave\\chouma.wav",
};

// Voice files after the 27 numbered tiles, by voice index from 27.
constexpr const char *kNamedVoices[] = {
    "dong.wav", "nan.wav", "xi.wav", "bei.wav", "hongzhong.wav", "facai.wav", "baiban.wav",
    "peng.wav", "gang.wav", "hu.wav", "zimo.wav", "buhua.wav", "chi.wav", "ting.wav",
};
constexpr const char *kSuitVoices[3] = {"wan_", "tiao_", "bing_"};
constexpr int kMaleRow = 0;
constexpr int kFemaleRow = 1;

std::function<void(std::string_view)> g_playHook;

// The file a voice is read from: the 27 numbered tiles, then the named voices.
std::string VoiceFile(bool male, int index)
{
    const std::string folder = male ? "Wave\\Male\\" : "Wave\\FeMale\\";
    constexpr int kNumbered = 27;
    if (index < kNumbered)
        return folder + kSuitVoices[index / 9] + std::to_string(index % 9 + 1) + ".wav";
    return folder + kNamedVoices[index - kNumbered];
}

} // namespace

void CDxSound::SetPlayHook(std::function<void(std::string_view file)> hook)
{
    g_playHook = std::move(hook);
}

void CDxSound::Start(AudioBuffer &buffer, std::string_view file)
{
    if (g_playHook)
        g_playHook(file);
    buffer.Play(false);
}

CDxSound::CDxSound()
    : loader_([this] {
          YieldToOtherThreads();
          Load();
          AudioDevice::EndThread();
      })
{
}

CDxSound::~CDxSound()
{
    {
        std::lock_guard lock(mutex_);
        stopping_ = true;
    }
    loader_.join();
}

void CDxSound::Load()
{
    lpDS = AudioDevice::Open();
    if (!lpDS) {
        g_log.Error("DirectSoundCreate失败!\n");
        Reach(kAllLoaded);
        return;
    }
    for (int slot = 0; slot < kEffects; ++slot)
        if (kEffectFiles[slot] != nullptr)
            effects[slot] = LoadWave(Paths::Resolve(kEffectFiles[slot]));
    Reach(kEffectsLoaded);
    loop = LoadWave(Paths::Resolve("Wave\\TinyGame.wav"));
    Reach(kTuneLoaded);
    LoadVoices(kMaleRow, true);
    LoadVoices(kFemaleRow, false);
    Reach(kAllLoaded);
}

void CDxSound::Reach(Stage stage)
{
    std::lock_guard lock(mutex_);
    stage_ = stage;
    ApplyVolume();
    if (stage == kTuneLoaded && loop) {
        loop->SetVolume(tunevolume_);
        if (tunewanted_)
            loop->Play(true);
    }
    reached_.notify_all();
}

void CDxSound::ApplyVolume()
{
    auto apply = [this](std::unique_ptr<AudioBuffer> &buffer) {
        if (buffer)
            buffer->SetVolume(volume_);
    };
    if (stage_ >= kEffectsLoaded)
        for (auto &effect : effects)
            apply(effect);
    if (stage_ >= kAllLoaded)
        for (auto &row : voices)
            for (auto &voice : row)
                apply(voice);
}

bool CDxSound::WaitFor(Stage stage)
{
    std::unique_lock lock(mutex_);
    reached_.wait(lock, [&] { return stage_ >= stage; });
    return lpDS != nullptr;
}

std::unique_ptr<AudioBuffer> CDxSound::LoadWave(const std::string &path)
{
    {
        std::lock_guard lock(mutex_);
        if (stopping_)
            return nullptr;
    }
    std::optional<WavData> wav = ReadWavFile(path);
    if (!wav || !lpDS)
        return nullptr;
    return lpDS->CreateBuffer(*wav);
}

void CDxSound::LoadVoices(int row, bool male)
{
    for (int index = 0; index <= kVoiceReady; ++index)
        voices[row][index] = LoadWave(Paths::Resolve(VoiceFile(male, index)));
}

AudioBuffer *CDxSound::Effect(int slot)
{
    return WaitFor(kEffectsLoaded) && slot >= 0 && slot < kEffects ? effects[slot].get() : nullptr;
}

AudioBuffer *CDxSound::Voice(int row, int index)
{
    bool inside = row >= 0 && row < kVoiceRows && index >= 0 && index < kVoicesPerRow;
    return WaitFor(kAllLoaded) && inside ? voices[row][index].get() : nullptr;
}

AudioBuffer *CDxSound::Tune()
{
    return WaitFor(kTuneLoaded) ? loop.get() : nullptr;
}

// With voices off every tile and call gives the plain tile sound, even with the sound switch off.
void CDxSound::PlayVoice(bool male, int index, int first, int last)
{
    if (!voiceon) {
        if (AudioBuffer *tile = Effect(kEffectTile))
            Start(*tile, kEffectFiles[kEffectTile]);
        return;
    }
    AudioBuffer *voice = index >= first && index <= last ? Voice(male ? kMaleRow : kFemaleRow, index) : nullptr;
    if (soundon && voice != nullptr)
        Start(*voice, VoiceFile(male, index));
}

void CDxSound::PlayMjVoice(bool male, MjTile tile)
{
    // Flowers land beyond the calls and have no voice.
    PlayVoice(male, tile.suit * 9 + tile.value - 1, 0, kVoicePung);
}

void CDxSound::PlayActionVoice(bool male, int index)
{
    PlayVoice(male, index, kVoicePung, kVoiceReady);
}

void CDxSound::PlayEffect(int slot)
{
    if (!soundon)
        return;
    if (AudioBuffer *effect = Effect(slot))
        Start(*effect, kEffectFiles[slot]);
}

void CDxSound::PlayWave(const std::string &path)
{
    // The device may make buffers while the loader makes its own.
    if (!WaitFor(kEffectsLoaded))
        return;
    std::unique_ptr<AudioBuffer> &wave = waves_[path];
    if (!wave)
        wave = LoadWave(Paths::Resolve(path));
    if (wave)
        Start(*wave, path);
}

void CDxSound::PlayLoop()
{
    {
        std::lock_guard lock(mutex_);
        if (stage_ < kTuneLoaded) {
            tunewanted_ = true;
            return;
        }
    }
    if (AudioBuffer *tune = Tune())
        tune->Play(true);
}

void CDxSound::StopLoop()
{
    {
        std::lock_guard lock(mutex_);
        tunewanted_ = false;
        if (stage_ < kTuneLoaded)
            return;
    }
    if (AudioBuffer *tune = Tune())
        tune->Stop();
}

void CDxSound::SetSoundOn(bool on)
{
    soundon = on ? 1 : 0;
}

void CDxSound::SetVolume(int32_t volume)
{
    std::lock_guard lock(mutex_);
    volume_ = volume;
    ApplyVolume();
}

void CDxSound::SetTuneVolume(int32_t volume)
{
    std::lock_guard lock(mutex_);
    tunevolume_ = volume;
    if (stage_ >= kTuneLoaded && loop)
        loop->SetVolume(volume);
}
