#pragma once
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

// The rate the game's sounds are made at, synthesised or spoken. The sound device plays at it too,
// so a sound is loaded without resampling, which took most of the start's time.
constexpr uint32_t kSoundRate = 22050;

// The samples of a RIFF WAVE file: 8- or 16-bit PCM, one or two channels.
struct WavData {
    uint16_t channels = 0;
    uint32_t sampleRate = 0;
    uint16_t bitsPerSample = 0;
    std::vector<uint8_t> samples;
};

// Nothing when the file is missing, is no regular file, is far larger than any sound, is not PCM,
// or its chunks claim more bytes than it holds: a damaged file is refused rather than read past its
// end.
std::optional<WavData> ReadWavFile(const std::string &path);
std::optional<WavData> ParseWav(const std::vector<uint8_t> &bytes);

// The file image of PCM samples, and the file itself; the generator writes the sounds with them.
std::vector<uint8_t> EncodeWav(const WavData &wav);
bool WriteWavFile(const std::string &path, const WavData &wav);

// Levels of 16-bit samples in decibels below full scale (0 dBFS is the largest sample value);
// the generator sets its sounds' levels with them.
double PeakDbfs(const WavData &wav);
double RmsDbfs(const WavData &wav);
// Multiplies 16-bit samples by gain, clipping at full scale.
void ApplyGain(WavData &wav, double gain);
