// Pages read: a set of keys in memory, kept in a file beside the profile. The
// file is its own: it is written only through a new file renamed over itself,
// never through a link, so nothing in it can reach the profile.
#include "events/pages_read.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <set>

#include "events/pages.h"
#include "platform/file_lock.h"
#include "platform/files.h"
#include "platform/paths.h"

namespace {

// Every page and form of the script is a few dozen short lines.
constexpr size_t PAGES_READ_MAX_BYTES = 16 * 1024;
constexpr int PAGES_READ_LOCK_WAIT_MS = 500;
// Code 2 has seven forms: none to five endings found, and six or more.
constexpr int CODE2_FORMS = 7;

std::set<std::string> readPages;
bool changed = false;
// The file at the path is no regular file: it is left alone for this run.
bool leftAlone = false;

void tell_once(const std::string& line)
{
    static std::set<std::string> told;
    if (told.insert(line).second) std::fprintf(stderr, "Karvelle: %s\n", line.c_str());
}

// The keys of `text` that name a page; anything else is dropped.
std::set<std::string> keys_of(const std::string& text)
{
    std::set<std::string> keys;
    size_t at = 0;
    while (at < text.size()) {
        size_t end = text.find('\n', at);
        if (end == std::string::npos) end = text.size();
        std::string line = text.substr(at, end - at);
        at = end + 1;
        while (!line.empty() && (line.back() == '\r' || line.back() == ' ' || line.back() == '\t')) line.pop_back();
        if (line.empty() || line.size() > 6) continue;
        // A key is the page's own form of itself, so it must read back unchanged.
        char* rest = nullptr;
        const long code = std::strtol(line.c_str(), &rest, 10);
        if (rest == line.c_str() || code < 1 || code > 41) continue;
        int count = 0;
        if (*rest == '.') {
            char* after = nullptr;
            count = int(std::strtol(rest + 1, &after, 10));
            if (after == rest + 1 || *after) continue;
        } else if (*rest) {
            continue;
        }
        if (page_read_key(EventCode(code), count) == line) keys.insert(line);
    }
    return keys;
}

}  // namespace

std::string page_read_key(EventCode code, int endingsCount)
{
    if (code <= 0 || code == 40 || code == 42 || !page_lines(code, endingsCount)) return "";
    if (code == 2) return "2." + std::to_string(std::clamp(endingsCount, 0, CODE2_FORMS - 1));
    return std::to_string(code);
}

bool page_was_read(EventCode code, int endingsCount)
{
    const std::string key = page_read_key(code, endingsCount);
    return !key.empty() && readPages.count(key) > 0;
}

void mark_page_read(EventCode code, int endingsCount)
{
    const std::string key = page_read_key(code, endingsCount);
    if (key.empty() || !readPages.insert(key).second) return;
    changed = true;
}

void forget_pages_read()
{
    readPages.clear();
    changed = false;
    leftAlone = false;
}

std::string pages_read_text()
{
    std::string text;
    for (const std::string& key : readPages) text += key + "\n";
    return text;
}

void parse_pages_read(const std::string& text)
{
    readPages = keys_of(text);
}

void read_pages_read_from(const char* path)
{
    readPages.clear();
    changed = false;
    leftAlone = false;
    const FileState state = file_state(path);
    if (!state.exists) return;
    if (!state.regular) {
        leftAlone = true;
        tell_once(std::string(path) + " is not a regular file; the pages read are not kept in it");
        return;
    }
    std::string text;
    if (read_regular_file(path, PAGES_READ_MAX_BYTES, text) != FileRead::Read) {
        // Too large or unreadable: no page counts as read, and the next save starts it anew.
        tell_once(std::string(path) + " cannot be read; no page counts as read");
        return;
    }
    parse_pages_read(text);
}

bool write_pages_read_to(const char* path, bool atExit)
{
    changed = false;
    if (leftAlone) return false;
    const FileState state = file_state(path);
    if (state.exists && !state.regular) {
        leftAlone = true;
        tell_once(std::string(path) + " is not a regular file; the pages read are not kept in it");
        return false;
    }
    // In play the lock is never waited for: while another copy holds it, the
    // next frame tries again. Only the save at exit waits, a moment at most.
    const int lock = lock_beside(path, atExit ? PAGES_READ_LOCK_WAIT_MS : 0);
    if (lock == LOCK_BUSY && !atExit) {
        changed = true;
        return false;
    }
    std::string onDisk;
    if (state.exists && read_regular_file(path, PAGES_READ_MAX_BYTES, onDisk) == FileRead::Read)
        for (const std::string& key : keys_of(onDisk)) readPages.insert(key);
    const int error = replace_file(path, pages_read_text());
    unlock(lock);
    if (error == 0) return true;
    tell_once(std::string("cannot save the pages read to ") + path + ": " + std::strerror(error));
    return false;
}

bool save_pages_read_if_changed_to(const char* path, bool atExit)
{
    return changed && write_pages_read_to(path, atExit);
}

void read_pages_read()
{
    const std::string path = pages_read_path();
    if (!path.empty()) read_pages_read_from(path.c_str());
}

void save_pages_read_if_changed(bool atExit)
{
    if (!changed) return;
    const std::string path = pages_read_path();
    if (path.empty()) {
        changed = false;
        return;
    }
    save_pages_read_if_changed_to(path.c_str(), atExit);
}
