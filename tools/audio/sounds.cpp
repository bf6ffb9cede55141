// Each effect is one function: its length first, then the layers mixed into it.
#include "audio/sounds.h"

#include <algorithm>
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

// Scales a sound so that its loudness (RMS over the frames from..to, in
// seconds) is the given fraction of full scale, the level it is heard at
// beside the music.
void set_level(Buffer& b, double rms, double from = 0, double to = 1e9)
{
    double sum = 0;
    size_t n = 0;
    for (size_t i = size_t(from * RATE); i < b.size() && i < size_t(to * RATE); ++i, ++n)
        sum += b[i] * b[i];
    double now = n ? std::sqrt(sum / double(n)) : 0;
    if (now > 0)
        for (double& v : b)
            v = std::clamp(v * rms / now, -0.98, 0.98);
}

Buffer destroy()  // a crunch, the rubble, and the heap coming down with a thud
{
    Buffer b = silence(0.95);
    add_crack(b, 0.0, 1.0, 30, 101);
    add_boom(b, 0.0, 160, 50, 0.8, 9);
    add_crack(b, 0.09, 0.6, 40, 102);
    add_crack(b, 0.17, 0.5, 45, 103);
    add_rumble(b, 0.05, 400, 2.2, 5, 104);
    Noise pebbles(105);
    for (int k = 0; k < 9; ++k) {  // rubble sliding
        double at = 0.2 + 0.04 * k + 0.015 * pebbles.next();
        add_crack(b, at, 0.22 * std::exp(-k * 0.15), 90, 106 + uint32_t(k));
    }
    // the collapse: everything lands at once, low and heavy
    Buffer thud = silence(0.95);
    add_boom(thud, 0.56, 90, 38, 1.5, 6.5);
    add_rumble(thud, 0.56, 160, 3.0, 7, 120);
    Biquad dull = Biquad::low_pass(220, 0.7, RATE);
    for (size_t i = 0; i < b.size(); ++i)
        b[i] += dull.step(thud[i]);
    fade_ends(b, 0.002, 0.12);
    return b;
}

Buffer dragon()  // a long growl: a voice, not a wind
{
    Buffer b = silence(2.6);
    Noise wobble(201), breath(202), fry(203);
    OnePole drift(3, RATE), fryDrift(8, RATE);
    Biquad f1 = Biquad::band_pass(260, 2.5, RATE), f2 = Biquad::band_pass(620, 4, RATE),
           f3 = Biquad::band_pass(1150, 5, RATE), chest = Biquad::low_pass(180, 0.7, RATE);
    Biquad hissBand = Biquad::band_pass(1400, 1.2, RATE);
    Biquad cut1 = Biquad::low_pass(3000, 0.7, RATE), cut2 = Biquad::low_pass(3000, 0.7, RATE);
    double phase = 0, rattle = 0;
    for (size_t i = 0; i < b.size(); ++i) {
        double t = double(i) / RATE;
        // the pitch rises into the roar and sinks away, with a little unsteadiness
        double contour = std::pow(std::sin(PI * std::min(1.0, t / 2.45)), 1.3);
        double pitch = (46 + 38 * contour) * (1.0 + 0.6 * drift.step(wobble.next()));
        phase += pitch / RATE;
        double saw = 2 * (phase - std::floor(phase)) - 1;
        // the rattle in the throat: the voice chopped some fifteen times a second
        rattle += (15 + 40 * fryDrift.step(fry.next())) / RATE;
        double chop = 0.55 + 0.45 * std::pow(std::max(0.0, std::sin(2 * PI * rattle)), 2);
        double voice = chest.step(saw) * 0.8 + f1.step(saw) * 1.0 + f2.step(saw) * 0.6 + f3.step(saw) * 0.3;
        double hiss = hissBand.step(breath.next()) * 0.25;
        double swell = std::pow(std::sin(PI * std::min(1.0, t / 2.6)), 0.6);
        b[i] = cut2.step(cut1.step(voice * chop + hiss * (0.3 + 0.7 * contour))) * swell;
    }
    fade_ends(b, 0.1, 0.35);
    set_level(b, 0.16);
    return b;
}

Buffer war1()  // a far shell: dull, and its echo coming back off the hills
{
    const double length = 0.66, echo1 = 0.19, echo2 = 0.38;
    Buffer shot = silence(length);
    add_boom(shot, 0.0, 100, 40, 0.9, 24);
    add_rumble(shot, 0.0, 300, 2.0, 20, 301);
    add_crack(shot, 0.0, 0.2, 70, 302);
    Biquad far1 = Biquad::low_pass(650, 0.7, RATE), far2 = Biquad::low_pass(650, 0.7, RATE);
    for (double& v : shot)
        v = far2.step(far1.step(v));
    Buffer b = shot;
    Biquad duller = Biquad::low_pass(380, 0.7, RATE);
    for (size_t i = 0; i < b.size(); ++i) {
        double back = 0;
        if (i >= size_t(echo1 * RATE))
            back += 0.5 * shot[i - size_t(echo1 * RATE)];
        if (i >= size_t(echo2 * RATE))
            back += 0.22 * shot[i - size_t(echo2 * RATE)];
        b[i] += duller.step(back);
    }
    fade_ends(b, 0.003, 0.12);
    set_level(b, 0.1, 0.0, 0.1);
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

// 16-bit samples at the level the sound was made at.
std::vector<int16_t> to_pcm_as_is(const Buffer& b)
{
    std::vector<int16_t> out(b.size());
    for (size_t i = 0; i < b.size(); ++i)
        out[i] = int16_t(std::lround(std::clamp(b[i], -1.0, 1.0) * 32767.0));
    return out;
}

}  // namespace

std::vector<SoundEffect> sound_effects()
{
    return {{"destroy.wav", to_pcm(destroy(), 0.95)},
            {"dragon.wav", to_pcm_as_is(dragon())},
            {"war1.wav", to_pcm_as_is(war1())},
            {"war2.wav", to_pcm(war2(), 0.97)}};
}
