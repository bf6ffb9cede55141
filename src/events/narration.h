// Self-voicing: what the game says aloud. This module decides the words and keeps
// them in a queue (audio/speech_queue.h); the speech module turns it into sound.
// Nothing here needs a sound card, so the words can be checked on their own.
#pragma once

#include <string>
#include <vector>

#include "audio/speech_queue.h"
#include "core/game_state.h"

constexpr const char* WAY_UP_LINE = "A way up. Up to take it, Right to walk on.";
constexpr const char* WAY_DOWN_LINE = "A way down. Down to take it, Right to walk on.";
constexpr const char* PASSED_UP_LINE = "You passed the way up.";
constexpr const char* PASSED_DOWN_LINE = "You passed the way down.";
constexpr const char* PAGE_ON_LINE = "Press Space to go on";
constexpr const char* PAGE_BACK_LINE = "Press Space to come back";

// One line a room, saying what is seen there; null for an empty slot.
const char* room_line(int room);
// What is said on entering a room: first the ways up and down that lie ahead,
// then what is seen, then any way that lies in an ending's shadow.
std::string room_words(int room, const bool* endingsFound);
// The same, one sentence an utterance. A room already heard in this run gives
// its ways, the first sentence of what is seen and its shadow.
std::vector<std::string> room_sentences(int room, const bool* endingsFound, bool heardBefore);
// "The path ends: three paths out of eight found. ..." for the count after it.
// After the last ending, the next page is "The End", which only Escape leaves.
std::string path_end_words(int endingsCount, bool lastEnding = false);

// The utterances for a full-screen page, in order: the title, the continue prompt,
// a dialogue page (its lines as one sentence, then the way on), the end page, or
// the error page of an unknown code. `endingsCount` picks code 2's words and the
// count line.
std::vector<std::string> page_utterances(EventCode code, int endingsCount);

// Once a frame after the input step: switches the voice with V or the pad's
// voice button (any screen), repeats with Tab or the pad's repeat button, calm
// mode with K (title page and continue prompt), shows what a switch did at the
// foot of the screen for a second, and queues the words for a new page, a room
// just entered, a way reached or passed, and an ending.
void narration_frame();

// Switches the voice on or off as V does: says so, and on, reads the screen.
void narration_switch_voice();
// With the voice on: stops what is being said and says `text` instead.
void narration_announce(const std::string& text);
// With the voice on: stops what is being said and says what is on the screen.
void narration_describe_screen();
// Empties the queue and stops what is being said.
void narration_cancel();
// Forgets everything said and the keys' previous states (tests, start-up).
void reset_narration();
