// The four sound effects, made by synthesis.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

constexpr int EFFECT_RATE = 22050;

struct SoundEffect {
    std::string file;  // name under data/sound/
    std::vector<int16_t> pcm;
};

std::vector<SoundEffect> sound_effects();
