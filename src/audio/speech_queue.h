// What is handed to the voice (which speaks while settings.voice is on): the words waiting to be spoken,
// and the count that tells it to drop what it is saying. The narration fills
// them; the speech module takes them once a frame.
#pragma once

#include <deque>
#include <string>
#include <vector>

#include "core/settings.h"

// Words that wait to be spoken, oldest first; the speech module takes them.
extern std::deque<std::string> speechQueue;
// Raised whenever what is being said must stop at once (a page is turned, a room
// is left, the voice is switched). The speech module drops whatever it had.
extern int speechGeneration;

// The places in speechQueue of words that go ahead of the words handed over in
// earlier frames (speak_first); the speech module empties it as it takes them.
extern std::vector<size_t> speechAheadAt;
// Raised when words waiting, not yet begun, are to be dropped while the one being
// said finishes its sentence (speech_drop_waiting).
extern int speechDropGeneration;

// Queues words to be spoken after what is already waiting.
void speak(const std::string& text);
// Queues words to be spoken as soon as what is being said ends, before what
// waits from earlier frames (after what this frame has queued already).
void speak_first(const std::string& text);
// Drops what waits to be said; what is being said is heard to its end.
void speech_drop_waiting();
// Empties the queue and stops what is being said.
void speech_cancel();
