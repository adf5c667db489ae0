#include "assets/Sounds.h"
#include "assets/Synth.h"

#include <cmath>

namespace {

// Pentatonic melody over a plucked bass, eight bars of four beats; notes as semitones from A 440.
// The last bar leads back into the first so that the loop joins without a seam.
constexpr double kBeat = 0.5;
constexpr int kBars = 8;
const int kMelody[kBars][4] = {
    {-9, -7, -5, -2}, {0, -2, -5, -7}, {-5, -2, 0, 3}, {0, -2, -5, -5},
    {-2, 0, 3, 5},    {3, 0, -2, 0},   {-5, -7, -9, -7}, {-5, -7, -9, -12},
};
const int kBass[kBars] = {-21, -16, -14, -21, -19, -14, -16, -21};

double Pitch(int semitones)
{
    return 440.0 * std::pow(2.0, semitones / 12.0);
}

} // namespace

bool WriteTune(const std::filesystem::path &folder)
{
    // A plucked string (guzheng-like) for the melody and a soft wooden bass.
    const std::vector<double> pluck = {1.0, 0.6, 0.3, 0.15, 0.08};
    const std::vector<double> bass = {1.0, 0.25};
    Synth s(kBars * 4 * kBeat);
    for (int bar = 0; bar < kBars; ++bar) {
        double barStart = bar * 4 * kBeat;
        s.Tone(barStart, 4 * kBeat, Pitch(kBass[bar]), 0.25, 1.2, bass);
        for (int beat = 0; beat < 4; ++beat)
            s.Tone(barStart + beat * kBeat, kBeat * 1.6, Pitch(kMelody[bar][beat]), 0.35, 3.0, pluck);
    }
    // Background music: well under the voices, which peak near full scale.
    return s.WriteAtRms(folder / "Wave" / "TinyGame.wav", -24.0);
}
