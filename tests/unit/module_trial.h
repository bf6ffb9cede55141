// Helpers of the module tests: the generated modules, their block offsets, and a
// trial that checks, loads and plays a module in a child process, so a crash or
// a hang of the library is counted instead of ending the tests.
#pragma once

#include <dumb.h>

#include <sys/wait.h>
#include <time.h>
#include <unistd.h>

#include <algorithm>
#include <cstdint>
#include <cstdlib>
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
    std::vector<size_t> instrumentBlocks, sampleHeaders, patternBlocks;
    size_t firstSampleData = 0;  // headers and patterns lie before it

    explicit ModuleLayout(const Bytes& b)
    {
        orders = b[0x20] | (b[0x21] << 8);
        instruments = b[0x22] | (b[0x23] << 8);
        samples = b[0x24] | (b[0x25] << 8);
        patterns = b[0x26] | (b[0x27] << 8);
        for (int i = 0; i < instruments; ++i) instrumentBlocks.push_back(get32(b, 192 + orders + 4 * i));
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

// The same song in instrument mode: one instrument per sample, each key playing
// its own note on that sample, with a volume envelope in use, so the fuzz reaches
// the instrument blocks as well. Every block after the tables moves down.
inline Bytes with_instruments(const Bytes& b)
{
    ModuleLayout l(b);
    const size_t oldTable = 192 + l.orders;  // sample mode: no instrument pointers
    const size_t count = size_t(l.samples);
    const size_t shift = 4 * count + 554 * count;
    const size_t oldTableEnd = oldTable + 4 * (l.samples + l.patterns);
    Bytes out(b.begin(), b.begin() + oldTable);
    out.resize(oldTableEnd + shift);
    put16(out, 0x22, unsigned(count));
    put16(out, 0x2C, (b[0x2C] | (b[0x2D] << 8)) | 4);
    put16(out, 0x2A, 0x214);
    size_t instruments = oldTableEnd + 4 * count;
    for (size_t i = 0; i < count; ++i) {
        put32(out, oldTable + 4 * i, uint32_t(instruments + 554 * i));
        put32(out, oldTable + 4 * count + 4 * i, uint32_t(get32(b, oldTable + 4 * i) + shift));
    }
    for (int p = 0; p < l.patterns; ++p) {
        uint32_t at = get32(b, oldTable + 4 * l.samples + 4 * p);
        put32(out, oldTable + 4 * count + 4 * l.samples + 4 * p, at ? uint32_t(at + shift) : 0);
    }
    for (size_t i = 0; i < count; ++i) {
        size_t at = instruments + 554 * i;
        std::memcpy(&out[at], "IMPI", 4);
        out[at + 0x18] = 128;  // global volume
        out[at + 0x19] = 160;  // no default pan
        out[at + 0x1E] = 1;
        for (int n = 0; n < 120; ++n) {
            out[at + 0x40 + 2 * n] = n;
            out[at + 0x41 + 2 * n] = static_cast<unsigned char>(i + 1);
        }
        size_t envelope = at + 0x130;
        out[envelope] = 1;      // on
        out[envelope + 1] = 3;  // nodes
        const int nodes[3][2] = {{64, 0}, {48, 12}, {40, 60}};
        for (int n = 0; n < 3; ++n) {
            out[envelope + 6 + 3 * n] = nodes[n][0];
            put16(out, envelope + 7 + 3 * n, nodes[n][1]);
        }
    }
    out.insert(out.end(), b.begin() + oldTableEnd, b.end());
    for (size_t i = 0; i < count; ++i) {  // sample data pointers move too
        size_t header = get32(out, oldTable + 4 * count + 4 * i);
        put32(out, header + 0x48, get32(out, header + 0x48) + uint32_t(shift));
    }
    return out;
}

// The loudest sample of the first `seconds` of an accepted module, played here.
inline int peak_of(const Bytes& bytes, double seconds)
{
    DUMBFILE* file = dumbfile_open_memory(reinterpret_cast<const char*>(bytes.data()), long(bytes.size()));
    DUH* duh = dumb_read_it_quick(file);
    dumbfile_close(file);
    if (!duh) return -1;
    DUH_SIGRENDERER* renderer = duh_start_sigrenderer(duh, 0, 2, 0);
    static short buffer[2 * 4096];
    int peak = 0;
    for (long done = 0; done < long(seconds * 48000); done += 4096) {
        long got = duh_render(renderer, 16, 0, 1.0f, 65536.0f / 48000.0f, 4096, buffer);
        for (long i = 0; i < 2 * got; ++i) peak = std::max(peak, std::abs(int(buffer[i])));
    }
    duh_end_sigrenderer(renderer);
    unload_duh(duh);
    return peak;
}
