#include "screen/CDxSound.h"

#include "platform/Paths.h"
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
{
    lpDS = AudioDevice::Open();
    if (!lpDS) {
        g_log.Error("DirectSoundCreate失败!\n");
        return;
    }
    for (int slot = 0; slot < kEffects; ++slot)
        if (kEffectFiles[slot] != nullptr)
            effects[slot] = LoadWave(Paths::Resolve(kEffectFiles[slot]));
    loop = LoadWave(Paths::Resolve("Wave\\TinyGame.wav"));
    soundon = 1;
    disabled = 0;
    voiceon = 0;
    LoadVoices(kMaleRow, true);
    LoadVoices(kFemaleRow, false);
}

CDxSound::~CDxSound() = default;

std::unique_ptr<AudioBuffer> CDxSound::LoadWave(const std::string &path)
{
    std::optional<WavData> wav = ReadWavFile(path);
    if (!wav || !lpDS)
        return nullptr;
    return lpDS->CreateBuffer(*wav);
}

void CDxSound::LoadVoices(int row, bool male)
{
    if (disabled || row < 0 || row >= kVoiceRows)
        return;
    for (auto &voice : voices[row])
        voice.reset();
    for (int index = 0; index <= kVoiceReady; ++index)
        voices[row][index] = LoadWave(Paths::Resolve(VoiceFile(male, index)));
}

// With voices off every tile and call gives the plain tile sound, even with the sound switch off.
void CDxSound::PlayVoice(bool male, int index, int first, int last)
{
    if (disabled)
        return;
    if (!voiceon) {
        if (effects[kEffectTile])
            Start(*effects[kEffectTile], kEffectFiles[kEffectTile]);
        return;
    }
    AudioBuffer *voice = index >= first && index <= last ? voices[male ? kMaleRow : kFemaleRow][index].get() : nullptr;
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
    if (!disabled && soundon && slot >= 0 && slot < kEffects && effects[slot])
        Start(*effects[slot], kEffectFiles[slot]);
}

void CDxSound::PlayWave(const std::string &path)
{
    if (disabled)
        return;
    std::unique_ptr<AudioBuffer> &wave = waves_[path];
    if (!wave)
        wave = LoadWave(Paths::Resolve(path));
    if (wave)
        Start(*wave, path);
}

void CDxSound::PlayLoop()
{
    if (!disabled && loop)
        loop->Play(true);
}

void CDxSound::StopLoop()
{
    if (!disabled && loop)
        loop->Stop();
}

void CDxSound::SetSoundOn(bool on)
{
    soundon = on ? 1 : 0;
}

void CDxSound::SetVolume(int32_t volume)
{
    if (disabled)
        return;
    for (auto &row : voices)
        for (int index = 0; index <= kVoiceReady; ++index)
            if (row[index])
                row[index]->SetVolume(volume);
    for (auto &effect : effects)
        if (effect)
            effect->SetVolume(volume);
}
