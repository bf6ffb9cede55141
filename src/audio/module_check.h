// Whether an Impulse Tracker module is safe to hand to DUMB. The library trusts
// its input: a tempo or a C5 speed of 0 divides by zero, a huge C5 speed never
// finishes a buffer, a length beyond the file allocates gigabytes, and two notes
// for one channel in one row make its debug code write into the working folder.
// The check walks every block the library reads and refuses what it cannot play.
#pragma once

#include <cstddef>
#include <string>

// Why the module cannot be played, or an empty string when it can.
std::string module_problem(const unsigned char* data, size_t size);

// The largest module file read at all.
constexpr size_t MODULE_MAX_BYTES = 64u << 20;
