#include "platform/WavFile.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <system_error>

namespace {

constexpr uint16_t kFormatPcm = 1;
constexpr size_t kChunkHeader = 8;
// The PCM fields of the format record; a longer "fmt " chunk carries extension bytes we ignore.
constexpr size_t kPcmFormatBytes = 16;
// Far above any sound of the game (the tune is well under a megabyte).
constexpr uintmax_t kMaxWavBytes = uintmax_t{64} << 20;

uint32_t Le32(const uint8_t *p)
{
    return p[0] | p[1] << 8 | p[2] << 16 | static_cast<uint32_t>(p[3]) << 24;
}

uint16_t Le16(const uint8_t *p)
{
    return static_cast<uint16_t>(p[0] | p[1] << 8);
}

void Put32(std::vector<uint8_t> &out, uint32_t v)
{
    for (int i = 0; i < 4; ++i)
        out.push_back(static_cast<uint8_t>(v >> (8 * i)));
}

void Put16(std::vector<uint8_t> &out, uint16_t v)
{
    out.push_back(static_cast<uint8_t>(v));
    out.push_back(static_cast<uint8_t>(v >> 8));
}

void PutTag(std::vector<uint8_t> &out, const char *tag)
{
    for (int i = 0; i < 4; ++i)
        out.push_back(static_cast<uint8_t>(tag[i]));
}

struct Chunk {
    size_t body = 0; // offset of the first byte after the header
    uint32_t size = 0;
};

// The first chunk with this tag between from and end; its body must lie wholly inside.
std::optional<Chunk> FindChunk(const std::vector<uint8_t> &bytes, size_t from, size_t end, const char *tag)
{
    size_t at = from;
    while (end - at >= kChunkHeader) {
        Chunk chunk{at + kChunkHeader, Le32(&bytes[at + 4])};
        if (chunk.size > end - chunk.body)
            return std::nullopt;
        if (std::memcmp(&bytes[at], tag, 4) == 0)
            return chunk;
        // Chunk bodies are padded to an even length.
        size_t next = chunk.body + chunk.size + (chunk.size & 1);
        if (next > end)
            return std::nullopt;
        at = next;
    }
    return std::nullopt;
}

} // namespace

std::optional<WavData> ParseWav(const std::vector<uint8_t> &bytes)
{
    if (bytes.size() < 12 || std::memcmp(bytes.data(), "RIFF", 4) != 0 || std::memcmp(&bytes[8], "WAVE", 4) != 0)
        return std::nullopt;
    // A RIFF size beyond the file is damage: the chunks inside are searched only as far as both go.
    uint32_t riffSize = Le32(&bytes[4]);
    if (riffSize < 4 || riffSize > bytes.size() - kChunkHeader)
        return std::nullopt;
    size_t end = kChunkHeader + riffSize;

    std::optional<Chunk> fmt = FindChunk(bytes, 12, end, "fmt ");
    if (!fmt || fmt->size < kPcmFormatBytes)
        return std::nullopt;
    const uint8_t *f = &bytes[fmt->body];
    WavData wav;
    uint16_t tag = Le16(f);
    wav.channels = Le16(f + 2);
    wav.sampleRate = Le32(f + 4);
    uint16_t blockAlign = Le16(f + 12);
    wav.bitsPerSample = Le16(f + 14);
    if (tag != kFormatPcm || (wav.channels != 1 && wav.channels != 2) ||
        (wav.bitsPerSample != 8 && wav.bitsPerSample != 16) || wav.sampleRate == 0 ||
        blockAlign != wav.channels * wav.bitsPerSample / 8)
        return std::nullopt;

    size_t afterFmt = fmt->body + fmt->size + (fmt->size & 1);
    std::optional<Chunk> data = FindChunk(bytes, afterFmt < end ? afterFmt : end, end, "data");
    if (!data || data->size == 0 || data->size % blockAlign != 0)
        return std::nullopt;
    wav.samples.assign(bytes.begin() + data->body, bytes.begin() + data->body + data->size);
    return wav;
}

std::optional<WavData> ReadWavFile(const std::string &path)
{
    // A folder, a device or a huge file in a sound's place is no sound: nothing is read.
    std::error_code ec;
    if (!std::filesystem::is_regular_file(path, ec))
        return std::nullopt;
    uintmax_t size = std::filesystem::file_size(path, ec);
    if (ec || size > kMaxWavBytes)
        return std::nullopt;
    std::ifstream in(path, std::ios::binary);
    if (!in)
        return std::nullopt;
    std::vector<uint8_t> bytes(static_cast<size_t>(size));
    if (!in.read(reinterpret_cast<char *>(bytes.data()), static_cast<std::streamsize>(bytes.size())))
        return std::nullopt;
    return ParseWav(bytes);
}

std::vector<uint8_t> EncodeWav(const WavData &wav)
{
    uint16_t blockAlign = static_cast<uint16_t>(wav.channels * wav.bitsPerSample / 8);
    uint32_t dataSize = static_cast<uint32_t>(wav.samples.size());
    std::vector<uint8_t> out;
    out.reserve(44 + dataSize + 1);
    PutTag(out, "RIFF");
    Put32(out, 36 + dataSize + (dataSize & 1));
    PutTag(out, "WAVE");
    PutTag(out, "fmt ");
    Put32(out, kPcmFormatBytes);
    Put16(out, kFormatPcm);
    Put16(out, wav.channels);
    Put32(out, wav.sampleRate);
    Put32(out, wav.sampleRate * blockAlign);
    Put16(out, blockAlign);
    Put16(out, wav.bitsPerSample);
    PutTag(out, "data");
    Put32(out, dataSize);
    out.insert(out.end(), wav.samples.begin(), wav.samples.end());
    if (dataSize & 1)
        out.push_back(0);
    return out;
}

bool WriteWavFile(const std::string &path, const WavData &wav)
{
    std::vector<uint8_t> bytes = EncodeWav(wav);
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char *>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    return static_cast<bool>(out.flush());
}

namespace {

constexpr double kFullScale = 32768.0;

// The byte offsets of the 16-bit samples; none for other sample sizes.
size_t SampleBytes(const WavData &wav)
{
    return wav.bitsPerSample == 16 ? wav.samples.size() & ~size_t{1} : 0;
}

int16_t SampleAt(const WavData &wav, size_t i)
{
    return static_cast<int16_t>(wav.samples[i] | wav.samples[i + 1] << 8);
}

double Dbfs(double amplitude)
{
    return 20.0 * std::log10(std::max(amplitude, 1e-9) / kFullScale);
}

} // namespace

double PeakDbfs(const WavData &wav)
{
    int peak = 0;
    for (size_t i = 0; i < SampleBytes(wav); i += 2)
        peak = std::max(peak, std::abs(int{SampleAt(wav, i)}));
    return Dbfs(peak);
}

double RmsDbfs(const WavData &wav)
{
    double sum = 0;
    for (size_t i = 0; i < SampleBytes(wav); i += 2)
        sum += double(SampleAt(wav, i)) * SampleAt(wav, i);
    size_t n = SampleBytes(wav) / 2;
    return Dbfs(n ? std::sqrt(sum / double(n)) : 0.0);
}

void ApplyGain(WavData &wav, double gain)
{
    for (size_t i = 0; i < SampleBytes(wav); i += 2) {
        long scaled = std::clamp<long>(std::lround(SampleAt(wav, i) * gain), -32768, 32767);
        wav.samples[i] = static_cast<uint8_t>(scaled);
        wav.samples[i + 1] = static_cast<uint8_t>(static_cast<uint16_t>(scaled) >> 8);
    }
}
