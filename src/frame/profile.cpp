#include "frame/profile.h"

#include <cctype>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <string>
#include <unistd.h>

#include "frame/game_state.h"
#include "frame/platform.h"

namespace {

// Set when a profile exists but could not be read: writing over it at exit would
// throw away endings the player earned in earlier runs.
bool profileUnreadable = false;

// Skips white space and reads one decimal integer. Returns false at the end of
// the file or on anything that is not a number; huge values saturate.
bool read_integer(FILE* file, long& value)
{
    int c;
    do {
        c = getc(file);
    } while (c != EOF && std::isspace(c));
    bool negative = false;
    if (c == '+' || c == '-') {
        negative = c == '-';
        c = getc(file);
    }
    if (c == EOF || !std::isdigit(c)) return false;
    long magnitude = 0;
    while (c != EOF && std::isdigit(c)) {
        if (magnitude < 1000000) magnitude = magnitude * 10 + (c - '0');
        c = getc(file);
    }
    if (c != EOF) ungetc(c, file);
    value = negative ? -magnitude : magnitude;
    return true;
}

}  // namespace

void read_profile_from(const char* path)
{
    profileUnreadable = false;
    FILE* file = std::fopen(path, "r");
    if (!file) {
        for (int n = 1; n <= 8; ++n) game.endingsFound[n] = false;
        profileUnreadable = errno != ENOENT;
        game.eventCode = 0;
        return;
    }
    read_profile_stream(file);
    if (std::ferror(file)) profileUnreadable = true;
    std::fclose(file);
}

void read_profile_stream(FILE* file)
{
    for (int n = 1; n <= 8; ++n) game.endingsFound[n] = false;
    for (int n = 1; n <= 8; ++n) {
        long value = 0;
        if (!read_integer(file, value) || (value != 0 && value != 1)) break;
        game.endingsFound[n] = value == 1;
    }

    game.endingsCount = 0;
    for (bool found : game.endingsFound) game.endingsCount += found ? 1 : 0;
    if (game.endingsCount == 0 || game.endingsCount > 7) {
        for (int n = 1; n <= 8; ++n) game.endingsFound[n] = false;
        game.eventCode = 0;
    } else {
        game.eventCode = 40;
    }
}

bool write_profile_to(const char* path)
{
    if (profileUnreadable) {
        std::fprintf(stderr, "Karvelle: %s could not be read, so it is left as it is\n", path);
        return false;
    }
    std::string text;
    for (int n = 1; n <= 8; ++n) text += game.endingsFound[n] ? "1\n" : "0\n";

    // Written beside the old profile and renamed over it, so a crash or a full
    // disk never leaves half a profile.
    std::string temporary = std::string(path) + ".tmp";
    FILE* file = std::fopen(temporary.c_str(), "w");
    bool written = file && std::fwrite(text.data(), 1, text.size(), file) == text.size();
    if (file) {
        written = std::fflush(file) == 0 && written;
        written = fsync(fileno(file)) == 0 && written;
        written = std::fclose(file) == 0 && written;
    }
    if (written && std::rename(temporary.c_str(), path) == 0) return true;

    int error = errno;
    if (file) std::remove(temporary.c_str());
    std::fprintf(stderr, "Karvelle: cannot save the endings found to %s: %s\n", path, std::strerror(error));
    return false;
}

void read_profile()
{
    read_profile_from(profile_read_path());
}

void write_profile()
{
    if (const char* path = profile_path()) write_profile_to(path);
}
