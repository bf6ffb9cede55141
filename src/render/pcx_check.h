// Whether Allegro's load_pcx reads a PCX file correctly. It trusts the header:
// sides of 65536 overflow its buffer, a width beyond the bytes of a line leaves
// pixels unset, and a cut-off file is filled with whatever it finds. The check
// decodes the file the way load_pcx does and refuses what it would misread.
#pragma once

#include <cstddef>
#include <string>

// The longest side accepted, in pixels.
constexpr int PCX_MAX_SIDE = 4096;
// The largest file that can hold such a picture: stored without runs, with its palette.
constexpr size_t PCX_MAX_FILE_BYTES = 128 + size_t(PCX_MAX_SIDE) * PCX_MAX_SIDE * 3 * 2 + 1 + 768;

// The picture's sides as its header gives them, and how many bytes its lines
// decode to in all; false when there is no header.
bool pcx_sides(const unsigned char* data, size_t size, long& width, long& height, long& decodedBytes);
// Why load_pcx would misread the file, or an empty string when it reads it right.
std::string pcx_problem(const unsigned char* data, size_t size);
// The same for a file: missing, unreadable, not a regular file or too large fail too.
bool pcx_complete(const char* path);
