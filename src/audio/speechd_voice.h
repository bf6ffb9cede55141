// The desktop's speech service, speech-dispatcher, through its client library in
// a helper process (the library may end the process it runs in): the player's
// own synthesiser, voice, rate and volume.
#pragma once

#include <string>

#include "audio/voice_settings.h"

// Connects (starting the service if the desktop does that) and applies the
// settings the player chose over the desktop's. False when it cannot be reached.
// May take a moment: called on the speech worker, never on the frame.
bool speechd_open(const VoiceSettings& settings);
// The rate and volume of an open connection, changed in play.
void speechd_set_voice(const VoiceSettings& settings);
bool speechd_is_open();
// Whether the helper ended without being asked (the library gave up on the
// service, or the service never answered): nothing more is said through it.
bool speechd_lost();
// Queues `text` after whatever is being said: the message's id, or -1.
long speechd_say(const std::string& text);
// What the service tells of each message, on the helper's listener thread:
// begun, ended, cancelled.
enum class SpeechdNews { Begun, Ended, Cancelled };
extern void (*speechdNews)(long id, SpeechdNews news);
// Stops what is being said and drops what waits.
void speechd_cancel();
// Whether words handed over have not all been spoken yet (the begin, end and
// cancel events of each message are followed).
bool speechd_busy();
void speechd_close();
