// Reading and replacing files: reading a file without blocking on
// a FIFO or a device, following a link to the file it names, replacing a file
// atomically, and telling whether a configuration file is safe to parse.
#pragma once

#include <cstddef>
#include <string>

enum class FileRead { Read, Missing, NotRegular, TooLarge, Failed };

// Reads a whole regular file of at most `maxBytes` into `content`.
FileRead read_regular_file(const char* path, size_t maxBytes, std::string& content);

// The file a path names once symbolic links are followed (also a link whose
// target does not exist yet); the path itself when it is no link.
std::string link_target(const char* path);

// What is at a path, the path itself and not a link's target: whether anything
// is, whether it is a regular file, and whether this process may write it (a
// write bit is set and the system agrees).
struct FileState {
    bool exists = false;
    bool regular = false;
    bool writable = false;
};
FileState file_state(const std::string& path);

// Replaces the file at `path` (no link) with `content`: a new temporary file
// beside it, made with mkostemp (never a link, never shared, closed in any child
// process another thread starts meanwhile), written, flushed to
// disk and renamed over the old one, whose permission bits it keeps. Returns 0,
// or the errno of the step that failed; the old file is then untouched.
int replace_file(const std::string& path, const std::string& content);

// Whether a configuration file can be handed to Allegro's parser: a regular file
// of at most 64 KB of plain text (UTF-8 without control characters other than
// tabs and line ends). A file that exists and fails gets one line on stderr.
constexpr size_t CONFIG_MAX_BYTES = 64 * 1024;
bool config_file_usable(const char* path);
// The text test on its own.
bool plain_text(const std::string& content);
