// Helpers of the module tests: the generated modules, their block offsets, and a
// trial that checks, loads and plays a module in a child process, so a crash or
// a hang of the library is counted instead of ending the tests.
#pragma once

#include <dumb.h>

#include <sys/wait.h>
#include <time.h>
#include <unistd.h>

#include <cstdint>
#include <cstring>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "audio/module_check.h"

using Bytes = std::vector<unsigned char>;

inline Bytes generated_module(const char* name)
{
    std::ifstream in(std::string(KARVELLE_TEST_DATA_DIR) + "/music/" + name, std::ios::binary);
    return Bytes(std::istreambuf_iterator<char>(in), {});
}

inline uint32_t get32(const Bytes& b, size_t at)
{
    return b[at] | (b[at + 1] << 8) | (b[at + 2] << 16) | (uint32_t(b[at + 3]) << 24);
}
inline void put16(Bytes& b, size_t at, unsigned v)
{
    b[at] = v & 0xFF;
    b[at + 1] = (v >> 8) & 0xFF;
}
inline void put32(Bytes& b, size_t at, uint32_t v)
{
    put16(b, at, v & 0xFFFF);
    put16(b, at + 2, v >> 16);
}

// Where the blocks of a module start.
struct ModuleLayout {
    int orders, instruments, samples, patterns;
    std::vector<size_t> sampleHeaders, patternBlocks;
    size_t firstSampleData = 0;  // headers and patterns lie before it

    explicit ModuleLayout(const Bytes& b)
    {
        orders = b[0x20] | (b[0x21] << 8);
        instruments = b[0x22] | (b[0x23] << 8);
        samples = b[0x24] | (b[0x25] << 8);
        patterns = b[0x26] | (b[0x27] << 8);
        size_t table = 192 + orders + 4 * instruments;
        firstSampleData = b.size();
        for (int i = 0; i < samples; ++i) {
            sampleHeaders.push_back(get32(b, table + 4 * i));
            size_t data = get32(b, sampleHeaders.back() + 0x48);
            if (data < firstSampleData) firstSampleData = data;
        }
        for (int i = 0; i < patterns; ++i) patternBlocks.push_back(get32(b, table + 4 * samples + 4 * i));
    }
};

enum class Outcome { Refused, LibraryRefused, Played, Crashed, Hung };

struct Trial {
    Outcome outcome;
    double seconds;  // checking, loading and playing
};

inline double seconds_since(const timespec& start)
{
    timespec now{};
    clock_gettime(CLOCK_MONOTONIC, &now);
    return double(now.tv_sec - start.tv_sec) + double(now.tv_nsec - start.tv_nsec) / 1e9;
}

// Checks the module as the game does; when accepted, loads it with the quick
// reader and renders `renderSeconds` of it at 48 kHz from order `startOrder`.
// `workDir` becomes the child's working folder (where stray debug files land).
inline Trial try_module(const Bytes& bytes, double renderSeconds, int startOrder, const std::string& workDir,
                        double limitSeconds = 20.0)
{
    timespec start{};
    clock_gettime(CLOCK_MONOTONIC, &start);
    pid_t child = fork();
    if (child == 0) {
        if (chdir(workDir.c_str()) != 0) _exit(20);
        if (!module_problem(bytes.data(), bytes.size()).empty()) _exit(10);
        DUMBFILE* file = dumbfile_open_memory(reinterpret_cast<const char*>(bytes.data()), long(bytes.size()));
        DUH* duh = file ? dumb_read_it_quick(file) : nullptr;
        if (file) dumbfile_close(file);
        if (!duh) _exit(11);
        DUH_SIGRENDERER* renderer =
            startOrder > 0 ? dumb_it_start_at_order(duh, 2, startOrder) : duh_start_sigrenderer(duh, 0, 2, 0);
        static short buffer[2 * 4096];
        long wanted = long(renderSeconds * 48000);
        for (long done = 0; renderer && done < wanted; done += 4096)
            if (duh_render(renderer, 16, 0, 1.0f, 65536.0f / 48000.0f, 4096, buffer) <= 0) break;
        if (renderer) duh_end_sigrenderer(renderer);
        unload_duh(duh);
        _exit(12);
    }
    int status = 0;
    for (;;) {
        pid_t done = waitpid(child, &status, WNOHANG);
        if (done == child) break;
        if (seconds_since(start) > limitSeconds) {
            kill(child, SIGKILL);
            waitpid(child, &status, 0);
            return {Outcome::Hung, seconds_since(start)};
        }
        timespec nap{0, 2000000};
        nanosleep(&nap, nullptr);
    }
    double seconds = seconds_since(start);
    if (WIFEXITED(status)) {
        switch (WEXITSTATUS(status)) {
        case 10: return {Outcome::Refused, seconds};
        case 11: return {Outcome::LibraryRefused, seconds};
        case 12: return {Outcome::Played, seconds};
        }
    }
    return {Outcome::Crashed, seconds};
}
