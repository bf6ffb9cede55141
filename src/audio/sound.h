// The four sound effects and the sound events (negative event codes).
#pragma once

#include "core/game_state.h"

struct SAMPLE;

constexpr int SOUND_EFFECT_COUNT = 4;
extern SAMPLE* soundEffects[SOUND_EFFECT_COUNT];

// Loads destroy, dragon, war1 and war2 in that order; a missing file leaves its
// slot empty and is named once on stderr.
void load_sound_effects();
void play_sound(int index);
void stop_sound(int index);
void sound_event(EventCode code);
// Stops every sound effect where it stands (the pause), or lets them play on.
void hold_sound_effects(bool hold);
