// The four sound effects and the sound events (negative event codes).
#pragma once

#include <cstddef>
#include <string>

#include "core/game_state.h"

struct SAMPLE;

constexpr int SOUND_EFFECT_COUNT = 4;
extern SAMPLE* soundEffects[SOUND_EFFECT_COUNT];

// Loads destroy, dragon, war1 and war2 in that order; a missing file leaves its
// slot empty and is named once on stderr.
void load_sound_effects();
// One WAV file, read once without blocking and decoded from those bytes; null
// with the reason in `problem` when it is missing, unreadable, not a WAV, has
// no frames, or has a rate outside SOUND_MIN_RATE..SOUND_MAX_RATE.
SAMPLE* load_checked_sample(const char* path, std::string& problem);
constexpr int SOUND_MIN_RATE = 1000;
constexpr int SOUND_MAX_RATE = 192000;
constexpr size_t SOUND_MAX_BYTES = 64u << 20;
void play_sound(int index);
void stop_sound(int index);
void sound_event(EventCode code);
// Stops every sound effect where it stands (the pause), or lets them play on.
void hold_sound_effects(bool hold);
