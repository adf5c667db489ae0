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
constexpr const char *kTuneFile = "Wave\\TinyGame.wav";
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
    soundon = 1;
    disabled = 0;
    voiceon = 0;
}

CDxSound::~CDxSound() = default;

std::unique_ptr<AudioBuffer> CDxSound::LoadWave(const std::string &path)
{
    std::optional<WavData> wav = ReadWavFile(path);
    return wav ? lpDS->CreateBuffer(*wav) : nullptr;
}

AudioBuffer *CDxSound::Loaded(Sound &sound, const std::string &file)
{
    if (!sound.read && !disabled) {
        sound.read = true;
        sound.buffer = LoadWave(Paths::Resolve(file));
    }
    return sound.buffer.get();
}

AudioBuffer *CDxSound::LoadedAtVolume(Sound &sound, const std::string &file)
{
    const bool first = !sound.read;
    AudioBuffer *buffer = Loaded(sound, file);
    if (first && buffer)
        buffer->SetVolume(volume_);
    return buffer;
}

AudioBuffer *CDxSound::Effect(int slot)
{
    if (slot < 0 || slot >= kEffects || kEffectFiles[slot] == nullptr)
        return nullptr;
    return LoadedAtVolume(effects_[slot], kEffectFiles[slot]);
}

AudioBuffer *CDxSound::Voice(int row, int index)
{
    if (row < 0 || row > kFemaleRow || index < 0 || index > kVoiceReady)
        return nullptr;
    return LoadedAtVolume(voices_[row][index], VoiceFile(row == kMaleRow, index));
}

AudioBuffer *CDxSound::Tune()
{
    return Loaded(tune_, kTuneFile);
}

// With voices off every tile and call gives the plain tile sound, even with the sound switch off.
void CDxSound::PlayVoice(bool male, int index, int first, int last)
{
    if (disabled)
        return;
    if (!voiceon) {
        if (AudioBuffer *tile = Effect(kEffectTile))
            Start(*tile, kEffectFiles[kEffectTile]);
        return;
    }
    if (!soundon || index < first || index > last)
        return;
    if (AudioBuffer *voice = Voice(male ? kMaleRow : kFemaleRow, index))
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
    if (disabled)
        return;
    if (AudioBuffer *wave = Loaded(waves_[path], path))
        Start(*wave, path);
}

void CDxSound::PlayLoop()
{
    if (AudioBuffer *tune = Tune())
        tune->Play(true);
}

void CDxSound::StopLoop()
{
    // A tune never started needs no reading to be stopped.
    if (tune_.buffer)
        tune_.buffer->Stop();
}

void CDxSound::SetSoundOn(bool on)
{
    soundon = on ? 1 : 0;
}

void CDxSound::SetVolume(int32_t volume)
{
    volume_ = volume;
    for (auto &row : voices_)
        for (Sound &voice : row)
            if (voice.buffer)
                voice.buffer->SetVolume(volume);
    for (Sound &effect : effects_)
        if (effect.buffer)
            effect.buffer->SetVolume(volume);
}
