#include "audio/synth.h"

#include <algorithm>
#include <cmath>

double Noise::next()
{
    state ^= state << 13;
    state ^= state >> 17;
    state ^= state << 5;
    return (state & 0xFFFFFF) / double(0x800000) - 1.0;
}

OnePole::OnePole(double cutoffHz, int rate) : a(1.0 - std::exp(-2.0 * PI * cutoffHz / rate)) {}

Biquad Biquad::band_pass(double centreHz, double q, int rate)
{
    double w = 2 * PI * centreHz / rate, alpha = std::sin(w) / (2 * q), a0 = 1 + alpha;
    Biquad f;
    f.b0 = alpha / a0;
    f.b2 = -alpha / a0;
    f.a1 = -2 * std::cos(w) / a0;
    f.a2 = (1 - alpha) / a0;
    return f;
}

Biquad Biquad::low_pass(double cutoffHz, double q, int rate)
{
    double w = 2 * PI * cutoffHz / rate, alpha = std::sin(w) / (2 * q), a0 = 1 + alpha, c = std::cos(w);
    Biquad f;
    f.b0 = (1 - c) / 2 / a0;
    f.b1 = (1 - c) / a0;
    f.b2 = (1 - c) / 2 / a0;
    f.a1 = -2 * c / a0;
    f.a2 = (1 - alpha) / a0;
    return f;
}

double envelope(double t, double attack, double decay, double sustain, double release, double length)
{
    double level;
    if (t < attack)
        level = t / attack;
    else if (t < attack + decay)
        level = 1.0 - (1.0 - sustain) * (t - attack) / decay;
    else
        level = sustain;
    double releaseStart = length - release;
    if (t > releaseStart)
        level *= std::max(0.0, (length - t) / release);
    return level;
}

std::vector<int16_t> to_pcm(const Buffer& b, double peak)
{
    double top = 1e-9;
    for (double v : b)
        top = std::max(top, std::fabs(v));
    std::vector<int16_t> out(b.size());
    for (size_t i = 0; i < b.size(); ++i)
        out[i] = int16_t(std::lround(std::clamp(b[i] / top * peak, -1.0, 1.0) * 32767.0));
    return out;
}

namespace {

ItSample make(const char* name, const Buffer& b, int rate, double peak = 0.9)
{
    ItSample s;
    s.name = name;
    s.pcm = to_pcm(b, peak);
    s.c5Speed = uint32_t(rate);
    return s;
}

}  // namespace

ItSample soft_lead(int rate)
{
    // a rounded pulse: odd and a few even harmonics falling off quickly, with a
    // slow vibrato that comes in after the attack
    const double length = 4.0;
    Buffer b(size_t(length * rate));
    double phase = 0;
    for (size_t i = 0; i < b.size(); ++i) {
        double t = double(i) / rate;
        double vib = 1.0 + 0.004 * std::sin(2 * PI * 5.0 * t) * std::min(1.0, t / 0.6);
        phase += C5_HZ * vib / rate;
        double p = 2 * PI * phase;
        double wave = std::sin(p) + 0.35 * std::sin(2 * p) + 0.22 * std::sin(3 * p) + 0.08 * std::sin(4 * p) +
                      0.05 * std::sin(5 * p);
        double env = envelope(t, 0.025, 0.5, 0.55, 0.3, length) * std::exp(-t * 0.35);
        b[i] = wave * env;
    }
    return make("soft lead", b, rate);
}

ItSample warm_pad(int rate)
{
    // Looped: a whole number of cycles per frame count, with a slow swell baked
    // in before the loop and a gentle beating inside it.
    const int cycle = int(std::lround(rate / C5_HZ));
    const int attackCycles = int(0.6 * C5_HZ), loopCycles = 96;
    Buffer b(size_t(cycle) * (attackCycles + loopCycles));
    for (size_t i = 0; i < b.size(); ++i) {
        double p = 2 * PI * double(i % size_t(cycle)) / cycle;
        double wave = std::sin(p) + 0.45 * std::sin(2 * p) + 0.2 * std::sin(3 * p) + 0.1 * std::sin(4 * p);
        double level;
        if (i < size_t(cycle) * attackCycles) {
            double t = double(i) / (double(cycle) * attackCycles);
            level = t * t * (3 - 2 * t);
        } else {
            double u = double(i - size_t(cycle) * attackCycles) / (double(cycle) * loopCycles);
            level = 0.85 + 0.15 * std::cos(2 * PI * u);
        }
        b[i] = wave * level;
    }
    ItSample s = make("warm pad", b, rate, 0.7);
    s.c5Speed = uint32_t(std::lround(cycle * C5_HZ));
    s.loop = true;
    s.loopBegin = uint32_t(cycle * attackCycles);
    s.loopEnd = uint32_t(b.size());
    return s;
}

