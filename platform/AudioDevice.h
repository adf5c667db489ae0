#pragma once
#include <cstdint>
#include <memory>
#include <vector>

struct Mix_Chunk;
struct WavData;
class AudioDevice;

// One sound held ready in the device's format, replayed from its start on demand. Each buffer owns
// a mixer channel, so its volume and its playing state are its own and nothing the mixer's thread
// calls back into is shared with us.
class AudioBuffer {
public:
    AudioBuffer(AudioDevice &device, std::vector<uint8_t> samples, int channel);
    ~AudioBuffer();
    AudioBuffer(const AudioBuffer &) = delete;
    AudioBuffer &operator=(const AudioBuffer &) = delete;

    // A buffer that is already playing goes on as it is: it is neither restarted nor layered.
    void Play(bool looping);
    void Stop();
    // Hundredths of a decibel: 0 full, -10000 silent.
    void SetVolume(int32_t volume);
    int32_t Volume() const { return volume_; }
    // The mixer's volume (0-128) for hundredths of a decibel: gain = 10^(volume / 2000).
    static int MixerVolume(int32_t volume);
    bool IsPlaying() const;

private:
    AudioDevice &device_;
    std::vector<uint8_t> samples_;
    Mix_Chunk *chunk_ = nullptr;
    int channel_;
    int32_t volume_ = 0;
};

// The sound output. Opening fails cleanly when there is no audio device; the caller then stays
// silent. One device is open at a time (the mixer is process-wide).
class AudioDevice {
public:
    static std::unique_ptr<AudioDevice> Open();
    ~AudioDevice();
    AudioDevice(const AudioDevice &) = delete;
    AudioDevice &operator=(const AudioDevice &) = delete;

    // The samples converted to the device's format; null when they cannot be converted.
    std::unique_ptr<AudioBuffer> CreateBuffer(const WavData &wav);

private:
    friend class AudioBuffer;
    AudioDevice(int frequency, uint16_t format, int channels);
    void ReleaseChannel(int channel);

    int frequency_;
    uint16_t format_;
    int channels_;
    std::vector<bool> channelUsed_;
};
