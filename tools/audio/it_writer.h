// Writes Impulse Tracker modules in sample mode: the samples are played
// directly by the pattern's instrument column, with their envelopes baked in.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

struct ItSample {
    std::string name;
    std::vector<int16_t> pcm;  // mono, signed 16-bit
    uint32_t c5Speed = 22050;  // playback rate of note C-5
    bool loop = false;
    uint32_t loopBegin = 0, loopEnd = 0;  // frames; loopEnd is exclusive
    uint8_t volume = 64;
};

constexpr int IT_NOTE_CUT = 254;
constexpr int IT_NOTE_OFF = 255;

struct ItCell {
    int note = -1;        // 0..119, IT_NOTE_CUT, IT_NOTE_OFF; -1 none
    int instrument = 0;   // 1-based sample number; 0 none
    int volume = -1;      // volume column byte; -1 none
    int command = 0;      // 1 = A ... 26 = Z; 0 none
    int parameter = 0;

    bool empty() const { return note < 0 && instrument == 0 && volume < 0 && command == 0; }
};

struct ItPattern {
    int rows = 64;
    std::vector<std::vector<ItCell>> cells;  // [row][channel]
};

struct ItModule {
    std::string name;
    int speed = 6;
    int tempo = 125;
    int globalVolume = 128;
    int mixVolume = 48;
    int separation = 128;
    std::vector<int> channelPan;  // 0..64 per used channel
    std::vector<ItSample> samples;
    std::vector<ItPattern> patterns;
    std::vector<int> orders;  // pattern numbers; the end marker is added
};

std::vector<uint8_t> encode_it(const ItModule& module);
bool write_it(const std::string& path, const ItModule& module);