ItSample round_bass(int rate)
{
    const double length = 3.0;
    Buffer b(size_t(length * rate));
    OnePole lp(900, rate);
    for (size_t i = 0; i < b.size(); ++i) {
        double t = double(i) / rate;
        double ph = std::fmod(C5_HZ * t, 1.0);
        double tri = ph < 0.5 ? 4 * ph - 1 : 3 - 4 * ph;
        double env = envelope(t, 0.01, 0.3, 0.7, 0.4, length) * std::exp(-t * 0.5);
        b[i] = lp.step(tri + 0.3 * std::sin(2 * PI * C5_HZ * t)) * env;
    }
    return make("round bass", b, rate);
}

ItSample pluck(int rate)
{
    // a plucked string: a burst of noise circulating through a softening delay line
    const int period = int(std::lround(rate / C5_HZ));
    const double length = 2.5;
    Buffer b(size_t(length * rate));
    Buffer line(static_cast<size_t>(period), 0.0);
    Noise n(7);
    OnePole soften(3000, rate);
    for (double& v : line)
        v = soften.step(n.next());
    for (size_t i = 0; i < b.size(); ++i) {
        size_t k = i % size_t(period);
        double next = line[(k + 1) % size_t(period)];
        double out = line[k];
        line[k] = 0.4985 * (out + next);
        b[i] = out * envelope(double(i) / rate, 0.002, 0.1, 1.0, 0.3, length);
    }
    return make("pluck", b, rate);
}

ItSample glass_bell(int rate)
{
    const double length = 4.5;
    Buffer b(size_t(length * rate));
    for (size_t i = 0; i < b.size(); ++i) {
        double t = double(i) / rate;
        double p = 2 * PI * C5_HZ * t;
        // the glass rings above its note: the upper partials are what a small
        // speaker gives back, so they are strong at the strike and fade first
        double wave = std::sin(p) * std::exp(-t * 0.8) + 0.42 * std::sin(2.0 * p) * std::exp(-t * 1.4) +
                      0.46 * std::sin(2.76 * p) * std::exp(-t * 1.8) + 0.36 * std::sin(4.07 * p) * std::exp(-t * 2.5) +
                      0.28 * std::sin(5.4 * p) * std::exp(-t * 3.5) + 0.14 * std::sin(8.93 * p) * std::exp(-t * 6.0);
        b[i] = wave * envelope(t, 0.004, 0.1, 1.0, 0.4, length);
    }
    return make("glass bell", b, rate);
}

ItSample soft_kick(int rate)
{
    const double length = 0.35;
    Buffer b(size_t(length * rate));
    double phase = 0;
    for (size_t i = 0; i < b.size(); ++i) {
        double t = double(i) / rate;
        phase += (48 + 90 * std::exp(-t * 30)) / rate;
        b[i] = std::sin(2 * PI * phase) * std::exp(-t * 11) * envelope(t, 0.003, 0.01, 1, 0.05, length);
    }
    ItSample s = make("soft kick", b, rate);
    s.c5Speed = uint32_t(rate);
    return s;
}

ItSample brush(int rate)
{
    const double length = 0.3;
    Buffer b(size_t(length * rate));
    Noise n(11);
    OnePole lp(5000, rate), hp(400, rate);
    for (size_t i = 0; i < b.size(); ++i) {
        double t = double(i) / rate;
        double x = lp.step(n.next());
        double y = x - hp.step(x);
        b[i] = y * std::exp(-t * 14) * envelope(t, 0.006, 0.01, 1, 0.05, length);
    }
    return make("brush", b, rate);
}

ItSample shaker(int rate)
{
    const double length = 0.08;
    Buffer b(size_t(length * rate));
    Noise n(13);
    OnePole hp(3000, rate);
    for (size_t i = 0; i < b.size(); ++i) {
        double t = double(i) / rate;
        double x = n.next();
        b[i] = (x - hp.step(x)) * std::exp(-t * 50) * envelope(t, 0.004, 0.01, 1, 0.02, length);
    }
    return make("shaker", b, rate);
}
