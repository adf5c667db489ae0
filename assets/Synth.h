#pragma once
#include "platform/WavFile.h"

#include <cstdint>
#include <filesystem>
#include <vector>

// A mono sound being synthesised, in floating point; written out as 16-bit PCM.
class Synth {
public:
    static constexpr int kRate = static_cast<int>(kSoundRate);

    explicit Synth(double seconds);

    // A note with a sharp attack and an exponential decay; harmonics give it a bell or wood colour.
    void Tone(double start, double length, double frequency, double level, double decay,
              const std::vector<double> &harmonics = {1.0});
    // A burst of filtered noise: the click of a tile or a die on the table.
    void Knock(double start, double length, double level, double brightness);
    // Written as it is, its peaks kept below full scale.
    bool Write(const std::filesystem::path &file) const;
    // Written scaled to an RMS level in dBFS: the tune's place under the voices.
    bool WriteAtRms(const std::filesystem::path &file, double dbfs) const;

private:
    bool WriteScaled(const std::filesystem::path &file, double scale) const;

    std::vector<double> samples_;
    uint32_t noise_ = 12345;
};
