#include "platform/AudioDevice.h"

#include "platform/WavFile.h"

#include <SDL.h>
#include <SDL_mixer.h>
#include <algorithm>
#include <cmath>

namespace {

constexpr int kChunkFrames = 1024;
// Channels are added in blocks: the player holds about a hundred buffers.
constexpr size_t kChannelBlock = 32;
// Rates a sound may sensibly have; far outside them the conversion would multiply the samples
// beyond any memory (a declared 1 Hz becomes 44100 times its size).
constexpr uint32_t kMinRate = 4000;
constexpr uint32_t kMaxRate = 192000;
// A converted sound larger than this is refused; the game's longest, the tune, needs a few MB.
constexpr size_t kMaxConverted = size_t{64} << 20;

} // namespace

AudioBuffer::AudioBuffer(AudioDevice &device, std::vector<uint8_t> samples, int channel)
    : device_(device), samples_(std::move(samples)), channel_(channel)
{
    // The chunk borrows our samples (it does not own them), so they live exactly as long as we do.
    chunk_ = Mix_QuickLoad_RAW(samples_.data(), static_cast<Uint32>(samples_.size()));
    Mix_Volume(channel_, MIX_MAX_VOLUME);
}

AudioBuffer::~AudioBuffer()
{
    Mix_HaltChannel(channel_);
    Mix_FreeChunk(chunk_);
    device_.ReleaseChannel(channel_);
}

void AudioBuffer::Play(bool looping)
{
    if (chunk_ == nullptr || IsPlaying())
        return;
    Mix_PlayChannel(channel_, chunk_, looping ? -1 : 0);
}

void AudioBuffer::Stop()
{
    Mix_HaltChannel(channel_);
}

void AudioBuffer::SetVolume(int32_t volume)
{
    volume_ = std::clamp<int32_t>(volume, -10000, 0);
    Mix_Volume(channel_, MixerVolume(volume_));
}

int AudioBuffer::MixerVolume(int32_t volume)
{
    double gain = std::pow(10.0, std::clamp<int32_t>(volume, -10000, 0) / 2000.0);
    return static_cast<int>(std::lround(gain * MIX_MAX_VOLUME));
}

bool AudioBuffer::IsPlaying() const
{
    return Mix_Playing(channel_) != 0;
}

std::unique_ptr<AudioDevice> AudioDevice::Open()
{
    // Without this SDL takes over SIGINT and SIGTERM and the program no longer ends on them.
    SDL_SetHint(SDL_HINT_NO_SIGNAL_HANDLERS, "1");
    if (SDL_InitSubSystem(SDL_INIT_AUDIO) != 0)
        return nullptr;
    if (Mix_OpenAudio(static_cast<int>(kSoundRate), AUDIO_S16SYS, 2, kChunkFrames) != 0) {
        SDL_QuitSubSystem(SDL_INIT_AUDIO);
        return nullptr;
    }
    int frequency = 0;
    Uint16 format = 0;
    int channels = 0;
    Mix_QuerySpec(&frequency, &format, &channels);
    return std::unique_ptr<AudioDevice>(new AudioDevice(frequency, format, channels));
}

AudioDevice::AudioDevice(int frequency, uint16_t format, int channels)
    : frequency_(frequency), format_(format), channels_(channels)
{
}

AudioDevice::~AudioDevice()
{
    Mix_HaltChannel(-1);
    Mix_CloseAudio();
    SDL_QuitSubSystem(SDL_INIT_AUDIO);
}

std::unique_ptr<AudioBuffer> AudioDevice::CreateBuffer(const WavData &wav)
{
    if (wav.sampleRate < kMinRate || wav.sampleRate > kMaxRate)
        return nullptr;
    SDL_AudioCVT cvt;
    SDL_AudioFormat from = wav.bitsPerSample == 8 ? AUDIO_U8 : AUDIO_S16LSB;
    if (SDL_BuildAudioCVT(&cvt, from, static_cast<Uint8>(wav.channels), static_cast<int>(wav.sampleRate), format_,
                          static_cast<Uint8>(channels_), frequency_) < 0)
        return nullptr;
    if (cvt.len_mult < 1 || wav.samples.size() > kMaxConverted / static_cast<size_t>(cvt.len_mult))
        return nullptr;
    std::vector<uint8_t> samples(wav.samples.size() * static_cast<size_t>(cvt.len_mult));
    std::copy(wav.samples.begin(), wav.samples.end(), samples.begin());
    cvt.buf = samples.data();
    cvt.len = static_cast<int>(wav.samples.size());
    if (cvt.needed && SDL_ConvertAudio(&cvt) != 0)
        return nullptr;
    samples.resize(static_cast<size_t>(cvt.needed ? cvt.len_cvt : cvt.len));

    auto freeChannel = std::find(channelUsed_.begin(), channelUsed_.end(), false);
    int channel = static_cast<int>(freeChannel - channelUsed_.begin());
    if (freeChannel == channelUsed_.end()) {
        channelUsed_.resize(channelUsed_.size() + kChannelBlock, false);
        channelUsed_[static_cast<size_t>(channel)] = true;
        Mix_AllocateChannels(static_cast<int>(channelUsed_.size()));
    } else {
        *freeChannel = true;
    }
    return std::make_unique<AudioBuffer>(*this, std::move(samples), channel);
}

void AudioDevice::ReleaseChannel(int channel)
{
    channelUsed_[static_cast<size_t>(channel)] = false;
}
