#include "assets/Sounds.h"
#include "assets/Synth.h"

#include <functional>
#include <utility>

namespace {

// Overtones of struck things: wood is mostly fundamental, porcelain and metal ring higher.
const std::vector<double> kWood = {1.0, 0.3, 0.1};
const std::vector<double> kBell = {1.0, 0.0, 0.4, 0.0, 0.25, 0.0, 0.1};
const std::vector<double> kChime = {1.0, 0.5, 0.2, 0.1};

Synth Dice()
{
    Synth s(0.9);
    // Two dice tumbling: knocks that come faster and softer as they settle.
    double at = 0.0;
    for (int i = 0; i < 14; ++i) {
        s.Knock(at, 0.03, 0.8 - i * 0.045, 0.5);
        s.Tone(at, 0.04, 1900 + (i % 3) * 260, 0.15, 80, kWood);
        at += 0.085 - i * 0.004;
    }
    return s;
}

Synth Discard()
{
    Synth s(0.25);
    s.Knock(0, 0.06, 1.0, 0.35);
    s.Tone(0, 0.12, 620, 0.5, 45, kWood);
    s.Tone(0, 0.08, 2300, 0.2, 70, kWood);
    return s;
}

Synth Action()
{
    Synth s(0.6);
    s.Tone(0.00, 0.25, 660, 0.6, 10, kChime);
    s.Tone(0.09, 0.45, 990, 0.6, 7, kChime);
    return s;
}

Synth Click()
{
    Synth s(0.06);
    s.Knock(0, 0.02, 0.8, 0.8);
    s.Tone(0, 0.04, 2600, 0.3, 120);
    return s;
}

Synth Hover()
{
    Synth s(0.08);
    s.Tone(0, 0.08, 1320, 0.4, 50);
    return s;
}

Synth DealTile()
{
    Synth s(0.15);
    s.Knock(0, 0.04, 0.7, 0.45);
    s.Tone(0, 0.08, 880, 0.35, 60, kWood);
    return s;
}

Synth Win()
{
    // A rising major arpeggio closing on a held chord.
    Synth s(1.8);
    const double notes[] = {523.25, 659.25, 783.99, 1046.5};
    for (int i = 0; i < 4; ++i)
        s.Tone(i * 0.12, 1.7 - i * 0.12, notes[i], 0.45, 2.2, kBell);
    return s;
}

Synth Chips()
{
    Synth s(0.7);
    const double pitches[] = {3100, 3500, 2900, 3300, 3700};
    for (int i = 0; i < 5; ++i) {
        s.Knock(i * 0.09, 0.02, 0.4, 0.9);
        s.Tone(i * 0.09, 0.25, pitches[i], 0.3, 18, kBell);
    }
    return s;
}

Synth Check()
{
    Synth s(0.1);
    s.Knock(0, 0.015, 0.7, 0.9);
    s.Tone(0, 0.06, 1800, 0.3, 80);
    return s;
}

Synth Start()
{
    Synth s(0.8);
    s.Tone(0.0, 0.3, 784, 0.5, 8, kChime);
    s.Tone(0.15, 0.6, 1175, 0.5, 6, kChime);
    return s;
}

Synth Slide()
{
    Synth s(0.2);
    s.Knock(0, 0.18, 0.25, 0.15);
    return s;
}

Synth Message()
{
    Synth s(0.5);
    s.Tone(0.0, 0.2, 1568, 0.5, 12, kBell);
    s.Tone(0.12, 0.35, 1319, 0.5, 10, kBell);
    return s;
}

Synth Ring()
{
    Synth s(1.2);
    for (int i = 0; i < 2; ++i) {
        s.Tone(i * 0.45, 0.2, 1319, 0.5, 8, kBell);
        s.Tone(i * 0.45 + 0.15, 0.3, 1760, 0.5, 8, kBell);
    }
    return s;
}

} // namespace

bool WriteEffects(const std::filesystem::path &folder)
{
    const std::pair<const char *, std::function<Synth()>> effects[] = {
        {"sezi.wav", Dice},     {"DaPai.wav", Discard}, {"action.wav", Action}, {"Click.wav", Click},
        {"move.wav", Hover},    {"givemj.wav", DealTile}, {"win.wav", Win},    {"chouma.wav", Chips},
        {"check.wav", Check},   {"start.wav", Start},   {"ta.wav", Slide},     {"msg.wav", Message},
        {"ring.wav", Ring},
    };
    std::filesystem::create_directories(folder / "Wave");
    for (const auto &[name, make] : effects)
        if (!make().Write(folder / "Wave" / name))
            return false;
    return true;
}
