// Both cues are quiet and short, so they sit under the voice and the music
// without covering a word.
#include "audio/cues.h"

#include <cmath>

#include "audio/synth.h"

namespace {

constexpr int RATE = EFFECT_RATE;

// A heel on packed earth: a dull low knock with a brush of grit, 90 ms.
std::vector<int16_t> footstep()
{
    Buffer b(size_t(0.09 * RATE), 0.0);
    Noise n(0x5eed57u);
    OnePole grit(1800, RATE), body(300, RATE);
    double phase = 0;
    for (size_t i = 0; i < b.size(); ++i) {
        const double t = double(i) / RATE;
        const double attack = std::min(1.0, t * 600);
        phase += (70 + 50 * std::exp(-t * 60)) / RATE;
        const double knock = std::sin(2 * PI * phase) * std::exp(-t * 45);
        const double brush = grit.step(n.next()) * std::exp(-t * 70);
        b[i] = attack * (0.8 * body.step(knock) + 0.5 * knock + 0.35 * brush);
    }
    return to_pcm(b, 0.35);
}

// Two soft wooden taps a fifth apart, falling: "not now", 260 ms.
std::vector<int16_t> held_still()
{
    Buffer b(size_t(0.26 * RATE), 0.0);
    const double taps[2][2] = {{0.0, 660.0}, {0.12, 440.0}};
    for (const auto& tap : taps) {
        for (size_t i = size_t(tap[0] * RATE); i < b.size(); ++i) {
            const double t = double(i) / RATE - tap[0];
            const double attack = std::min(1.0, t * 800);
            b[i] += attack * std::exp(-t * 30) * (std::sin(2 * PI * tap[1] * t) + 0.3 * std::sin(2 * PI * tap[1] * 2.01 * t));
        }
    }
    return to_pcm(b, 0.3);
}

}  // namespace

std::vector<SoundEffect> listening_cues()
{
    return {{"footstep.wav", footstep()}, {"held.wav", held_still()}};
}
