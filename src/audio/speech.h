// The voice. Narration queues the words; a worker thread hands them to the
// desktop's speech service (speech-dispatcher) or, where that cannot be reached,
// has the espeak-ng program turn them into sound, which the frame then plays
// through the game's mixer. The music is lowered while anything is spoken. The
// frame never waits for either.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "audio/speech_queue.h"

enum class SpeechRoute { Undecided, SpeechDispatcher, EspeakProgram, Silent };
// Where the words go, once the worker has chosen on the first words.
SpeechRoute speech_route();

// Starts the worker thread; the espeak-ng fallback comes out at `outputRate`
// samples a second (the mixer's), or not at all for 0 (no sound device). Safe to
// call again.
void speech_start(int outputRate);
// Once a frame on the main thread: hands new words to the worker, stops what a
// cancel made stale, plays what is ready, and lowers or restores the music.
void speech_service();
// Whether anything handed over is still to be heard.
bool speech_playing();
// Stops the worker and closes the speech service (at exit; tests).
void speech_shutdown();
// What the voice did with each utterance, for --trace: it began (after waiting
// `seconds` from being handed over), ended after `seconds` of speech, or was cut
// after `seconds` of speech.
struct VoiceNews {
    enum Kind { Begins, Ends, Cut } kind;
    std::string text;
    double seconds;
};
// The news since the last call, oldest first.
std::vector<VoiceNews> take_voice_news();

// Tests: never try speech-dispatcher; go straight to the espeak-ng program.
extern bool speechDispatcherAllowed;

// The espeak-ng program's sound made louder to stand clear of the music: a gain,
// with the loudest vowels bent smoothly under full scale instead of clipping.
constexpr double SPEECH_GAIN = 2.0;
constexpr double SPEECH_KNEE = 0.5;     // below this fraction of full scale, only the gain
constexpr double SPEECH_CEILING = 0.97;  // nothing goes above this
std::vector<int16_t> lift_speech(const std::vector<int16_t>& pcm);

// Linear resampling of mono 16-bit sound from one rate to another.
std::vector<int16_t> resample(const std::vector<int16_t>& in, int fromRate, int toRate);
