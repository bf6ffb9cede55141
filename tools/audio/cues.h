// The two cues a player who listens walks by: a soft footstep and the short
// sound of being held still.
#pragma once

#include "audio/sounds.h"

// footstep.wav and held.wav, at EFFECT_RATE.
std::vector<SoundEffect> listening_cues();
