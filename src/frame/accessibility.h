// The two accessibility modes: the self-voicing voice and calm mode. Both are off
// unless the player asks, by option, by config.ini or by key.
#pragma once

// --voice and --calm on the command line.
extern bool voiceOption;
extern bool calmOption;

// After config.ini is chosen: [accessibility] voice = 1 and calm = 1 turn the
// modes on, as do the options.
void read_accessibility_config();
// Once a frame after the input step: the V and K keys, the words for what is new
// on the screen, and the speech that plays them.
void accessibility_frame();
// At exit: stops the speech worker.
void stop_accessibility();
