#include "platform/WavFile.h"

#include "tests/support/ScratchFolder.h"

#include <gtest/gtest.h>

namespace {

WavData Tone(uint16_t channels, uint16_t bits, size_t frames)
{
    WavData wav{channels, 22050, bits, {}};
    for (size_t i = 0; i < frames * channels * bits / 8; ++i)
        wav.samples.push_back(static_cast<uint8_t>(i * 7));
    return wav;
}

void Put32(std::vector<uint8_t> &bytes, size_t at, uint32_t v)
{
    for (int i = 0; i < 4; ++i)
        bytes[at + i] = static_cast<uint8_t>(v >> (8 * i));
}

// Offsets in the 44-byte header that EncodeWav writes.
constexpr size_t kRiffSize = 4, kFmtSize = 16, kFormatTag = 20, kBlockAlign = 32, kDataSize = 40;

void ExpectSame(const WavData &a, const std::optional<WavData> &b)
{
    ASSERT_TRUE(b.has_value());
    EXPECT_EQ(a.channels, b->channels);
    EXPECT_EQ(a.sampleRate, b->sampleRate);
    EXPECT_EQ(a.bitsPerSample, b->bitsPerSample);
    EXPECT_EQ(a.samples, b->samples);
}

} // namespace

TEST(WavFile, SoundsWrittenByTheGeneratorReadBackUnchanged)
{
    for (uint16_t channels : {1, 2})
        for (uint16_t bits : {8, 16}) {
            WavData wav = Tone(channels, bits, 101);
            ExpectSame(wav, ParseWav(EncodeWav(wav)));
        }
}

TEST(WavFile, ExtraChunksAndAnExtendedFormatRecordAreSteppedOver)
{
    WavData wav = Tone(1, 16, 50);
    std::vector<uint8_t> bytes = EncodeWav(wav);
    // An 18-byte format record (cbSize 0) and an odd-sized LIST chunk with its pad byte before the data.
    bytes.insert(bytes.begin() + 36, {0, 0});
    Put32(bytes, kFmtSize, 18);
    const uint8_t list[] = {'L', 'I', 'S', 'T', 3, 0, 0, 0, 'a', 'b', 'c', 0};
    bytes.insert(bytes.begin() + 38, std::begin(list), std::end(list));
    Put32(bytes, kRiffSize, static_cast<uint32_t>(bytes.size() - 8));
    ExpectSame(wav, ParseWav(bytes));
}

TEST(WavFile, DamagedFilesAreRefusedNotReadPastTheirEnd)
{
    const std::vector<uint8_t> good = EncodeWav(Tone(2, 16, 40));
    auto damaged = [&](auto change) {
        std::vector<uint8_t> bytes = good;
        change(bytes);
        return ParseWav(bytes);
    };
    EXPECT_FALSE(damaged([](auto &b) { b.resize(b.size() - 1); })) << "data cut short";
    EXPECT_FALSE(damaged([](auto &b) { Put32(b, kDataSize, 0x7FFFFFF0); })) << "data size beyond the file";
    EXPECT_FALSE(damaged([](auto &b) { Put32(b, kRiffSize, static_cast<uint32_t>(b.size())); })) << "RIFF beyond the file";
    EXPECT_FALSE(damaged([](auto &b) { Put32(b, kFmtSize, 14); })) << "format record too short";
    EXPECT_FALSE(damaged([](auto &b) { Put32(b, kFmtSize, 0xFFFFFFF0); })) << "format record beyond the file";
    EXPECT_FALSE(damaged([](auto &b) { b[kFormatTag] = 3; })) << "floating-point samples";
    EXPECT_FALSE(damaged([](auto &b) { b[kFormatTag] = 0x55; })) << "MP3 data";
    EXPECT_FALSE(damaged([](auto &b) { b[kBlockAlign] = 3; })) << "frame size disagreeing with the format";
    EXPECT_FALSE(damaged([](auto &b) { Put32(b, kDataSize, 159); b.resize(b.size() - 1); Put32(b, kRiffSize, 36 + 159); }))
        << "data not a whole number of frames";
    EXPECT_FALSE(damaged([](auto &b) { b[36] = 'x'; })) << "no data chunk";
    EXPECT_FALSE(damaged([](auto &b) { b[12] = 'x'; })) << "no format chunk";
    EXPECT_FALSE(damaged([](auto &b) { b[8] = 'A'; })) << "not a WAVE form";
    EXPECT_FALSE(damaged([](auto &b) { b.resize(10); })) << "header cut short";
    EXPECT_FALSE(ParseWav({})) << "empty file";
}

TEST(WavFile, FilesAreReadFromDiskAndAMissingOneIsNothing)
{
    ScratchFolder folder;
    WavData wav = Tone(1, 8, 33);
    const std::string file = (folder.Path() / "tone.wav").string();
    ASSERT_TRUE(WriteWavFile(file, wav));
    ExpectSame(wav, ReadWavFile(file));
    EXPECT_FALSE(ReadWavFile((folder.Path() / "none.wav").string()));
}
