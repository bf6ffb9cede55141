// PLACEHOLDER: filled by the audio work.
#include "audio/sound.h"
SAMPLE* soundEffects[SOUND_EFFECT_COUNT] = {};
void load_sound_effects() {}
void play_sound(int index) {}
void stop_sound(int index) {}
void sound_event(EventCode code) {}
