// The fallback voice: the espeak-ng program, run as a process of its own for each
// utterance, writing a WAV stream that the game plays through its own mixer.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "audio/voice_settings.h"

constexpr int ESPEAK_DEFAULT_RATE = 175;  // words a minute when the player set none
constexpr int ESPEAK_DEFAULT_AMPLITUDE = 100;

// The command line for `settings`: the text itself goes on stdin.
std::vector<std::string> espeak_arguments(const VoiceSettings& settings);

// What the program's sound may be for one line: its rate, its length, its size
// and how long the program may take to write it.
constexpr int ESPEAK_MIN_RATE = 8000;
constexpr int ESPEAK_MAX_RATE = 96000;
constexpr int ESPEAK_LONGEST_LINE_SECONDS = 120;
constexpr size_t ESPEAK_MAX_BYTES = size_t(ESPEAK_MAX_RATE) * 2 * ESPEAK_LONGEST_LINE_SECONDS + 65536;
constexpr int ESPEAK_MAX_RUN_MS = 30000;

// A mono 16-bit WAV stream as espeak-ng writes it (its data length may be left
// unknown): the sample rate and the samples. False when it is not one, or its
// rate or length is beyond the bounds above.
bool read_wav(const std::string& bytes, int& rate, std::vector<int16_t>& pcm);

enum class EspeakOutcome { Spoken, Abandoned, Missing, Failed, Refused };

// Runs espeak-ng for `text` and waits for its sound. `stale` is asked every few
// milliseconds; when it turns true the program is stopped and Abandoned returned.
// Missing when the program is not installed; Failed when it wrote nothing;
// Refused, with the reason in `why`, when what it wrote is beyond the bounds.
EspeakOutcome espeak_synthesise(const std::string& text, const VoiceSettings& settings,
                                const std::function<bool()>& stale, int& rate, std::vector<int16_t>& pcm,
                                std::string* why = nullptr);
