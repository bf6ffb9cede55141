// The two accessibility modes: the self-voicing voice and calm mode. Both are off
// unless the player asks, by option, by config.ini or by key, or the desktop
// runs a screen reader, which starts the game with the voice on.
#pragma once

// --voice and --calm on the command line.
extern bool voiceOption;
extern bool calmOption;
// --trace: each line handed to speech is printed as "say: ...".
extern bool traceSpeech;

// After config.ini is chosen: [accessibility] voice = 1 and calm = 1 turn the
// modes on, as do the options; voice_rate, voice_name and voice_volume set the
// voice. Unless voice = 0 is written there, asks the desktop whether a screen
// reader runs.
void read_accessibility_config();
// Once a frame after the input step: the V and K keys, the words for what is new
// on the screen, the screen reader's answer, and the speech that plays them.
void accessibility_frame();
// At exit: stops the speech worker.
void stop_accessibility();
