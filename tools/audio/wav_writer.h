// Writes mono 16-bit PCM WAV files.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

bool write_wav(const std::string& path, const std::vector<int16_t>& samples, int sampleRate);
