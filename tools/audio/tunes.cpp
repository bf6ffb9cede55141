// The music. A tune is a handful of lines, one per voice, bar by bar:
//
//   melody:  notes as  E5:6  (E in IT octave 5, where C5 is middle C, lasting 6
//            rows; 16 rows make a bar, 4 a beat), Ab4:4, G#4:8; a rest is r:4.
//            Bars are separated by '|' and each must add up to 16 rows.
//   chords:  one chord per bar or half bar: C:16, Am:8, Fm, G7, E (major),
//            played by a pad (three voices) and a bass.
//   arp:     a 16-step pattern of chord tones (0 root, 1 third, 2 fifth,
//            3 octave; '.' silent) and the bars it plays in.
//   drums:   16-step patterns (k kick, s brush, h shaker) named by a letter, and
//            a string with one letter per bar ('-' for none). Each hit is played
//            with its own weight (see drum_touch), the shaker's off-beats a tick
//            late.
//   arc:     every voice is a little softer through the first half of the tune
//            and fuller through the second, falling back in the last bars so the
//            loop comes home quietly (section_gain).
//
// To change a bar of a tune, edit that bar between its '|' marks below.
#include "audio/tunes.h"

#include <algorithm>
#include <cmath>
#include <map>
#include <sstream>
#include <stdexcept>
#include <string>
#include <vector>

#include "audio/synth.h"

