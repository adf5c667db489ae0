#include "assets/Synth.h"

#include "platform/WavFile.h"

#include <algorithm>
#include <cmath>
#include <numbers>

Synth::Synth(double seconds) : samples_(static_cast<size_t>(seconds * kRate), 0.0) {}

void Synth::Tone(double start, double length, double frequency, double level, double decay,
                 const std::vector<double> &harmonics)
{
    const size_t first = static_cast<size_t>(start * kRate);
    const size_t count = static_cast<size_t>(length * kRate);
    const double attack = 0.004;
    for (size_t i = 0; i < count && first + i < samples_.size(); ++i) {
        double t = static_cast<double>(i) / kRate;
        double envelope = std::min(1.0, t / attack) * std::exp(-t * decay);
        // A short release so that the note never ends in a click.
        envelope *= std::min(1.0, (length - t) / 0.01);
        double value = 0;
        for (size_t h = 0; h < harmonics.size(); ++h)
            value += harmonics[h] * std::sin(2 * std::numbers::pi * frequency * static_cast<double>(h + 1) * t);
        samples_[first + i] += level * envelope * value;
    }
}

void Synth::Knock(double start, double length, double level, double brightness)
{
    const size_t first = static_cast<size_t>(start * kRate);
    const size_t count = static_cast<size_t>(length * kRate);
    double low = 0;
    for (size_t i = 0; i < count && first + i < samples_.size(); ++i) {
        noise_ = noise_ * 1103515245 + 12345;
        double white = static_cast<double>((noise_ >> 8) & 0xFFFF) / 32768.0 - 1.0;
        // One-pole low-pass: a low brightness gives a dull wooden knock, a high one a bright click.
        low += brightness * (white - low);
        double t = static_cast<double>(i) / kRate;
        samples_[first + i] += level * low * std::exp(-t * 6.0 / length);
    }
}

bool Synth::Write(const std::filesystem::path &file) const
{
    double peak = 0;
    for (double s : samples_)
        peak = std::max(peak, std::abs(s));
    return WriteScaled(file, peak > 0.9 ? 0.9 / peak : 1.0);
}

bool Synth::WriteAtRms(const std::filesystem::path &file, double dbfs) const
{
    double sum = 0;
    for (double s : samples_)
        sum += s * s;
    double rms = samples_.empty() ? 0 : std::sqrt(sum / static_cast<double>(samples_.size()));
    return WriteScaled(file, rms > 0 ? std::pow(10.0, dbfs / 20.0) / rms : 1.0);
}

bool Synth::WriteScaled(const std::filesystem::path &file, double scale) const
{
    WavData wav{1, kRate, 16, {}};
    wav.samples.reserve(samples_.size() * 2);
    for (double s : samples_) {
        auto v = static_cast<int16_t>(std::lround(s * scale * 32767));
        wav.samples.push_back(static_cast<uint8_t>(v));
        wav.samples.push_back(static_cast<uint8_t>(static_cast<uint16_t>(v) >> 8));
    }
    return WriteWavFile(file.string(), wav);
}
