// Each effect is one function: its length first, then the layers mixed into it.
#include "audio/sounds.h"

#include <cmath>

#include "audio/synth.h"

namespace {

constexpr int RATE = EFFECT_RATE;

Buffer silence(double seconds) { return Buffer(size_t(seconds * RATE), 0.0); }

// A rumble: noise through two low-passes, so it has weight but no hiss.
void add_rumble(Buffer& b, double start, double cutoff, double gain, double decay, uint32_t seed)
{
    Noise n(seed);
    OnePole a(cutoff, RATE), c(cutoff, RATE);
    for (size_t i = size_t(start * RATE); i < b.size(); ++i) {
        double t = double(i) / RATE - start;
        b[i] += c.step(a.step(n.next())) * gain * std::exp(-t * decay);
    }
}

// A sharp crack: bright noise that dies in a few hundredths of a second.
void add_crack(Buffer& b, double at, double gain, double decay, uint32_t seed)
{
    Noise n(seed);
    OnePole lp(6000, RATE);
    for (size_t i = size_t(at * RATE); i < b.size() && i < size_t((at + 0.25) * RATE); ++i) {
        double t = double(i) / RATE - at;
        b[i] += lp.step(n.next()) * gain * std::exp(-t * decay);
    }
}

// A low thump falling in pitch.
void add_boom(Buffer& b, double at, double fromHz, double toHz, double gain, double decay)
{
    double phase = 0;
    for (size_t i = size_t(at * RATE); i < b.size(); ++i) {
        double t = double(i) / RATE - at;
        phase += (toHz + (fromHz - toHz) * std::exp(-t * 8)) / RATE;
        b[i] += std::sin(2 * PI * phase) * gain * std::exp(-t * decay) * std::min(1.0, t * 400);
    }
}

void fade_ends(Buffer& b, double in, double out)
{
    for (size_t i = 0; i < b.size(); ++i) {
        double t = double(i) / RATE, left = double(b.size() - i) / RATE;
        if (t < in)
            b[i] *= t / in;
        if (left < out)
            b[i] *= left / out;
    }
}

Buffer destroy()  // a crunch and a collapse
{
    Buffer b = silence(0.85);
    add_crack(b, 0.0, 1.0, 30, 101);
    add_boom(b, 0.0, 160, 50, 0.8, 9);
    add_crack(b, 0.09, 0.6, 40, 102);
    add_crack(b, 0.17, 0.5, 45, 103);
    add_rumble(b, 0.05, 400, 2.2, 5, 104);
    Noise pebbles(105);
    for (int k = 0; k < 14; ++k) {  // rubble settling
        double at = 0.2 + 0.045 * k + 0.02 * pebbles.next();
        add_crack(b, at, 0.25 * std::exp(-k * 0.15), 90, 106 + uint32_t(k));
    }
    fade_ends(b, 0.002, 0.15);
    return b;
}

Buffer dragon()  // a long low roar
{
    Buffer b = silence(2.6);
    Noise n(201), breath(202);
    OnePole growl(30, RATE), body(700, RATE), body2(500, RATE), air(1500, RATE);
    double phase = 0;
    for (size_t i = 0; i < b.size(); ++i) {
        double t = double(i) / RATE;
        double pitch = 62 + 26 * std::sin(PI * std::min(1.0, t / 2.3)) - 10 * t / 2.6;
        double rough = 1.0 + 6.0 * growl.step(n.next());
        phase += pitch * rough / RATE;
        double p = phase - std::floor(phase);
        double saw = 2 * p - 1;
        double voice = body2.step(body.step(saw));
        double hiss = air.step(breath.next()) * 0.5;
        double swell = std::sin(PI * std::min(1.0, t / 2.6));
        b[i] = (voice * 1.4 + hiss * (0.4 + 0.6 * swell)) * (0.3 + 0.7 * swell);
    }
    fade_ends(b, 0.15, 0.4);
    return b;
}

Buffer war1()  // a far gunshot or shell
{
    Buffer b = silence(0.6);
    add_boom(b, 0.0, 110, 45, 0.9, 12);
    add_rumble(b, 0.0, 350, 2.0, 7, 301);
    add_crack(b, 0.0, 0.25, 60, 302);
    add_rumble(b, 0.12, 250, 0.8, 6, 303);  // the echo off the hills
    fade_ends(b, 0.003, 0.2);
    return b;
}

Buffer war2()  // a close, huge explosion fading out
{
    Buffer b = silence(3.2);
    add_crack(b, 0.0, 1.2, 18, 401);
    add_boom(b, 0.0, 90, 30, 1.2, 2.5);
    add_rumble(b, 0.0, 900, 3.0, 3.0, 402);
    add_rumble(b, 0.05, 180, 4.0, 1.2, 403);
    Noise debris(404);
    for (int k = 0; k < 20; ++k)
        add_crack(b, 0.4 + k * 0.09 + 0.03 * debris.next(), 0.3 * std::exp(-k * 0.12), 70, 405 + uint32_t(k));
    fade_ends(b, 0.001, 1.5);
    return b;
}

}  // namespace

std::vector<SoundEffect> sound_effects()
{
    return {{"destroy.wav", to_pcm(destroy(), 0.95)},
            {"dragon.wav", to_pcm(dragon(), 0.9)},
            {"war1.wav", to_pcm(war1(), 0.6)},
            {"war2.wav", to_pcm(war2(), 0.97)}};
}