namespace {

constexpr int ROWS_PER_BAR = 16;
constexpr int BARS_PER_PATTERN = 4;
constexpr int SAMPLE_RATE = 22050;

// ---------------------------------------------------------------- the tunes

// Main theme, C major with a turn to F minor; the last bar leads back to the first.
const char* const THEME_MELODY =
    "E5:6 D5:2 C5:4 G4:4 | D5:8 B4:4 G4:4 | C5:6 B4:2 A4:4 E5:4 | G5:8 E5:4 r:4 |"
    "A5:6 G5:2 F5:4 C5:4 | E5:6 D5:2 C5:4 E5:4 | F5:4 E5:4 D5:4 A4:4 | B4:8 D5:4 G4:4 |"
    "E5:6 D5:2 C5:4 G4:4 | D5:8 B4:4 G4:4 | C5:6 B4:2 A4:4 E5:4 | B5:8 G5:4 E5:4 |"
    "A5:6 G5:2 F5:4 A5:4 | Ab5:6 G5:2 F5:4 C5:4 | E5:6 D5:2 C5:8 | r:4 G4:4 A4:4 B4:4 |"
    "C5:4 E5:4 A5:8 | G5:4 F5:4 C5:8 | E5:4 G5:4 C6:8 | B5:4 A5:2 G5:2 D5:8 |"
    "C5:4 E5:4 A5:6 B5:2 | C6:6 A5:2 F5:8 | F5:4 E5:4 D5:4 F5:4 | E5:8 G#4:8 |"
    "A4:4 C5:4 F5:8 | E5:6 D5:2 C5:8 | D5:4 F5:4 A5:6 G5:2 | G5:8 D5:8 |"
    "A5:6 G5:2 F5:4 C5:4 | Ab5:6 G5:2 F5:4 Ab4:4 | G4:4 C5:4 E5:4 D5:4 | D5:8 B4:4 G4:4";

const char* const THEME_CHORDS =
    "C | G | Am | Em | F | C | Dm | G |"
    "C | G | Am | Em | F | Fm | C | G |"
    "Am | F | C | G | Am | F | Dm | E |"
    "F | C | Dm | G | F | Fm | C | G";

// The same melody remembered in A minor: every note moved down two steps of the
// scale (see to_minor), the quick notes left out.
const char* const MEMORY_CHORDS =
    "Am | Em | F | C | Dm | Am | G | Em |"
    "Am | Em | F | C | Dm | Dm | Am | Em |"
    "F | Dm | Am | Em | F | Dm | G | Am |"
    "Dm | Am | G | Em | Dm | Dm | Am | Em";

struct Drums {
    std::map<char, std::string> patterns;
    std::string bars;
};

// The first bars keep time softly ('I'), the verses vary their kick, fills close
// every eighth bar, and the last fill ('Z') falls away into the soft first bar,
// so the loop joins in feel as well as in samples.
const Drums THEME_DRUMS{{{'I', "k.......s......."},
                         {'i', "k.......s....hh."},
                         {'A', "k.......s......."},
                         {'a', "k.......s.....k."},
                         {'b', "k.....h.s..kh.h."},
                         {'B', "k.....h.s...h.h."},
                         {'F', "k.......s.s.s.ss"},
                         {'G', "k.....h.s.ssk.ss"},
                         {'Z', "k.......s..s.s.."}},
                        "IIIiAAaFAAAaAbAGBBbBBBbFBbBbAAaZ"};

const std::string THEME_ARP = "0.2.3.2.1.2.3.2.";
constexpr double THEME_ARC_DB = 4.0, MEMORY_ARC_DB = 4.0;  // how much fuller the second half is
constexpr int THEME_TEMPO = 88, MEMORY_TEMPO = 70;
const std::string THEME_ARP_BARS = "--------xxxxxxxxxxxxxxxxxxxxxx--";
const std::string MEMORY_ARP = "0...2...3...2...";
const std::string MEMORY_ARP_BARS = "----xxxx----xxxx----xxxx----xxxx";

// ---------------------------------------------------------------- notation

struct Note {
    int pitch;  // IT note number, -1 for a rest
    int rows;
};

int parse_pitch(const std::string& token)
{
    static const int base[] = {9, 11, 0, 2, 4, 5, 7};  // A..G
    size_t i = 0;
    char letter = token[i++];
    if (letter < 'A' || letter > 'G')
        throw std::runtime_error("bad note '" + token + "'");
    int semitone = base[letter - 'A'];
    while (i < token.size() && (token[i] == '#' || token[i] == 'b'))
        semitone += token[i++] == '#' ? 1 : -1;
    if (i >= token.size() || token[i] < '0' || token[i] > '9')
        throw std::runtime_error("note without octave '" + token + "'");
    return (token[i] - '0') * 12 + semitone;
}

std::vector<std::string> split(const std::string& s, char by)
{
    std::vector<std::string> parts;
    std::string part;
    std::istringstream in(s);
    while (std::getline(in, part, by))
        parts.push_back(part);
    return parts;
}

std::vector<std::string> words(const std::string& s)
{
    std::vector<std::string> out;
    std::istringstream in(s);
    std::string w;
    while (in >> w)
        out.push_back(w);
    return out;
}

// One list of notes per bar.
std::vector<std::vector<Note>> parse_melody(const std::string& text)
{
    std::vector<std::vector<Note>> bars;
    for (const std::string& barText : split(text, '|')) {
        std::vector<Note> bar;
        int total = 0, last = 4;
        for (const std::string& w : words(barText)) {
            size_t colon = w.find(':');
            std::string name = w.substr(0, colon);
            int rows = colon == std::string::npos ? last : std::stoi(w.substr(colon + 1));
            last = rows;
            bar.push_back({name == "r" ? -1 : parse_pitch(name), rows});
            total += rows;
        }
        if (total != ROWS_PER_BAR)
            throw std::runtime_error("bar " + std::to_string(bars.size() + 1) + " lasts " + std::to_string(total) +
                                     " rows, not 16: " + barText);
        bars.push_back(bar);
    }
    return bars;
}

struct Chord {
    int root;               // pitch class
    std::vector<int> tones; // semitones above the root
    int rows;
};

std::vector<std::vector<Chord>> parse_chords(const std::string& text)
{
    static const std::map<char, int> roots{{'C', 0}, {'D', 2}, {'E', 4}, {'F', 5}, {'G', 7}, {'A', 9}, {'B', 11}};
    std::vector<std::vector<Chord>> bars;
    for (const std::string& barText : split(text, '|')) {
        std::vector<Chord> bar;
        int total = 0;
        for (const std::string& w : words(barText)) {
            size_t colon = w.find(':');
            std::string name = w.substr(0, colon);
            int rows = colon == std::string::npos ? ROWS_PER_BAR : std::stoi(w.substr(colon + 1));
            if (!roots.count(name[0]))
                throw std::runtime_error("bad chord '" + w + "'");
            size_t i = 1;
            int root = roots.at(name[0]);
            if (i < name.size() && (name[i] == '#' || name[i] == 'b'))
                root += name[i++] == '#' ? 1 : -1;
            std::string kind = name.substr(i);
            std::vector<int> tones = kind == "m" ? std::vector<int>{0, 3, 7}
                                   : kind == "7" ? std::vector<int>{0, 4, 10}
                                   : kind == "m7" ? std::vector<int>{0, 3, 10}
                                                  : std::vector<int>{0, 4, 7};
            bar.push_back({(root + 12) % 12, tones, rows});
            total += rows;
        }
        if (total != ROWS_PER_BAR)
            throw std::runtime_error("chord bar " + std::to_string(bars.size() + 1) + " does not last 16 rows");
        bars.push_back(bar);
    }
    return bars;
}

// C major to A minor: each note two steps down the scale, accidentals dropped.
std::vector<std::vector<Note>> to_minor(std::vector<std::vector<Note>> bars)
{
    static const int scale[] = {0, 2, 4, 5, 7, 9, 11};
    for (auto& bar : bars)
        for (Note& n : bar) {
            if (n.pitch < 0)
                continue;
            int octave = n.pitch / 12, pc = n.pitch % 12, degree = 0;
            for (int d = 0; d < 7; ++d)
                if (scale[d] <= pc)
                    degree = d;
            degree -= 2;
            if (degree < 0) {
                degree += 7;
                --octave;
            }
            n.pitch = octave * 12 + scale[degree];
        }
    return bars;
}

// Leaves out notes shorter than a beat, letting the note before ring on.
std::vector<std::vector<Note>> sparser(std::vector<std::vector<Note>> bars)
{
    for (auto& bar : bars) {
        std::vector<Note> kept;
        for (const Note& n : bar) {
            if (n.rows < 4 && !kept.empty())
                kept.back().rows += n.rows;
            else
                kept.push_back(n);
        }
        bar = kept;
    }
    return bars;
}

// ---------------------------------------------------------------- arranging

struct Grid {
    int rows;
    std::vector<std::vector<ItCell>> cells;
    Grid(int rowCount, int channels) : rows(rowCount), cells(size_t(rowCount), std::vector<ItCell>(size_t(channels))) {}
    ItCell& at(int row, int channel) { return cells[size_t(row)][size_t(channel)]; }
};

void play(Grid& g, int row, int channel, int note, int instrument, int volume)
{
    if (row < 0 || row >= g.rows)
        return;
    ItCell& c = g.at(row, channel);
    c.note = note;
    c.instrument = instrument;
    c.volume = volume;
}

void fade(Grid& g, int row, int channel)  // a quick volume slide down instead of a click
{
    if (row >= 0 && row < g.rows && g.at(row, channel).note < 0)
        g.at(row, channel).volume = 95 + 9;
}

constexpr int CMD_PORTAMENTO = 'G' - 'A' + 1, CMD_VIBRATO = 'H' - 'A' + 1, CMD_OFFSET = 'O' - 'A' + 1;
constexpr int VOL_FINE_UP = 65, VOL_FINE_DOWN = 75;  // + 1..9, once a row
// The vibrato command for a tempo: a speed that gives about five wobbles a
// second (each tick moves the wave a sixty-fourth of a turn per unit of speed;
// a tempo of t has t * 2 / 5 ticks a second), at depth 2, a sixth of a semitone
// either way.
int vibrato_for(int tempo)
{
    int speed = int(std::lround(5.0 * 64.0 / (tempo * 2.0 / 5.0)));
    return std::clamp(speed, 1, 15) << 4 | 2;
}

// How hard a note is played, as a player would: the downbeat leans in, notes off
// the beat are lighter, a note above the bar's others rises, long notes are
// held out and the end of each two-bar phrase falls away. A small fixed
// unevenness keeps repeated notes from sounding stamped.
int touch(int base, const std::vector<Note>& bar, size_t barIndex, size_t noteIndex, int rowInBar)
{
    const Note& n = bar[noteIndex];
    int sum = 0, count = 0;
    for (const Note& o : bar)
        if (o.pitch >= 0) {
            sum += o.pitch;
            ++count;
        }
    double f = 1.0;
    f += rowInBar == 0 ? 0.1 : rowInBar == 8 ? 0.04 : rowInBar % 4 ? -0.1 : 0.0;
    f += n.rows >= 8 ? 0.05 : n.rows <= 2 ? -0.12 : 0.0;
    if (count > 0)
        f += std::clamp((n.pitch - double(sum) / count) * 0.012, -0.07, 0.07);
    bool lastOfPhrase = barIndex % 2 == 1 && noteIndex + 1 == bar.size();
    if (lastOfPhrase)
        f -= 0.12;
    uint32_t h = uint32_t(barIndex * 7919 + noteIndex * 104729 + uint32_t(n.pitch) * 31);
    f += (int((h >> 3) % 7) - 3) * 0.012;
    return std::clamp(int(std::lround(base * f)), 1, 64);
}

// The loudness arc over the tune, in decibels: the first half `depth` dB under
// the second, rising over the two bars before the middle and falling back over
// the last two bars, so the loop comes home to where it began.
double section_gain(size_t bar, size_t bars, double depth)
{
    const size_t half = bars / 2;
    double db = bar + 2 < half ? -0.6 : bar + 2 == half ? -0.35 : bar + 1 == half ? -0.1
              : bar + 2 < bars ? 0.4 : bar + 2 == bars ? 0.15 : -0.1;
    return std::pow(10.0, db * depth / 20.0);
}

// A small fixed unevenness, -1..1, for the note at a row of a channel.
double wobble(int row, int channel)
{
    uint32_t h = uint32_t(row) * 2654435761u ^ uint32_t(channel + 1) * 40503u;
    h ^= h >> 13;
    h *= 0x5bd1e995u;
    h ^= h >> 15;
    return int(h % 1001) / 500.0 - 1.0;
}

constexpr int CMD_SPECIAL = 'S' - 'A' + 1;  // S with 0xD0 + ticks: the note waits that many ticks
constexpr int SPEED = 6;                     // ticks a row, in both tunes

void delay_note(Grid& g, int row, int channel, int ticks)
{
    if (row >= 0 && row < g.rows && ticks > 0 && g.at(row, channel).command == 0) {
        g.at(row, channel).command = CMD_SPECIAL;
        g.at(row, channel).parameter = 0xD0 + ticks;
    }
}

// The notes of a voice with their touch; notes of eight rows or more get a
// vibrato late in the note, once they have sounded for half their length (a
// player lets the tone settle before it sings). Now and then a note off the
// beat is laid back by a tick. With `early`, about one note in three comes a
// tick or two before its row instead: it is written on the row before, held
// back by all but those ticks.
void place_melody(Grid& g, const std::vector<std::vector<Note>>& bars, int channel, int instrument, int volume,
                  int delay, double arc, int tempo, int transpose = 0, bool early = false)
{
    int row = delay;
    for (size_t b = 0; b < bars.size(); ++b) {
        int rowInBar = 0;
        for (size_t k = 0; k < bars[b].size(); ++k) {
            const Note& n = bars[b][k];
            if (n.pitch < 0) {
                fade(g, row, channel);
            } else {
                int v = touch(volume, bars[b], b, k, rowInBar);
                v = std::clamp(int(std::lround(v * section_gain(b, bars.size(), arc))), 1, 64);
                double w = wobble(row, channel);
                bool before = early && row > 0 && row <= g.rows && g.at(row - 1, channel).note < 0 && w < -0.33 &&
                              (g.at(row - 1, channel).command == 0 || g.at(row - 1, channel).command == CMD_VIBRATO);
                if (before) {
                    play(g, row - 1, channel, n.pitch + transpose, instrument, v);
                    g.at(row - 1, channel).command = CMD_SPECIAL;
                    g.at(row - 1, channel).parameter = 0xD0 + (SPEED - (w < -0.66 ? 2 : 1));
                } else {
                    play(g, row, channel, n.pitch + transpose, instrument, v);
                    if (rowInBar % 4 != 0 && w > 0.3)
                        delay_note(g, row, channel, 1);
                }
                // about five wobbles a second, a sixth of a semitone either way
                for (int r = row + n.rows / 2; n.rows >= 8 && r < row + n.rows && r < g.rows; ++r) {
                    g.at(r, channel).command = CMD_VIBRATO;
                    g.at(r, channel).parameter = r == row + n.rows / 2 ? vibrato_for(tempo) : 0x00;
                }
            }
            row += n.rows;
            rowInBar += n.rows;
        }
    }
}

// Only the notes of a beat or longer, the others left silent.
std::vector<std::vector<Note>> long_notes(std::vector<std::vector<Note>> bars, int minRows)
{
    for (auto& bar : bars)
        for (Note& n : bar)
            if (n.rows < minRows)
                n.pitch = -1;
    return bars;
}

int fit(int pitchClass, int low)  // the pitch of that class in [low, low + 12)
{
    return low + ((pitchClass - low) % 12 + 12) % 12;
}

// The pad's three voices start once, at the top of the tune, and then glide from
// chord to chord (tone portamento) without striking again; their level breathes
// a little from chord to chord with one-step slides, and sinks in the last bar
// to the level it starts at, so the loop joins without a seam. padStart skips
// the swell baked into the pad's sample.
void place_pad(Grid& g, const std::vector<std::vector<Chord>>& bars, int padChannel, int padInstrument,
               int padVolume, int padStart, double arc)
{
    const int low = padVolume / 3;
    std::vector<int> wanted(size_t(g.rows), padVolume);
    int row = 0, k = 0;
    for (size_t b = 0; b < bars.size(); ++b)
        for (const Chord& ch : bars[b]) {
            for (int r = row; r < row + ch.rows; ++r)
                wanted[size_t(r)] = int(std::lround((padVolume + (k * 5) % 7 - 3) * section_gain(b, bars.size(), arc)));
            for (size_t v = 0; v < 3 && v < ch.tones.size(); ++v) {
                int channel = padChannel + int(v), pitch = fit(ch.root + ch.tones[v], 55);
                if (row == 0) {
                    play(g, 0, channel, pitch, padInstrument, low);
                    g.at(0, channel).command = CMD_OFFSET;
                    g.at(0, channel).parameter = std::min(255, padStart / 256);
                    continue;
                }
                g.at(row, channel).note = pitch;
                for (int r = row; r < row + 3 && r < g.rows; ++r) {
                    g.at(r, channel).command = CMD_PORTAMENTO;
                    g.at(r, channel).parameter = r == row ? 0x08 : 0x00;
                }
            }
            row += ch.rows;
            ++k;
        }
    for (int r = g.rows - ROWS_PER_BAR; r < g.rows; ++r)
        wanted[size_t(r)] = low;
    for (int channel = padChannel; channel < padChannel + 3; ++channel) {
        int level = low;
        for (int r = 1; r < g.rows; ++r) {
            int step = std::clamp(wanted[size_t(r)] - level, -2, 2);
            if (step != 0 && g.at(r, channel).volume < 0) {
                g.at(r, channel).volume = step > 0 ? VOL_FINE_UP + step : VOL_FINE_DOWN - step;
                level += step;
            }
        }
    }
}

// The bass: the root on the bar, the fifth on the third beat, each with its own
// weight; the fifth is often laid back a tick, as a player leans on the beat.
void place_chords(Grid& g, const std::vector<std::vector<Chord>>& bars, int padChannel, int padInstrument,
                  int padVolume, int padStart, int bassChannel, int bassInstrument, int bassVolume, double arc)
{
    place_pad(g, bars, padChannel, padInstrument, padVolume, padStart, arc);
    int row = 0;
    for (size_t b = 0; b < bars.size(); ++b) {
        const double gain = section_gain(b, bars.size(), arc);
        for (const Chord& ch : bars[b]) {
            int root = fit(ch.root, 40);
            int v = int(std::lround(bassVolume * gain * (1.0 + 0.06 * wobble(row, bassChannel))));
            play(g, row, bassChannel, root, bassInstrument, std::clamp(v, 1, 64));
            if (ch.rows == ROWS_PER_BAR) {  // the fifth on the third beat
                int f = int(std::lround(bassVolume * gain * (0.74 + 0.08 * wobble(row + 8, bassChannel))));
                play(g, row + 8, bassChannel, fit(ch.root + 7, 40), bassInstrument, std::clamp(f, 1, 64));
                if (wobble(row + 8, bassChannel + 7) > -0.3)
                    delay_note(g, row + 8, bassChannel, 1);
            }
            row += ch.rows;
        }
    }
}

// The arpeggio leans on the beat and lightens between, and its off-beat notes
// swing a tick late.
void place_arp(Grid& g, const std::vector<std::vector<Chord>>& bars, const std::string& pattern,
               const std::string& barMask, int channel, int instrument, int volume, double arc)
{
    for (size_t b = 0; b < bars.size(); ++b) {
        if (b >= barMask.size() || barMask[b] != 'x')
            continue;
        const double gain = section_gain(b, bars.size(), arc);
        int row = int(b) * ROWS_PER_BAR;
        for (const Chord& ch : bars[b]) {
            for (int step = 0; step < ch.rows; ++step) {
                char c = pattern[size_t(row % ROWS_PER_BAR + step) % pattern.size()];
                if (c < '0' || c > '3')
                    continue;
                int k = c - '0';
                int pitch = k == 3 ? fit(ch.root, 60) + 12 : fit(ch.root + ch.tones[size_t(k)], 60);
                int at = row + step, inBar = at % ROWS_PER_BAR;
                double weight = inBar == 0 ? 1.15 : inBar % 4 == 0 ? 1.0 : 0.82;
                int v = int(std::lround(volume * gain * weight * (1.0 + 0.07 * wobble(at, channel))));
                play(g, at, channel, pitch, instrument, std::clamp(v, 1, 64));
                if (inBar % 4 == 2)
                    delay_note(g, at, channel, 1);
            }
            row += ch.rows;
        }
    }
}

// Each hit with its own weight: the kick leans on the bar, the brush on the
// backbeat; the strokes of a fill grow towards its end, except the last fill,
// which falls away into the soft first bar; the first bars keep time softly.
// The shaker's off-beats and the fills' in-between strokes come a tick late.
void place_drums(Grid& g, const Drums& drums, int kickChannel, int otherChannel, int kick, int brush, int shaker,
                 int volume, double arc)
{
    const size_t bars = drums.bars.size();
    for (size_t b = 0; b < bars; ++b) {
        char name = drums.bars[b];
        auto found = drums.patterns.find(name);
        if (found == drums.patterns.end())
            continue;
        double gain = section_gain(b, bars, arc) * (name == 'I' || name == 'i' ? 0.7 : 1.0);
        for (int step = 0; step < ROWS_PER_BAR; ++step) {
            int row = int(b) * ROWS_PER_BAR + step;
            double w = 1.0 + 0.08 * wobble(row, kickChannel);
            double fill = name == 'Z' ? 1.0 - 0.05 * (step - 8) : name == 'F' || name == 'G' ? 0.8 + 0.04 * (step - 8) : 1.0;
            auto v = [&](double f) { return std::clamp(int(std::lround(volume * gain * f * w)), 1, 64); };
            switch (found->second[size_t(step)]) {
            case 'k':
                play(g, row, kickChannel, 60, kick, v(step == 0 ? 1.0 : step == 8 ? 0.85 : 0.7));
                break;
            case 's':
                play(g, row, otherChannel, 60, brush, v(step == 8 ? 0.75 : 0.5 * fill));
                if (step != 8 && step % 2 == 1)
                    delay_note(g, row, otherChannel, 1);
                break;
            case 'h':
                play(g, row, otherChannel, 60, shaker, v(step % 4 == 0 ? 0.55 : 0.42));
                if (step % 4 == 2)
                    delay_note(g, row, otherChannel, 1);
                break;
            default: break;
            }
        }
    }
}

ItModule finish(const std::string& name, int tempo, int mixVolume, Grid& g, int controlChannel, std::vector<int> pans)
{
    // speed and tempo on the first row, and a jump back to the start on the last
    g.at(0, controlChannel).command = 'A' - 'A' + 1;
    g.at(0, controlChannel).parameter = SPEED;
    g.at(1, controlChannel).command = 'T' - 'A' + 1;
    g.at(1, controlChannel).parameter = tempo;
    g.at(g.rows - 1, controlChannel).command = 'B' - 'A' + 1;
    g.at(g.rows - 1, controlChannel).parameter = 0;

    ItModule m;
    m.name = name;
    m.speed = SPEED;
    m.tempo = tempo;
    m.mixVolume = mixVolume;
    m.channelPan = std::move(pans);
    const int patternRows = ROWS_PER_BAR * BARS_PER_PATTERN;
    for (int start = 0; start < g.rows; start += patternRows) {
        ItPattern p;
        p.rows = patternRows;
        p.cells.assign(g.cells.begin() + start, g.cells.begin() + start + patternRows);
        m.orders.push_back(int(m.patterns.size()));
        m.patterns.push_back(std::move(p));
    }
    return m;
}

// Channels of both modules.
enum Channel { Lead, Echo, Pad, Pad2, Pad3, Bass, Arp, Kick, Brush, Control, ChannelCount };

}  // namespace

