#include "platform/files.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <climits>
#include <cstdio>
#include <cstdlib>

FileRead read_regular_file(const char* path, size_t maxBytes, std::string& content)
{
    content.clear();
    // O_NONBLOCK: opening a FIFO for reading would otherwise wait for a writer.
    int fd = open(path, O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) return errno == ENOENT ? FileRead::Missing : FileRead::Failed;
    struct stat info{};
    FileRead result = FileRead::Read;
    if (fstat(fd, &info) != 0)
        result = FileRead::Failed;
    else if (!S_ISREG(info.st_mode))
        result = FileRead::NotRegular;
    else if (size_t(info.st_size) > maxBytes)
        result = FileRead::TooLarge;
    char buffer[4096];
    while (result == FileRead::Read) {
        ssize_t got = read(fd, buffer, sizeof buffer);
        if (got < 0 && errno == EINTR) continue;
        if (got < 0) result = FileRead::Failed;
        if (got <= 0) break;
        content.append(buffer, size_t(got));
        if (content.size() > maxBytes) result = FileRead::TooLarge;  // it grew as we read
    }
    close(fd);
    if (result != FileRead::Read) content.clear();
    return result;
}

std::string link_target(const char* path)
{
    std::string current = path;
    // Forty links deep is where the kernel gives up too.
    for (int depth = 0; depth < 40; ++depth) {
        char target[PATH_MAX];
        ssize_t length = readlink(current.c_str(), target, sizeof target - 1);
        if (length < 0) return current;
        target[length] = '\0';
        if (target[0] == '/') {
            current = target;
        } else {
            size_t slash = current.find_last_of('/');
            current = (slash == std::string::npos ? std::string() : current.substr(0, slash + 1)) + target;
        }
    }
    return current;
}

FileState file_state(const std::string& path)
{
    FileState state;
    struct stat info{};
    state.exists = lstat(path.c_str(), &info) == 0;
    if (!state.exists) return state;
    state.regular = S_ISREG(info.st_mode);
    state.writable = (info.st_mode & 0222) != 0 && access(path.c_str(), W_OK) == 0;
    return state;
}

int replace_file(const std::string& path, const std::string& content)
{
    size_t slash = path.find_last_of('/');
    std::string folder = slash == std::string::npos ? "." : path.substr(0, slash == 0 ? 1 : slash);
    std::string name = path + ".XXXXXX";
    // Not inherited by a child that the speech or music work starts meanwhile.
    int fd = mkostemp(name.data(), O_CLOEXEC);
    if (fd < 0) return errno;
    // mkstemp makes the file private; the new profile keeps the old one's bits.
    struct stat old{};
    mode_t mode = stat(path.c_str(), &old) == 0 ? (old.st_mode & 07777) : 0644;
    int error = fchmod(fd, mode) == 0 ? 0 : errno;
    size_t done = 0;
    while (!error && done < content.size()) {
        ssize_t wrote = write(fd, content.data() + done, content.size() - done);
        if (wrote < 0 && errno == EINTR) continue;
        if (wrote <= 0) error = wrote < 0 ? errno : ENOSPC;
        else done += size_t(wrote);
    }
    if (!error && fsync(fd) != 0) error = errno;
    if (close(fd) != 0 && !error) error = errno;
    if (!error && rename(name.c_str(), path.c_str()) != 0) error = errno;
    if (error) {
        unlink(name.c_str());
        return error;
    }
    // The rename itself reaches the disk with the folder.
    int dir = open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (dir >= 0) {
        fsync(dir);
        close(dir);
    }
    return 0;
}

bool plain_text(const std::string& content)
{
    size_t i = 0, n = content.size();
    while (i < n) {
        unsigned char c = content[i];
        if (c < 0x80) {
            if ((c < 0x20 && c != '\t' && c != '\n' && c != '\r') || c == 0x7F) return false;
            ++i;
            continue;
        }
        // A UTF-8 sequence: its length from the lead byte, then continuation bytes,
        // no overlong forms, no surrogates, nothing beyond U+10FFFF.
        int extra = c >= 0xC2 && c <= 0xDF ? 1 : c >= 0xE0 && c <= 0xEF ? 2 : c >= 0xF0 && c <= 0xF4 ? 3 : -1;
        if (extra < 0 || i + extra >= n) return false;
        unsigned char second = content[i + 1];
        if ((c == 0xE0 && second < 0xA0) || (c == 0xED && second > 0x9F) || (c == 0xF0 && second < 0x90) ||
            (c == 0xF4 && second > 0x8F))
            return false;
        for (int k = 1; k <= extra; ++k)
            if ((static_cast<unsigned char>(content[i + k]) & 0xC0) != 0x80) return false;
        i += extra + 1;
    }
    return true;
}

bool config_file_usable(const char* path)
{
    std::string content;
    const char* why = nullptr;
    switch (read_regular_file(path, CONFIG_MAX_BYTES, content)) {
    case FileRead::Missing: return false;  // no file: the defaults, and nothing to say
    case FileRead::NotRegular: why = "it is not a regular file"; break;
    case FileRead::TooLarge: why = "it is larger than 64 KB"; break;
    case FileRead::Failed: why = "it cannot be read"; break;
    case FileRead::Read: why = plain_text(content) ? nullptr : "it is not plain text"; break;
    }
    if (!why) return true;
    std::fprintf(stderr, "Karvelle: %s is ignored, as %s; the defaults are used\n", path, why);
    return false;
}
