// With the voice on, the walk can be heard: a footstep every few steps, and a
// cue while the walker is held still with Right pressed.
#pragma once

constexpr int FOOTSTEP_PERIOD = 20;     // frames between footsteps while walking
constexpr int HELD_STILL_PERIOD = 45;   // frames between cues while held

// Once a frame after the input step.
void listening_cues_frame();
void reset_listening_cues();
