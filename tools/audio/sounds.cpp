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

// Band-limited noise: a burst between two corners, for the middle of a sound
// that small speakers can carry.
void add_band(Buffer& b, double at, double centreHz, double q, double gain, double attack, double decay,
              uint32_t seed)
{
    Noise n(seed);
    Biquad f = Biquad::band_pass(centreHz, q, RATE), g = Biquad::band_pass(centreHz, q, RATE);
    for (size_t i = size_t(at * RATE); i < b.size(); ++i) {
        double t = double(i) / RATE - at;
        b[i] += g.step(f.step(n.next())) * gain * std::min(1.0, t / attack) * std::exp(-t * decay);
    }
}

Buffer destroy()  // one fall: the crunch of the blow runs straight into the heap coming down
{
    Buffer b = silence(0.95);
    // the blow: a bright crunch and a knock of weight behind it
    add_crack(b, 0.0, 1.0, 30, 101);
    add_boom(b, 0.0, 150, 55, 0.9, 7);
    add_band(b, 0.0, 700, 1.2, 1.6, 0.002, 9, 102);
    // the body gives way at once: stone grinding and sliding, which keeps the
    // sound up until the heap settles
    add_rumble(b, 0.02, 380, 2.6, 2.2, 104);
    add_band(b, 0.05, 420, 0.9, 1.1, 0.05, 3.2, 105);
    add_band(b, 0.18, 200, 0.8, 1.5, 0.15, 1.4, 121);  // the slide gathering before the heap lands
    add_rumble(b, 0.2, 220, 2.8, 1.5, 122);
    Noise pebbles(106);
    double at = 0.1;
    for (int k = 0; at < 0.7; ++k) {  // rubble, each piece at its own moment
        add_crack(b, at, 0.3 * std::exp(-k * 0.12), 80 + 25 * pebbles.next(), 107 + uint32_t(k));
        at += 0.025 + 0.05 * (0.5 + 0.5 * pebbles.next()) * (0.5 + 0.5 * pebbles.next()) * 2.2;
    }
    // the heap settling: low and heavy, under the rubble rather than over the blow
    Buffer settle = silence(0.95);
    add_boom(settle, 0.43, 80, 40, 0.6, 5.5);
    add_rumble(settle, 0.41, 160, 1.6, 5, 120);
    Biquad dull = Biquad::low_pass(240, 0.7, RATE);
    for (size_t i = 0; i < b.size(); ++i)
        b[i] += dull.step(settle[i]);
    fade_ends(b, 0.002, 0.2);
    return b;
}

Buffer dragon()  // a long roar: a voice that swells quickly and falls away slowly
{
    const double length = 2.6, crest = 0.62;  // the roar is at its height at crest seconds
    Buffer b = silence(length);
    Noise wobble(201), breath(202), fry(203);
    OnePole drift(3, RATE), fryDrift(8, RATE);
    Biquad chest = Biquad::low_pass(200, 0.7, RATE), f1 = Biquad::band_pass(420, 2.0, RATE),
           f2 = Biquad::band_pass(900, 3.0, RATE), f3 = Biquad::band_pass(1500, 4.0, RATE),
           f4 = Biquad::band_pass(2400, 5.0, RATE);
    Biquad hissLow = Biquad::band_pass(900, 0.9, RATE), hissHigh = Biquad::band_pass(1900, 1.4, RATE);
    Biquad cut1 = Biquad::low_pass(3600, 0.7, RATE), cut2 = Biquad::low_pass(3600, 0.7, RATE);
    double phase = 0, rattle = 0;
    for (size_t i = 0; i < b.size(); ++i) {
        double t = double(i) / RATE;
        // up to the crest in a swell, then a long fall that sags below where it began
        double contour = t < crest ? std::sin(0.5 * PI * t / crest) : std::exp(-(t - crest) * 1.1);
        double pitch = (44 + 52 * contour) * (1.0 + 0.5 * drift.step(wobble.next()));
        phase += pitch / RATE;
        double saw = 2 * (phase - std::floor(phase)) - 1;
        // the rattle in the throat: the voice chopped some fifteen times a second
        rattle += (15 + 40 * fryDrift.step(fry.next())) / RATE;
        double chop = 0.6 + 0.4 * std::pow(std::max(0.0, std::sin(2 * PI * rattle)), 2);
        // the mouth opens with the roar: the upper formants come up with it
        double open = 0.35 + 0.65 * contour;
        double voice = chest.step(saw) * 0.6 + f1.step(saw) * 1.1 + open * (f2.step(saw) * 1.0 + f3.step(saw) * 0.7 +
                                                                           f4.step(saw) * 0.35);
        double air = breath.next();
        double hiss = (hissLow.step(air) * 0.5 + hissHigh.step(air) * 0.3) * (0.25 + 0.75 * contour);
        double swell = t < crest ? std::pow(t / crest, 0.7) : std::exp(-(t - crest) * 0.55);
        b[i] = cut2.step(cut1.step(voice * chop + hiss)) * swell;
    }
    fade_ends(b, 0.05, 0.4);
    set_level(b, 0.16);
    return b;
}

Buffer war1()  // a far shell: a crack, a body small speakers carry, echoes off the hills
{
    const double length = 0.66;
    Buffer shot = silence(length);
    add_crack(shot, 0.0, 0.35, 90, 302);
    // the crack as a laptop gives it back: a burst between 400 Hz and 2 kHz
    add_band(shot, 0.0, 760, 0.7, 2.2, 0.001, 28, 303);
    add_band(shot, 0.002, 380, 1.0, 2.4, 0.004, 11, 304);
    // and the roll after it, 300 to 800 Hz, that carries the shell on small speakers
    add_band(shot, 0.01, 500, 0.9, 2.9, 0.02, 5.5, 305);
    add_boom(shot, 0.0, 110, 45, 0.7, 14);
    add_rumble(shot, 0.0, 260, 1.6, 10, 301);
    Biquad far = Biquad::low_pass(2200, 0.7, RATE);
    for (double& v : shot)
        v = far.step(v);
    // echoes come back at uneven times, each one duller and quieter than the last
    Buffer b = shot;
    const double delays[] = {0.13, 0.31, 0.42}, gains[] = {0.66, 0.44, 0.26}, dullness[] = {1300, 1000, 800};
    for (int k = 0; k < 3; ++k) {
        Biquad dull = Biquad::low_pass(dullness[k], 0.7, RATE);
        size_t d = size_t(delays[k] * RATE);
        for (size_t i = d; i < b.size(); ++i)
            b[i] += gains[k] * dull.step(shot[i - d]);
    }
    fade_ends(b, 0.002, 0.12);
    set_level(b, 0.068);
    return b;
}

Buffer war2()  // a close, huge explosion fading out
{
    Buffer b = silence(3.2);
    add_crack(b, 0.0, 1.2, 18, 401);
    add_boom(b, 0.0, 90, 30, 1.2, 2.5);
    add_rumble(b, 0.0, 900, 3.0, 3.0, 402);
    add_rumble(b, 0.05, 180, 4.0, 1.2, 403);
    // debris falling back: crackles that come thick at first, then thin out, each
    // at its own moment
    Noise debris(404);
    double at = 0.35;
    for (int k = 0; at < 2.4; ++k) {
        add_crack(b, at, 0.3 * std::exp(-k * 0.1), 60 + 30 * debris.next(), 405 + uint32_t(k));
        double u = 0.5 + 0.5 * debris.next();
        at += (0.03 + 0.16 * u * u) * (1.0 + at * 0.5);
    }
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
