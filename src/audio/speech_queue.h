// What is handed to the voice (which speaks while settings.voice is on): the words waiting to be spoken,
// and the count that tells it to drop what it is saying. The narration fills
// them; the speech module takes them once a frame.
#pragma once

#include <deque>
#include <string>

#include "core/settings.h"

// Words that wait to be spoken, oldest first; the speech module takes them.
extern std::deque<std::string> speechQueue;
// Raised whenever what is being said must stop at once (a page is turned, a room
// is left, the voice is switched). The speech module drops whatever it had.
extern int speechGeneration;

// Queues words to be spoken after what is already waiting.
void speak(const std::string& text);
// Empties the queue and stops what is being said.
void speech_cancel();
