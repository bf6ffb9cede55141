// Small synthesis toolkit: oscillators, noise, filters and envelopes over
// floating-point buffers, and the instruments of the music built from them.
#pragma once

#include <cstdint>
#include <vector>

#include "audio/it_writer.h"

using Buffer = std::vector<double>;

constexpr double PI = 3.14159265358979323846;
constexpr double C5_HZ = 261.6255653;  // the pitch every instrument sample is tuned to

// A fixed noise source, so every run sounds the same.
class Noise {
public:
    explicit Noise(uint32_t seed) : state(seed | 1u) {}
    double next();  // -1..1

private:
    uint32_t state;
};

struct OnePole {  // a gentle low-pass
    double a = 0, y = 0;
    OnePole(double cutoffHz, int rate);
    double step(double x) { return y += a * (x - y); }
};

struct Biquad {  // a two-pole filter: band-pass for formants, low-pass to cut hiss
    double b0 = 0, b1 = 0, b2 = 0, a1 = 0, a2 = 0, x1 = 0, x2 = 0, y1 = 0, y2 = 0;
    static Biquad band_pass(double centreHz, double q, int rate);
    static Biquad low_pass(double cutoffHz, double q, int rate);
    double step(double x)
    {
        double y = b0 * x + b1 * x1 + b2 * x2 - a1 * y1 - a2 * y2;
        x2 = x1;
        x1 = x;
        y2 = y1;
        y1 = y;
        return y;
    }
};

// Amplitude of an attack-decay-release envelope at time t (seconds).
double envelope(double t, double attack, double decay, double sustain, double release, double length);

// Scales to at most |peak| and converts to 16-bit.
std::vector<int16_t> to_pcm(const Buffer& b, double peak = 0.9);

// Instruments, each a sample tuned so that note C-5 plays C5_HZ.
ItSample soft_lead(int rate);
ItSample warm_pad(int rate);
ItSample round_bass(int rate);
ItSample pluck(int rate);
ItSample glass_bell(int rate);
ItSample soft_kick(int rate);
ItSample brush(int rate);
ItSample shaker(int rate);
