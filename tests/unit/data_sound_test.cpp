// How the generated music and effects sound, measured on the files the game
// reads: levels through DUMB as the game plays them, the touch and the pad
// read from the modules' patterns, and the character of each effect.
#include <allegro.h>
#include <dumb.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <fstream>
#include <iterator>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "test_support.h"

namespace {

const std::string SOUND_DATA = KARVELLE_TEST_DATA_DIR;
constexpr float GAME_MUSIC_VOLUME = 0.8f;  // the level the game starts its music at

double decibels(double ratio) { return 20.0 * std::log10(ratio); }

// RMS (full scale 1.0) of one pass of a module rendered by DUMB, mono.
double module_rms(const std::string& name)
{
    dumb_register_stdfiles();
    DUH* duh = dumb_load_it((SOUND_DATA + "/music/" + name).c_str());
    if (!duh)
        return -1;
    const int rate = 11025;
    double seconds = duh_get_length(duh) / 65536.0;
    DUH_SIGRENDERER* sr = duh_start_sigrenderer(duh, 0, 1, 0);
    std::vector<short> buffer(static_cast<size_t>(rate));
    double sum = 0;
    long count = 0;
    for (double done = 0; done < seconds; done += 1.0) {
        long got = duh_render(sr, 16, 0, GAME_MUSIC_VOLUME, 65536.0f / rate, rate, buffer.data());
        for (long i = 0; i < got; ++i)
            sum += double(buffer[size_t(i)]) * buffer[size_t(i)];
        count += got;
    }
    duh_end_sigrenderer(sr);
    unload_duh(duh);
    return count ? std::sqrt(sum / count) / 32768.0 : -1;
}

// An effect as signed samples (full scale 1.0) and its rate.
struct Effect {
    std::vector<double> x;
    int rate = 0;
};

Effect load_effect(const std::string& file)
{
    ensure_allegro();
    Effect e;
    SAMPLE* s = load_sample((SOUND_DATA + "/sound/" + file).c_str());
    if (!s)
        return e;
    const unsigned short* data = static_cast<const unsigned short*>(s->data);
    for (unsigned long i = 0; i < s->len; ++i)
        e.x.push_back((int(data[i]) - 32768) / 32768.0);  // Allegro keeps samples unsigned
    e.rate = s->freq;
    destroy_sample(s);
    return e;
}

double rms(const std::vector<double>& x, size_t from, size_t to)
{
    double sum = 0;
    for (size_t i = from; i < to; ++i)
        sum += x[i] * x[i];
    return to > from ? std::sqrt(sum / double(to - from)) : 0;
}

// A rough centre of the spectrum: how fast the signal moves against how large
// it is (a sine of f Hz gives f).
double centre_hz(const std::vector<double>& x, size_t from, size_t to, int rate)
{
    double d = 0, a = 0;
    for (size_t i = from + 1; i < to; ++i) {
        d += (x[i] - x[i - 1]) * (x[i] - x[i - 1]);
        a += x[i] * x[i];
    }
    return a > 0 ? std::sqrt(d / a) * rate / (2 * M_PI) : 0;
}

// The strongest normalised autocorrelation for periods between lo and hi Hz,
// and the period (as a pitch in Hz) that gives it.
struct Periodicity {
    double strength = 0;
    double hz = 0;
};

Periodicity strongest_period(const std::vector<double>& x, size_t from, size_t to, int rate, double lo, double hi)
{
    Periodicity best;
    for (int lag = int(rate / hi); lag <= int(rate / lo); ++lag) {
        double xy = 0, xx = 0, yy = 0;
        for (size_t i = from; i + size_t(lag) < to; ++i) {
            xy += x[i] * x[i + size_t(lag)];
            xx += x[i] * x[i];
            yy += x[i + size_t(lag)] * x[i + size_t(lag)];
        }
        if (xx > 0 && yy > 0 && xy / std::sqrt(xx * yy) > best.strength) {
            best.strength = xy / std::sqrt(xx * yy);
            best.hz = double(rate) / lag;
        }
    }
    return best;
}

double periodicity(const std::vector<double>& x, size_t from, size_t to, int rate, double lo, double hi)
{
    return strongest_period(x, from, to, rate, lo, hi).strength;
}

// The cells of an Impulse Tracker module, read from the file: enough of the
// format to see each channel's notes, volumes and effects row by row.
struct Cell {
    int note = -1, instrument = 0, volume = -1, command = 0, parameter = 0;
};
using Rows = std::vector<std::vector<Cell>>;  // [row of the whole song][channel]

Rows read_module_rows(const std::string& name)
{
    std::ifstream in(SOUND_DATA + "/music/" + name, std::ios::binary);
    std::vector<uint8_t> f{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    Rows song;
    if (f.size() < 0xC0 || std::string(f.begin(), f.begin() + 4) != "IMPM")
        return song;
    auto u16 = [&](size_t at) { return f[at] | f[at + 1] << 8; };
    auto u32 = [&](size_t at) { return uint32_t(u16(at)) | uint32_t(u16(at + 2)) << 16; };
    int orders = u16(0x20), instruments = u16(0x22), samples = u16(0x24);
    size_t patternPointers = 0xC0 + size_t(orders) + 4 * size_t(instruments + samples);
    for (int o = 0; o < orders; ++o) {
        int pattern = f[0xC0 + size_t(o)];
        if (pattern >= 254)
            break;
        size_t at = u32(patternPointers + 4 * size_t(pattern));
        int rowCount = u16(at + 2);
        at += 8;
        uint8_t masks[64] = {};
        for (int r = 0; r < rowCount; ++r) {
            std::vector<Cell> row(64);
            for (uint8_t cv; (cv = f[at++]) != 0;) {
                int channel = (cv - 1) & 63;
                if (cv & 0x80)
                    masks[channel] = f[at++];
                Cell& c = row[size_t(channel)];
                uint8_t m = masks[channel];
                if (m & 1)
                    c.note = f[at++];
                if (m & 2)
                    c.instrument = f[at++];
                if (m & 4)
                    c.volume = f[at++];
                if (m & 8) {
                    c.command = f[at++];
                    c.parameter = f[at++];
                }
            }
            song.push_back(row);
        }
    }
    return song;
}

constexpr int LEAD = 0, PAD = 2, ROWS_PER_PHRASE = 64;
constexpr int CMD_PORTAMENTO = 'G' - 'A' + 1, CMD_VIBRATO = 'H' - 'A' + 1;

}  // namespace

TEST(DataMusicTest, TheRememberedTuneIsQuieterThanTheTheme)
{
    double theme = module_rms("possibilities.it"), memory = module_rms("impossibilities.it");
    ASSERT_GT(theme, 0);
    ASSERT_GT(memory, 0);
    double lower = decibels(theme / memory);
    EXPECT_GE(lower, 4.0) << "theme " << theme << ", remembered " << memory;
    EXPECT_LE(lower, 6.0) << "theme " << theme << ", remembered " << memory;
}

TEST(DataMusicTest, TheThemeIsWideButNotSplit)
{
    // the theme's voices stand apart in stereo, yet the two sides still play
    // one tune: the correlation of left and right over one pass
    dumb_register_stdfiles();
    DUH* duh = dumb_load_it((SOUND_DATA + "/music/possibilities.it").c_str());
    ASSERT_NE(duh, nullptr);
    const int rate = 11025;
    DUH_SIGRENDERER* sr = duh_start_sigrenderer(duh, 0, 2, 0);
    std::vector<short> buffer(size_t(rate) * 2);
    double lr = 0, ll = 0, rr = 0;
    for (double done = 0; done < duh_get_length(duh) / 65536.0; done += 1.0) {
        long got = duh_render(sr, 16, 0, GAME_MUSIC_VOLUME, 65536.0f / rate, rate, buffer.data());
        for (long i = 0; i < got; ++i) {
            double l = buffer[size_t(2 * i)], r = buffer[size_t(2 * i + 1)];
            lr += l * r, ll += l * l, rr += r * r;
        }
    }
    duh_end_sigrenderer(sr);
    unload_duh(duh);
    ASSERT_GT(ll * rr, 0);
    double correlation = lr / std::sqrt(ll * rr);
    EXPECT_LE(correlation, 0.9);
    EXPECT_GE(correlation, 0.7);
}

TEST(DataMusicTest, TheLeadIsPlayedNotStamped)
{
    for (const char* name : {"possibilities.it", "impossibilities.it"}) {
        Rows song = read_module_rows(name);
        ASSERT_GE(song.size(), size_t(ROWS_PER_PHRASE)) << name;
        int vibratoRows = 0;
        for (size_t start = 0; start + ROWS_PER_PHRASE <= song.size(); start += ROWS_PER_PHRASE) {
            std::vector<int> played;
            for (size_t r = start; r < start + ROWS_PER_PHRASE; ++r) {
                const Cell& c = song[r][LEAD];
                if (c.note >= 0 && c.note < 120)
                    played.push_back(c.volume);
                vibratoRows += c.command == CMD_VIBRATO;
            }
            std::set<int> volumes(played.begin(), played.end());
            EXPECT_GE(volumes.size(), 4u) << name << ": the lead's notes from row " << start
                                          << " have only " << volumes.size() << " volumes";
            // varied within a player's touch: no note jumps out of the line
            std::sort(played.begin(), played.end());
            int median = played[played.size() / 2];
            EXPECT_LE(played.back(), median * 14 / 10) << name << " from row " << start;
            EXPECT_GE(played.front(), median * 6 / 10) << name << " from row " << start;
        }
        // the long notes sing: a slow vibrato, never on a note's first rows
        EXPECT_GT(vibratoRows, 20) << name;
        for (size_t r = 0; r < song.size(); ++r) {
            if (song[r][LEAD].note >= 0) {
                EXPECT_NE(song[r][LEAD].command, CMD_VIBRATO) << name << " row " << r;
            }
        }
    }
}

TEST(DataMusicTest, ThePadGlidesFromChordToChord)
{
    // struck once at the top of the tune, then every change of chord is a tone
    // portamento: no swell starting again on each chord
    for (const char* name : {"possibilities.it", "impossibilities.it"}) {
        Rows song = read_module_rows(name);
        ASSERT_FALSE(song.empty()) << name;
        for (int channel = PAD; channel < PAD + 3; ++channel) {
            EXPECT_GT(song[0][size_t(channel)].instrument, 0) << name;
            int glides = 0;
            for (size_t r = 1; r < song.size(); ++r) {
                const Cell& c = song[r][size_t(channel)];
                EXPECT_EQ(c.instrument, 0) << name << " channel " << channel << " row " << r;
                if (c.note >= 0) {
                    EXPECT_EQ(c.command, CMD_PORTAMENTO) << name << " channel " << channel << " row " << r;
                    ++glides;
                }
            }
            EXPECT_GT(glides, 20) << name;
        }
    }
}

TEST(DataSoundTest, EffectsSitWithTheMusic)
{
    double music = module_rms("possibilities.it");
    ASSERT_GT(music, 0);
    // the dragon as loud as the music round it, give or take; the distant war
    // quieter than it, even at the peak of a shot
    Effect dragon = load_effect("dragon.wav"), war = load_effect("war1.wav");
    ASSERT_FALSE(dragon.x.empty());
    ASSERT_FALSE(war.x.empty());
    double dragonLevel = decibels(rms(dragon.x, 0, dragon.x.size()) / music);
    EXPECT_GE(dragonLevel, -3.0);
    EXPECT_LE(dragonLevel, 4.0);
    double shot = rms(war.x, 0, size_t(war.rate / 10)) / music;
    EXPECT_LE(decibels(shot), 0.0);
}

TEST(DataSoundTest, TheDragonGrowlsAtAPitch)
{
    Effect e = load_effect("dragon.wav");
    ASSERT_FALSE(e.x.empty());
    // a voiced growl between 40 and 160 Hz in the middle of the roar, not a
    // rumble of noise; and no hiss above a few kHz
    size_t mid = e.x.size() / 2, half = size_t(e.rate / 10);
    EXPECT_GT(periodicity(e.x, mid - half, mid + half, e.rate, 40, 160), 0.5);
    EXPECT_LT(centre_hz(e.x, 0, e.x.size(), e.rate), 1200.0);
}

TEST(DataSoundTest, DistantWarIsDullAndEchoes)
{
    Effect e = load_effect("war1.wav");
    ASSERT_FALSE(e.x.empty());
    EXPECT_LT(centre_hz(e.x, 0, e.x.size(), e.rate), 500.0);
    // an echo tail: after the shot has died, sound comes back
    size_t w = size_t(e.rate / 50);
    std::vector<double> level;
    for (size_t i = 0; i + w <= e.x.size(); i += w)
        level.push_back(rms(e.x, i, i + w));
    size_t lowest = 2;
    for (size_t k = 2; k < level.size() / 2; ++k)
        if (level[k] < level[lowest])
            lowest = k;
    double later = *std::max_element(level.begin() + long(lowest), level.end());
    EXPECT_GT(later, level[lowest] * 1.5) << "no echo after the shot";
}

TEST(DataSoundTest, TheMonsterFallsWithAThud)
{
    Effect e = load_effect("destroy.wav");
    ASSERT_FALSE(e.x.empty());
    // in the last part of the sound, a low blow nearly as strong as the crunch
    size_t w = size_t(e.rate / 20), from = e.x.size() * 45 / 100;
    double first = 0, last = 0, lastCentre = 0;
    for (size_t i = 0; i + w <= e.x.size(); i += w / 2) {
        double r = rms(e.x, i, i + w);
        if (i < from) {
            first = std::max(first, r);
        } else if (r > last) {
            last = r;
            lastCentre = centre_hz(e.x, i, i + w, e.rate);
        }
    }
    EXPECT_GT(last, first * 0.4);
    EXPECT_LT(lastCentre, 300.0);
}

namespace {

constexpr int BASS = 5, ARP = 6, KICK = 7, BRUSH = 8;
constexpr int CMD_SPECIAL = 'S' - 'A' + 1;

// Ticks a note waits with SDx, 0 when it is on the grid.
int delay_ticks(const Cell& c) { return c.command == CMD_SPECIAL && (c.parameter >> 4) == 0xD ? c.parameter & 15 : 0; }

// Loudness (dB full scale) of each order of a module as DUMB plays it at the
// game's volume, and where the lead channel's pitch stands, looked at 441 times a
// second.
struct Playback {
    std::vector<double> orderDb;
    struct Look {
        double t;
        int sample;
        double hz;
    };
    std::vector<Look> lead;
};

Playback play_module(const std::string& name)
{
    Playback p;
    dumb_register_stdfiles();
    DUH* duh = dumb_load_it((SOUND_DATA + "/music/" + name).c_str());
    if (!duh)
        return p;
    const int rate = 11025, step = 25;
    const long total = long(duh_get_length(duh) / 65536.0 * rate);
    DUH_SIGRENDERER* sr = duh_start_sigrenderer(duh, 0, 1, 0);
    DUMB_IT_SIGRENDERER* it = duh_get_it_sigrenderer(sr);
    std::vector<short> buffer(step);
    std::vector<double> sum(256, 0);
    std::vector<long> count(256, 0);
    for (long done = 0; done < total; done += step) {
        long got = duh_render(sr, 16, 0, GAME_MUSIC_VOLUME, 65536.0f / rate, step, buffer.data());
        int order = dumb_it_sr_get_current_order(it);
        for (long i = 0; i < got; ++i)
            sum[size_t(order)] += double(buffer[size_t(i)]) * buffer[size_t(i)];
        count[size_t(order)] += got;
        DUMB_IT_CHANNEL_STATE state;
        dumb_it_sr_get_channel_state(it, LEAD, &state);
        p.lead.push_back({double(done) / rate, state.sample, double(state.freq)});
    }
    for (size_t o = 0; o < sum.size() && count[o]; ++o)
        p.orderDb.push_back(decibels(std::sqrt(sum[o] / double(count[o])) / 32768.0));
    duh_end_sigrenderer(sr);
    unload_duh(duh);
    return p;
}

// The share of a sound's energy above a frequency, through two second-order
// high-passes.
double share_above(const std::vector<double>& x, int rate, double hz)
{
    double w = 2 * M_PI * hz / rate, alpha = std::sin(w) / (2 * M_SQRT1_2), a0 = 1 + alpha, c = std::cos(w);
    double b0 = (1 + c) / 2 / a0, b1 = -(1 + c) / a0, a1 = -2 * c / a0, a2 = (1 - alpha) / a0;
    std::vector<double> y = x;
    for (int pass = 0; pass < 2; ++pass) {
        double x1 = 0, x2 = 0, y1 = 0, y2 = 0;
        for (double& v : y) {
            double out = b0 * v + b1 * x1 + b0 * x2 - a1 * y1 - a2 * y2;
            x2 = x1;
            x1 = v;
            y2 = y1;
            y1 = out;
            v = out;
        }
    }
    double all = 0, high = 0;
    for (size_t i = 0; i < x.size(); ++i) {
        all += x[i] * x[i];
        high += y[i] * y[i];
    }
    return all > 0 ? high / all : 0;
}

// The period (as a pitch in Hz) with the strongest autocorrelation between lo and hi.
double pitch_hz(const std::vector<double>& x, size_t from, size_t to, int rate, double lo, double hi)
{
    return strongest_period(x, from, to, rate, lo, hi).hz;
}

}  // namespace

TEST(DataMusicTest, TheRhythmSectionBreathes)
{
    // the bass, the arpeggio and the drums are played, not stamped: each hit at
    // its own weight, and a good part of the bass, arpeggio and brush laid back
    // a tick or two off the grid; nothing drifts further than that, and the pad,
    // which glides, is never held back
    Rows song = read_module_rows("possibilities.it");
    ASSERT_FALSE(song.empty());
    for (int channel : {BASS, ARP, KICK, BRUSH}) {
        std::set<int> volumes;
        int notes = 0, delayed = 0;
        for (const auto& row : song) {
            const Cell& c = row[size_t(channel)];
            if (c.note < 0 || c.note >= 120)
                continue;
            ++notes;
            volumes.insert(c.volume);
            delayed += delay_ticks(c) > 0;
        }
        ASSERT_GT(notes, 20) << "channel " << channel;
        EXPECT_GE(volumes.size(), 6u) << "channel " << channel;
        if (channel != KICK) {
            EXPECT_GE(delayed * 100 / notes, 15) << "channel " << channel << ": " << delayed << " of " << notes;
            EXPECT_LE(delayed * 100 / notes, 60) << "channel " << channel << ": " << delayed << " of " << notes;
        }
    }
    // a note held back by all but a tick or two of its row sounds that much
    // before the next row: an anticipation, as near the grid as a late note
    const int ticksPerRow = 6;
    for (const char* name : {"possibilities.it", "impossibilities.it"})
        for (const auto& row : read_module_rows(name))
            for (size_t channel = 0; channel < row.size(); ++channel) {
                int d = delay_ticks(row[channel]);
                EXPECT_LE(std::min(d, ticksPerRow - d), 2) << name << " channel " << channel;
                if (channel >= size_t(PAD) && channel < size_t(PAD + 3)) {
                    EXPECT_EQ(d, 0) << name;
                }
            }
    // the remembered tune's bell and its echo run ahead of the beat now and then
    Rows memory = read_module_rows("impossibilities.it");
    for (int channel : {LEAD, LEAD + 1}) {
        int notes = 0, early = 0;
        for (const auto& row : memory)
            if (row[size_t(channel)].note >= 0 && row[size_t(channel)].note < 120) {
                ++notes;
                early += delay_ticks(row[size_t(channel)]) >= ticksPerRow - 2;
            }
        EXPECT_GE(early * 100, notes * 15) << "channel " << channel << ": " << early << " of " << notes;
        EXPECT_LE(early * 100, notes * 50) << "channel " << channel << ": " << early << " of " << notes;
    }
}

TEST(DataMusicTest, TheDrumsLeadBackToTheTop)
{
    // the drums keep time from the first bar, so the fill of the last bar leads
    // into something rather than into silence; and the bars vary
    Rows song = read_module_rows("possibilities.it");
    ASSERT_EQ(song.size() % 16, 0u);
    const size_t bars = song.size() / 16;
    auto kick_bar = [&](size_t bar) {
        std::string hits;
        for (size_t step = 0; step < 16; ++step) {
            const Cell& c = song[bar * 16 + step][KICK];
            hits += c.note >= 0 ? char('a' + c.volume / 4) : '.';
        }
        return hits;
    };
    auto played = [&](size_t bar) {
        for (size_t step = 0; step < 16; ++step)
            if (song[bar * 16 + step][KICK].note >= 0 || song[bar * 16 + step][BRUSH].note >= 0)
                return true;
        return false;
    };
    EXPECT_TRUE(played(0));
    EXPECT_TRUE(played(bars - 1));
    std::map<std::string, int> same;
    for (size_t b = 0; b < bars; ++b)
        ++same[kick_bar(b)];
    int commonest = 0;
    for (const auto& [bar, n] : same)
        commonest = std::max(commonest, n);
    EXPECT_LE(commonest, int(bars) / 4) << "one kick bar plays " << commonest << " times";
    // the last bar is a fill: more brush strokes than the bar before it
    auto strokes = [&](size_t bar) {
        int n = 0;
        for (size_t step = 0; step < 16; ++step)
            n += song[bar * 16 + step][BRUSH].note >= 0;
        return n;
    };
    EXPECT_GT(strokes(bars - 1), strokes(bars - 2));
}

TEST(DataMusicTest, TheSecondHalfIsFullerAndTheLeadSings)
{
    for (const char* name : {"possibilities.it", "impossibilities.it"}) {
        Playback p = play_module(name);
        ASSERT_EQ(p.orderDb.size(), 8u) << name;
        // a loudness arc: the second half (orders 4-7, the B section) 2-4 dB
        // above the first
        double a = 0, b = 0;
        for (size_t o = 0; o < 4; ++o) {
            a += std::pow(10.0, p.orderDb[o] / 10) / 4;
            b += std::pow(10.0, p.orderDb[o + 4] / 10) / 4;
        }
        double arc = 10 * std::log10(b / a);
        EXPECT_GE(arc, 2.0) << name;
        EXPECT_LE(arc, 4.0) << name;
        // the long notes sing with a vibrato of about five wobbles a second, a
        // sixth of a semitone or so either way, that starts late in the note
        int singing = 0;
        for (size_t i = 0; i < p.lead.size();) {
            size_t j = i;
            if (p.lead[i].sample == 0 || p.lead[i].hz <= 0) {
                ++i;
                continue;
            }
            while (j + 1 < p.lead.size() && p.lead[j + 1].sample == p.lead[i].sample && p.lead[j + 1].hz > 0 &&
                   std::fabs(std::log2(p.lead[j + 1].hz / p.lead[i].hz)) < 1.0 / 24)
                ++j;
            double depth = 0, onset = -1, firstCross = -1, lastCross = -1;
            int crossings = 0;
            for (size_t k = i; k <= j; ++k) {
                double cents = 1200 * std::log2(p.lead[k].hz / p.lead[i].hz);
                depth = std::max(depth, std::fabs(cents));
                if (onset < 0 && std::fabs(cents) > 2)
                    onset = p.lead[k].t - p.lead[i].t;
                if (k > i && (1200 * std::log2(p.lead[k - 1].hz / p.lead[i].hz) < 0) != (cents < 0)) {
                    ++crossings;
                    lastCross = p.lead[k].t;
                    if (firstCross < 0)
                        firstCross = lastCross;
                }
            }
            if (depth > 2 && crossings > 2) {
                ++singing;
                double hz = (crossings - 1) / 2.0 / (lastCross - firstCross);
                EXPECT_GE(hz, 4.0) << name << " note at " << p.lead[i].t << " s";
                EXPECT_LE(hz, 6.5) << name << " note at " << p.lead[i].t << " s";
                EXPECT_LE(depth, 25.0) << name << " note at " << p.lead[i].t << " s";
                EXPECT_GE(onset, 0.4) << name << " note at " << p.lead[i].t << " s";
            }
            i = j + 1;
        }
        EXPECT_GE(singing, 10) << name;
    }
}

TEST(DataSoundTest, DistantWarCarriesOnSmallSpeakers)
{
    // a crack and a middle that a laptop's speakers give back, about 6 dB under
    // the music round it
    double music = module_rms("possibilities.it");
    ASSERT_GT(music, 0);
    Effect e = load_effect("war1.wav");
    ASSERT_FALSE(e.x.empty());
    double above1k = decibels(std::sqrt(share_above(e.x, e.rate, 1000)));
    EXPECT_GE(above1k, -25.0);
    EXPECT_GE(share_above(e.x, e.rate, 250), 0.12);
    // most of its energy where the crack and the roll lie, 300 Hz to 2 kHz
    EXPECT_GE(share_above(e.x, e.rate, 300) - share_above(e.x, e.rate, 2000), 0.35);
    double level = decibels(rms(e.x, 0, e.x.size()) / music);
    EXPECT_GE(level, -8.0);
    EXPECT_LE(level, -4.5);
}

TEST(DataSoundTest, TheMonsterFallsInOneMovement)
{
    // the crunch runs into the collapse: once loud, the sound does not sink
    // into a gap before its last loud moment, and nothing after the blow is
    // louder than the blow
    Effect e = load_effect("destroy.wav");
    ASSERT_FALSE(e.x.empty());
    size_t w = size_t(e.rate / 20);
    std::vector<double> level;
    for (size_t i = 0; i + w <= e.x.size(); i += w / 2)
        level.push_back(rms(e.x, i, i + w));
    double top = *std::max_element(level.begin(), level.end());
    size_t first = level.size(), last = 0;
    for (size_t k = 0; k < level.size(); ++k)
        if (level[k] >= 0.45 * top) {
            first = std::min(first, k);
            last = k;
        }
    ASSERT_LE(first, last);
    size_t gap = std::min_element(level.begin() + long(first), level.begin() + long(last) + 1) - level.begin();
    EXPECT_GE(level[gap], 0.25 * top) << "a gap at " << double(gap * w / 2) / e.rate << " s";
    double blow = rms(e.x, 0, size_t(e.rate / 5)), after = 0;
    for (size_t i = size_t(e.rate * 3 / 10); i + w <= e.x.size(); i += w / 2)
        after = std::max(after, rms(e.x, i, i + w));
    EXPECT_LE(after, blow * 1.1);
}

TEST(DataSoundTest, TheDragonRoarsAndFallsAway)
{
    // a roar with a voice above the rumble (harmonics and breath above 300 Hz),
    // whose pitch swells quickly and falls away slowly
    Effect e = load_effect("dragon.wav");
    ASSERT_FALSE(e.x.empty());
    EXPECT_GE(share_above(e.x, e.rate, 300), 0.25);
    size_t w = size_t(e.rate / 10), highest = 0;
    double best = 0;
    for (size_t i = 0; i + w <= e.x.size(); i += w) {
        double hz = pitch_hz(e.x, i, i + w, e.rate, 35, 200);
        if (hz > best) {
            best = hz;
            highest = i;
        }
    }
    EXPECT_LT(double(highest) / double(e.x.size()), 0.35) << "the pitch peaks at " << double(highest) / e.rate << " s";
}
