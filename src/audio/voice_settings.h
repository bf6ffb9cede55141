// How the voice should sound: the readers and converters of the player's voice
// settings, where they differ from what the desktop's speech settings give.
#pragma once

#include "core/settings.h"

// The player's choice is settings.speech (VoiceSettings, in core/settings.h).

// config.ini's [accessibility] voice_rate: words a minute (80 to 450), or
// "desktop"; anything else is the desktop's. Returns 0 for the desktop's.
int parse_voice_rate(const char* value);
// voice_volume: 0 to 100, or "desktop" (-1); anything else is the desktop's.
int parse_voice_volume(const char* value);

// eSpeak NG reads 80 words a minute as speech-dispatcher's rate -100, 170 as 0
// and 449 as 100; in between the scale is linear on each side.
int speechd_rate_of(int wordsPerMinute);
// 0..100 to speech-dispatcher's -100..100.
int speechd_volume_of(int volume);
