// Captions of the sounds that tell something: which sound effects are playing
// now and the words that stand for each. Off unless asked for; the sounds are
// followed all the same, so captions switched on mid-sound show what is left.
#pragma once

#include <string>
#include <vector>

#include "core/settings.h"

struct SAMPLE;

// Shown while settings.captions is on.
// One caption for each of the four sound effects, by their index.
constexpr int CAPTIONED_SOUNDS = 4;

// The caption of sound effect `index` (0..3), or null.
const char* sound_caption(int index);
// Frames of the main loop that a sample lasts, rounded up; 0 for none.
int sample_frames(const SAMPLE* sample);

// A sound effect started (it sounds for `frames` frames) or was stopped.
void caption_sound_started(int index, int frames);
void caption_sound_stopped(int index);
// Once a frame, after the frame is drawn: the sounds go on by a frame.
void captions_tick();
// The captions to show now, the newest first; empty while captions are off.
std::vector<std::string> active_captions();
// Flips captions on or off; returns the new state.
bool toggle_captions();
// No sound followed (tests).
void reset_captions();
