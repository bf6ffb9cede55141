// Self-voicing: what the game says aloud. This module decides the words and keeps
// them in a queue (audio/speech_queue.h); the speech module turns it into sound.
// Nothing here needs a sound card, so the words can be checked on their own.
#pragma once

#include <deque>
#include <string>
#include <vector>

#include "audio/speech_queue.h"
#include "core/game_state.h"

extern bool voiceEnabled;

constexpr const char* WAY_UP_LINE = "A way up. Hold Up to take it.";
constexpr const char* WAY_DOWN_LINE = "A way down. Hold Down to take it.";
constexpr const char* PAGE_ON_LINE = "Press Space to go on";

// One line a room, saying what is seen there; null for an empty slot.
const char* room_line(int room);

// The utterances for a full-screen page, in order: the title, the continue prompt,
// a dialogue page (its lines as one sentence, then the way on), the end page, or
// the error page of an unknown code. `endingsCount` picks code 2's words and the
// count line.
std::vector<std::string> page_utterances(EventCode code, int endingsCount);

// Once a frame after the input step: switches the voice with V (any screen) and
// calm mode with K (title page), and queues the words for a new page, a room just
// entered and a way up or down just reached.
void narration_frame();

// Empties the queue and stops what is being said.
void narration_cancel();
// Forgets everything said and the keys' previous states (tests, start-up).
void reset_narration();
