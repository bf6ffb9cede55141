// The voice: eSpeak NG turns the words that narration queues into samples on a
// worker thread, and the frame plays them one after another through the audio
// seam, with the music lowered while it speaks. The frame never waits for eSpeak.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

// Starts the worker thread, which opens eSpeak NG; speech comes out at
// `outputRate` samples a second (the mixer's). Safe to call again.
void speech_start(int outputRate);
// Once a frame on the main thread: hands new words to the worker, stops what a
// cancel made stale, plays what is ready, and lowers or restores the music.
void speech_service();
// Whether a spoken sample is playing now.
bool speech_playing();
// Stops the worker (at exit; tests).
void speech_shutdown();

// Opens eSpeak NG on the calling thread if it is not open yet; false (and one
// line on stderr) when it cannot be. The worker does this itself.
bool speech_engine_open();
// Synthesises `text` at once, on the calling thread, as mono 16-bit samples at
// `outputRate`; empty when eSpeak is not open. Not to be called while the worker
// runs (tests and benchmarks).
std::vector<int16_t> synthesise_speech(const std::string& text, int outputRate);

// Linear resampling of mono 16-bit sound from one rate to another.
std::vector<int16_t> resample(const std::vector<int16_t>& in, int fromRate, int toRate);
