// The two accessibility modes: the self-voicing voice and calm mode. Both are off
// unless the player asks, by option, by config.ini or by key, or the desktop
// runs a screen reader, which starts the game with the voice on.
#pragma once

#include "render/render_context.h"

// --voice, --calm and --captions on the command line.
extern bool voiceOption;
extern bool calmOption;
extern bool captionsOption;
// --trace: each line handed to speech is printed as "say: ...".
extern bool traceSpeech;

// After config.ini is chosen: [accessibility] voice = 1, calm = 1 and captions = 1
// turn the modes on, as do the options; voice_rate, voice_name and voice_volume set
// the voice; [controls] and [keys] are read too. Unless voice = 0 is written there,
// asks the desktop whether a screen reader runs.
void read_accessibility_config();
// Once a frame after the input step (and in every paused frame): the V, K, Tab and
// captions keys, the words for what is new on the screen, the screen reader's
// answer, and the speech that plays them.
void accessibility_frame();
// Over every finished frame: the captions of the sounds playing and the notice of
// a key just pressed, at the foot of the screen.
void draw_accessibility_overlay(RenderContext& context);
// At exit: stops the speech worker.
void stop_accessibility();
