#include "frame/profile.h"

#include <cctype>
#include <cstdio>
#include <cstring>
#include <set>
#include <string>

#include "core/game_state.h"
#include "platform/file_lock.h"
#include "platform/files.h"
#include "platform/paths.h"

namespace {

// A profile holds eight short lines; anything much larger is not one.
constexpr size_t PROFILE_MAX_BYTES = 4096;
// How long the save at exit waits for another copy of the game to finish its
// own; a save during play does not wait, and tries again at the next frame.
constexpr int PROFILE_LOCK_WAIT_MS = 500;

// Set when a profile exists but could not be read: writing over it would throw
// away endings the player earned in earlier runs.
bool profileUnreadable = false;
// Set when this run cleared the endings (all eight found at start-up, or N).
bool clearedThisRun = false;
// The endings as last read or written, to tell when there is something new.
bool lastSaved[10] = {};
// A warped walk (--warp) leaves the player's endings alone, on disk and in play.
bool profileUntouched = false;

// Each reason not to write is told once a run, not at every attempt.
void report_once(const std::string& line)
{
    static std::set<std::string> told;
    if (told.insert(line).second) std::fprintf(stderr, "Karvelle: %s\n", line.c_str());
}

// Skips white space and reads one decimal integer. Returns false at the end of
// the text or on anything that is not a number; huge values saturate.
bool read_integer(const std::string& text, size_t& at, long& value)
{
    while (at < text.size() && std::isspace(static_cast<unsigned char>(text[at]))) ++at;
    bool negative = false;
    if (at < text.size() && (text[at] == '+' || text[at] == '-')) negative = text[at++] == '-';
    if (at >= text.size() || !std::isdigit(static_cast<unsigned char>(text[at]))) return false;
    long magnitude = 0;
    while (at < text.size() && std::isdigit(static_cast<unsigned char>(text[at]))) {
        if (magnitude < 1000000) magnitude = magnitude * 10 + (text[at] - '0');
        ++at;
    }
    value = negative ? -magnitude : magnitude;
    return true;
}

// Entries 1..8 as the text gives them: eight values separated by white space,
// each 0 or 1. A value that is anything else reads as not found, and the values
// after it still count; missing values are not found.
void parse_endings(const std::string& text, bool found[10])
{
    for (int n = 0; n < 10; ++n) found[n] = false;
    size_t at = 0;
    for (int n = 1; n <= 8; ++n) {
        while (at < text.size() && std::isspace(static_cast<unsigned char>(text[at]))) ++at;
        if (at >= text.size()) break;
        size_t start = at;
        while (at < text.size() && !std::isspace(static_cast<unsigned char>(text[at]))) ++at;
        std::string value = text.substr(start, at - start);
        size_t used = 0;
        long number = 0;
        found[n] = read_integer(value, used, number) && used == value.size() && number == 1;
    }
}

// Entry counting and the first page, from entries already in endingsFound.
void choose_first_page()
{
    game.endingsCount = 0;
    for (bool found : game.endingsFound) game.endingsCount += found ? 1 : 0;
    if (game.endingsCount == 0 || game.endingsCount > 7) {
        // All eight found: a new set begins, and this run's write keeps it so.
        if (game.endingsCount > 7) clearedThisRun = true;
        for (int n = 1; n <= 8; ++n) game.endingsFound[n] = false;
        game.eventCode = 0;
    } else {
        game.eventCode = 40;
    }
}

void remember_saved()
{
    for (int n = 0; n < 10; ++n) lastSaved[n] = game.endingsFound[n];
}

}  // namespace

void read_profile_from(const char* path)
{
    profileUnreadable = false;
    clearedThisRun = false;
    std::string text;
    switch (read_regular_file(path, PROFILE_MAX_BYTES, text)) {
    case FileRead::Read: break;
    case FileRead::Missing: break;  // no profile yet: no endings found
    case FileRead::NotRegular:
        profileUnreadable = true;
        report_once(std::string(path) + " is not a regular file; it is not read and is left as it is");
        break;
    case FileRead::TooLarge:
    case FileRead::Failed:
        profileUnreadable = true;
        report_once(std::string(path) + " cannot be read; it is left as it is");
        break;
    }
    parse_endings(text, game.endingsFound);
    choose_first_page();
    remember_saved();
}

void read_profile_stream(FILE* file)
{
    std::string text;
    char buffer[256];
    size_t got;
    while ((got = std::fread(buffer, 1, sizeof buffer, file)) > 0 && text.size() < PROFILE_MAX_BYTES)
        text.append(buffer, got);
    parse_endings(text, game.endingsFound);
    choose_first_page();
}

void note_endings_cleared()
{
    clearedThisRun = true;
}

namespace {

enum class Save { Written, NotWritten, LockBusy };

// At the final exit the lock is waited for a moment, then done without; during
// play a lock held by another copy leaves everything for a later frame.
Save save_profile(const char* path, bool finalExit)
{
    // Said once already, when it was read.
    if (profileUnreadable) return Save::NotWritten;
    // A profile that is a link is updated where it points.
    std::string target = link_target(path);
    FileState state = file_state(target);
    bool exists = state.exists;
    if (exists && !state.regular) {
        report_once(target + " is not a regular file, so it is left as it is");
        return Save::NotWritten;
    }
    if (exists && !state.writable) {
        report_once(target + " is read-only, so the endings found are not saved to it");
        return Save::NotWritten;
    }

    // Another copy of the game may have saved an ending since this one started:
    // keep it, unless the player cleared the endings in this run. The lock keeps
    // two copies from both reading the old file and each writing only their own.
    int lock = lock_beside(target, finalExit ? PROFILE_LOCK_WAIT_MS : 0);
    if (lock == LOCK_BUSY && !finalExit) return Save::LockBusy;
    bool found[10];
    for (int n = 0; n < 10; ++n) found[n] = game.endingsFound[n];
    if (!clearedThisRun && exists) {
        std::string text;
        bool onDisk[10];
        if (read_regular_file(target.c_str(), PROFILE_MAX_BYTES, text) == FileRead::Read) {
            parse_endings(text, onDisk);
            for (int n = 1; n <= 8; ++n) found[n] = found[n] || onDisk[n];
        }
    }
    std::string text;
    for (int n = 1; n <= 8; ++n) text += found[n] ? "1\n" : "0\n";

    // Written beside the old profile and renamed over it, so a crash or a full
    // disk never leaves half a profile.
    int error = replace_file(target, text);
    unlock(lock);
    if (error == 0) return Save::Written;
    report_once("cannot save the endings found to " + target + ": " + std::strerror(error));
    return Save::NotWritten;
}

}  // namespace

bool write_profile_to(const char* path)
{
    remember_saved();
    return save_profile(path, true) == Save::Written;
}

bool save_profile_if_changed_to(const char* path)
{
    bool changed = false;
    for (int n = 1; n <= 8; ++n) changed = changed || game.endingsFound[n] != lastSaved[n];
    if (!changed) return false;
    // While another copy holds the lock, the next frame tries again.
    const Save result = save_profile(path, false);
    if (result != Save::LockBusy) remember_saved();
    return result == Save::Written;
}

void keep_profile_untouched()
{
    profileUntouched = true;
}

void read_profile()
{
    if (profileUntouched) return;
    read_profile_from(profile_read_path());
}

void write_profile()
{
    if (profileUntouched) return;
    if (const char* path = profile_path()) write_profile_to(path);
}

void save_profile_if_changed()
{
    if (profileUntouched) return;
    if (const char* path = profile_path()) save_profile_if_changed_to(path);
}
