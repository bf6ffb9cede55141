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

// A mono 16-bit WAV stream as espeak-ng writes it (its data length may be left
// unknown): the sample rate and the samples. False when it is not one.
bool read_wav(const std::string& bytes, int& rate, std::vector<int16_t>& pcm);

enum class EspeakOutcome { Spoken, Abandoned, Missing, Failed };

// Runs espeak-ng for `text` and waits for its sound. `stale` is asked every few
// milliseconds; when it turns true the program is stopped and Abandoned returned.
// Missing when the program is not installed.
EspeakOutcome espeak_synthesise(const std::string& text, const VoiceSettings& settings,
                                const std::function<bool()>& stale, int& rate, std::vector<int16_t>& pcm);