ItModule possibilities_module()
{
    auto melody = parse_melody(THEME_MELODY);
    auto chords = parse_chords(THEME_CHORDS);
    if (melody.size() != chords.size() || melody.size() % BARS_PER_PATTERN != 0)
        throw std::runtime_error("the theme's voices differ in length");
    Grid g(int(melody.size()) * ROWS_PER_BAR, ChannelCount);
    enum { LeadI = 1, PadI, BassI, PluckI, KickI, BrushI, ShakerI };
    int rate = SAMPLE_RATE;
    ItSample pad = warm_pad(rate);
    const double arc = THEME_ARC_DB;
    place_melody(g, melody, Lead, LeadI, 44, 0, arc, THEME_TEMPO);
    place_melody(g, melody, Echo, PluckI, 14, 3, arc, THEME_TEMPO);
    place_chords(g, chords, Pad, PadI, 20, int(pad.loopBegin), Bass, BassI, 40, arc);
    place_arp(g, chords, THEME_ARP, THEME_ARP_BARS, Arp, PluckI, 22, arc);
    place_drums(g, THEME_DRUMS, Kick, Brush, KickI, BrushI, ShakerI, 36, arc);
    // spread a little wider than the remembered tune: the lead and its echo
    // apart, the pad's outer voices and the arpeggio out towards the sides
    ItModule m = finish("Possibilities", THEME_TEMPO, 53, g, Control, {27, 51, 12, 32, 52, 32, 48, 32, 20, 32});
    m.samples = {soft_lead(rate), pad, round_bass(rate), pluck(rate),
                 soft_kick(rate), brush(rate),    shaker(rate)};
    return m;
}

