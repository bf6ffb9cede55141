// Whether an Impulse Tracker module is safe to hand to DUMB. The library trusts
// its input: a tempo or a C5 speed of 0 divides by zero, a huge C5 speed never
// finishes a buffer, a length beyond the file allocates gigabytes, and two notes
// for one channel in one row make its debug code write into the working folder.
// The check walks every block the library reads and refuses what it cannot play.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

// Why the module cannot be played, or an empty string when it can.
std::string module_problem(const unsigned char* data, size_t size);

// Reads a module file whole (at most MODULE_MAX_BYTES). Returns false, with the
// reason in `problem`, when it is missing, unreadable or too large.
constexpr size_t MODULE_MAX_BYTES = 64u << 20;
bool read_module_file(const char* path, std::vector<unsigned char>& data, std::string& problem);