ItModule impossibilities_module()
{
    auto melody = sparser(to_minor(parse_melody(THEME_MELODY)));
    auto chords = parse_chords(MEMORY_CHORDS);
    if (melody.size() != chords.size() || melody.size() % BARS_PER_PATTERN != 0)
        throw std::runtime_error("the remembered tune's voices differ in length");
    Grid g(int(melody.size()) * ROWS_PER_BAR, ChannelCount);
    enum { BellI = 1, PadI, BassI, PluckI };
    int rate = SAMPLE_RATE;
    ItSample pad = warm_pad(rate);
    // far away: the bell, its repeats thrown to one side and then the other, and
    // a faint shimmer two octaves above the long notes (on the drum channels,
    // which this tune leaves silent)
    const double arc = MEMORY_ARC_DB;
    // the lead and its echo now and then a tick or two ahead of the beat, as a
    // memory runs ahead of itself
    place_melody(g, melody, Lead, BellI, 38, 0, arc, MEMORY_TEMPO, 0, true);
    place_melody(g, melody, Echo, BellI, 17, 6, arc, MEMORY_TEMPO, 0, true);
    place_melody(g, melody, Brush, BellI, 9, 12, arc, MEMORY_TEMPO);
    place_melody(g, long_notes(melody, 8), Kick, BellI, 5, 2, arc, MEMORY_TEMPO, 24);
    place_chords(g, chords, Pad, PadI, 22, int(pad.loopBegin), Bass, BassI, 30, arc);
    place_arp(g, chords, MEMORY_ARP, MEMORY_ARP_BARS, Arp, PluckI, 14, arc);
    ItModule m = finish("Impossibilities", MEMORY_TEMPO, 36, g, Control, {24, 58, 14, 32, 50, 32, 40, 44, 6, 32});
    m.samples = {glass_bell(rate), pad, round_bass(rate), pluck(rate)};
    return m;
}

double loop_seconds(const ItModule& module)
{
    int rows = 0;
    for (int o : module.orders)
        rows += module.patterns[size_t(o)].rows;
    return rows * module.speed * 2.5 / module.tempo;
}
