// A bounded fuzz of the module check and the library behind it: mutated copies of
// both generated modules, and of one turned into instrument mode (single fields set to edge values, bytes flipped, pattern
// effects swapped for loops and jumps, pitch slides and portamentos, tiny sample
// loops, files cut short) are checked, and those accepted are loaded and played
// for a while in a child process. None may crash, hang or leave a file behind.
// KARVELLE_FUZZ_MODULES sets the number of mutants per module (default 150).
// The second run goes the game's way: each mutant is checked, proved in a child
// process, and, when proved, played by the music worker while a frame takes from
// its ring; none may crash, and no take may hold a frame 50 ms.
// KARVELLE_FUZZ_PROVED sets the number of mutants in all (default 12; 10000 for
// the long run). The figures are printed.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <random>

#include <chrono>
#include <thread>

#include "audio/module_proof.h"
#include "audio/music_render.h"
#include "module_trial.h"

namespace {

// A mutant that crashed or hung is kept in /tmp, to be tried again by hand.
void keep_mutant(const std::string& path, const Bytes& mutant)
{
    FILE* out = std::fopen(path.c_str(), "wb");
    if (!out) return;
    std::fwrite(mutant.data(), 1, mutant.size(), out);
    std::fclose(out);
}

int fuzz_count(const char* variable, int fallback)
{
    const char* value = std::getenv(variable);
    return value && std::atoi(value) > 0 ? std::atoi(value) : fallback;
}

Bytes mutate(const Bytes& original, const ModuleLayout& layout, std::mt19937& random)
{
    Bytes b = original;
    // The headers and patterns lie before the first sample data; mutations go
    // there mostly, where the library's decisions are made.
    auto anywhere = [&](size_t end) { return size_t(random() % std::max<size_t>(end, 1)); };
    const size_t structure = std::min(layout.firstSampleData, b.size());
    static const uint32_t edges[] = {0,      1,          2,          0x1F,       0x20,      0x7F,      0x80,
                                     0xFF,   0x100,      0x7FFF,     0xFFFF,     0x10000,   0x40000000, 0x7FFFFFFF,
                                     0x80000000, 0xFFFFFFFE, 0xFFFFFFFF};
    switch (random() % (layout.instrumentBlocks.empty() ? 9 : 10)) {
    case 0: {  // one field set to an edge value
        size_t at = anywhere(structure - 4);
        uint32_t value = edges[random() % std::size(edges)];
        int width = 1 << (random() % 3);
        for (int i = 0; i < width; ++i) b[at + i] = (value >> (8 * i)) & 0xFF;
        break;
    }
    case 1:  // a few bytes flipped in the structure
        for (int n = 1 + random() % 4; n > 0; --n) b[anywhere(structure)] ^= 1 << (random() % 8);
        break;
    case 2: {  // a field of a sample header
        size_t header = layout.sampleHeaders[random() % layout.sampleHeaders.size()];
        static const int fields[] = {0x11, 0x12, 0x13, 0x2E, 0x2F, 0x30, 0x34, 0x38, 0x3C, 0x40, 0x44, 0x48, 0x4C, 0x4F};
        size_t at = header + fields[random() % std::size(fields)];
        put32(b, std::min(at, b.size() - 4), edges[random() % std::size(edges)]);
        break;
    }
    case 3: {  // an effect turned into a loop, jump, break, tempo or speed change
        size_t pattern = layout.patternBlocks[random() % layout.patternBlocks.size()];
        size_t length = b[pattern] | (b[pattern + 1] << 8);
        static const unsigned char commands[] = {1, 2, 3, 19, 19, 19, 20, 22, 6, 5};
        for (int n = 1 + random() % 6; n > 0 && length > 2; --n) {
            size_t at = pattern + 8 + random() % (length - 1);
            unsigned char command = commands[random() % std::size(commands)];
            b[at] = command;
            b[at + 1] = command == 19 ? 0xB0 | (random() % 16) : random() & 0xFF;
        }
        break;
    }
    case 4: {  // a pattern header
        size_t pattern = layout.patternBlocks[random() % layout.patternBlocks.size()];
        put16(b, pattern + 2 * (random() % 2), edges[random() % std::size(edges)] & 0xFFFF);
        break;
    }
    case 5:  // cut short
        b.resize(anywhere(b.size()));
        break;
    case 6: {  // pitch slides up or down, fine or coarse, on events of a pattern
        size_t pattern = layout.patternBlocks[random() % layout.patternBlocks.size()];
        size_t length = b[pattern] | (b[pattern + 1] << 8);
        static const unsigned char values[] = {0x01, 0x0F, 0x7F, 0xDF, 0xE1, 0xEF, 0xF1, 0xFF};
        for (int n = 1 + random() % 8; n > 0 && length > 2; --n) {
            size_t at = pattern + 8 + random() % (length - 1);
            b[at] = random() % 2 ? 5 : 6;  // E or F
            b[at + 1] = values[random() % std::size(values)];
        }
        break;
    }
    case 7: {  // portamento to a note, in the effect or the volume column
        size_t pattern = layout.patternBlocks[random() % layout.patternBlocks.size()];
        size_t length = b[pattern] | (b[pattern + 1] << 8);
        for (int n = 1 + random() % 8; n > 0 && length > 2; --n) {
            size_t at = pattern + 8 + random() % (length - 1);
            if (random() % 2) {
                b[at] = 7;  // G
                b[at + 1] = random() % 2 ? 0xFF : random() & 0xFF;
            } else {
                b[at] = 193 + random() % 10;  // the volume column's portamento
            }
        }
        break;
    }
    case 8: {  // a tiny loop, maybe ping-pong, maybe at a high C5 speed
        size_t header = layout.sampleHeaders[random() % layout.sampleHeaders.size()];
        uint32_t begin = random() % 64;
        put32(b, header + 0x34, begin);
        put32(b, header + 0x38, begin + 1 + random() % 3);
        b[header + 0x12] |= 0x10 | (random() % 2 ? 0x40 : 0);
        static const uint32_t speeds[] = {256, 8363, 22050, 500000, 2000000};
        if (random() % 2) put32(b, header + 0x3C, speeds[random() % std::size(speeds)]);
        break;
    }
    default: {  // an instrument field, its keyboard or an envelope
        size_t at = layout.instrumentBlocks[random() % layout.instrumentBlocks.size()] + random() % 554;
        if (random() % 2)
            b[at] = edges[random() % std::size(edges)] & 0xFF;
        else
            b[at] ^= 1 << (random() % 8);
        break;
    }
    }
    return b;
}

struct Figures {
    int tried = 0, refused = 0, libraryRefused = 0, played = 0, crashed = 0, hung = 0;
    double longest = 0;
};

TEST(ModuleFuzz, MutatedModulesNeverCrashHangOrWrite)
{
    char pattern[] = "/tmp/karvelle-fuzz.XXXXXX";
    std::string workDir = mkdtemp(pattern);
    const int perModule = fuzz_count("KARVELLE_FUZZ_MODULES", 150);
    Figures f;
    std::mt19937 random(20261208);
    for (const char* name : {"possibilities.it", "impossibilities.it", "possibilities.it with instruments"}) {
        Bytes original = generated_module(std::string(name).substr(0, std::string(name).find(' ')).c_str());
        if (std::string(name).find("instruments") != std::string::npos) original = with_instruments(original);
        ASSERT_GT(original.size(), 4096u) << "build the data first";
        ModuleLayout layout(original);
        for (int i = 0; i < perModule; ++i) {
            Bytes mutant = mutate(original, layout, random);
            int startOrder = int(random() % layout.orders);
            Trial t = try_module(mutant, 1.5, startOrder, workDir, 20.0);
            ++f.tried;
            f.longest = std::max(f.longest, t.seconds);
            switch (t.outcome) {
            case Outcome::Refused: ++f.refused; break;
            case Outcome::LibraryRefused: ++f.libraryRefused; break;
            case Outcome::Played: ++f.played; break;
            case Outcome::Crashed:
                ++f.crashed;
                ADD_FAILURE() << name << " mutant " << i << " crashed";
                break;
            case Outcome::Hung:
                ++f.hung;
                ADD_FAILURE() << name << " mutant " << i << " hung";
                break;
            }
            if (t.outcome == Outcome::Crashed || t.outcome == Outcome::Hung) {
                keep_mutant("/tmp/karvelle-fuzz-" + std::to_string(f.tried) + ".it", mutant);
            }
        }
    }
    bool clean = std::filesystem::is_empty(workDir);
    std::filesystem::remove_all(workDir);
    EXPECT_TRUE(clean) << "the library wrote a file into the working folder";
    std::printf("module fuzz: %d tried, %d refused by the check, %d by the library, %d played; %d crashed, %d hung; "
                "longest trial %.3f s\n",
                f.tried, f.refused, f.libraryRefused, f.played, f.crashed, f.hung, f.longest);
    EXPECT_GT(f.played, f.tried / 10) << "the mutations should leave many modules playable";
}

// The game's way with one mutant, in a child process: the check, the proof, and
// 0.3 s of the worker, taken from every 5 ms. Exit codes as try_module's, with
// 13 refused by the proof and 14 a frame held.
int prove_and_play(const Bytes& bytes)
{
    if (!module_problem(bytes.data(), bytes.size()).empty()) return 10;
    DUMBFILE* file = dumbfile_open_memory(reinterpret_cast<const char*>(bytes.data()), long(bytes.size()));
    DUH* duh = file ? dumb_read_it_quick(file) : nullptr;
    if (file) dumbfile_close(file);
    if (!duh) return 11;
    ModuleProof proof;
    if (prove_module_now(proof, duh, bytes.data(), bytes.size(), "") != ProofState::Proven) return 13;
    using Clock = std::chrono::steady_clock;
    int held = 0;
    {
        MusicRenderer renderer(duh, 2, 0, 48000, 4 * 4096);
        std::vector<int16_t> out(2 * 4096);
        auto until = Clock::now() + std::chrono::milliseconds(300);
        while (Clock::now() < until) {
            auto before = Clock::now();
            bool playing = renderer.state() == RenderEnd::Playing;
            renderer.take(out.data(), 4096);
            if (Clock::now() - before > std::chrono::milliseconds(50)) ++held;
            if (!playing) break;
            std::this_thread::sleep_for(std::chrono::milliseconds(5));
        }
        // Leaving the scope stops the worker, cutting a buffer short.
    }
    return held ? 14 : 12;
}

TEST(ModuleFuzz, ProvedModulesNeverCrashOrHoldAFrame)
{
    char pattern[] = "/tmp/karvelle-fuzz.XXXXXX";
    std::string workDir = mkdtemp(pattern);
    const int total = fuzz_count("KARVELLE_FUZZ_PROVED", 12);
    int tried = 0, refused = 0, libraryRefused = 0, proofRefused = 0, played = 0, crashed = 0, hung = 0, held = 0;
    std::mt19937 random(20261209);
    std::vector<Bytes> originals;
    for (const char* name : {"possibilities.it", "impossibilities.it"}) originals.push_back(generated_module(name));
    originals.push_back(with_instruments(originals[0]));
    for (const Bytes& original : originals) ASSERT_GT(original.size(), 4096u) << "build the data first";
    for (int i = 0; i < total; ++i) {
        const Bytes& original = originals[i % originals.size()];
        Bytes mutant = mutate(original, ModuleLayout(original), random);
        pid_t child = fork();
        if (child == 0) {
            if (chdir(workDir.c_str()) != 0) _exit(20);
            _exit(prove_and_play(mutant));
        }
        timespec start{};
        clock_gettime(CLOCK_MONOTONIC, &start);
        int status = 0;
        bool late = false;
        while (waitpid(child, &status, WNOHANG) == 0) {
            // The proof gives up after a minute; more than that is a hang.
            if (seconds_since(start) > 90) {
                kill(child, SIGKILL);
                waitpid(child, &status, 0);
                late = true;
                break;
            }
            std::this_thread::sleep_for(std::chrono::milliseconds(2));
        }
        ++tried;
        int code = !late && WIFEXITED(status) ? WEXITSTATUS(status) : -1;
        switch (late ? -2 : code) {
        case 10: ++refused; break;
        case 11: ++libraryRefused; break;
        case 13: ++proofRefused; break;
        case 12: ++played; break;
        case 14: ++held; ADD_FAILURE() << "mutant " << i << " held a frame"; break;
        case -2: ++hung; ADD_FAILURE() << "mutant " << i << " hung"; break;
        default: ++crashed; ADD_FAILURE() << "mutant " << i << " crashed (status " << status << ")"; break;
        }
        if (code != 10 && code != 11 && code != 12 && code != 13) {
            keep_mutant("/tmp/karvelle-fuzz-proved-" + std::to_string(i) + ".it", mutant);
        }
    }
    bool clean = std::filesystem::is_empty(workDir);
    std::filesystem::remove_all(workDir);
    EXPECT_TRUE(clean) << "the library wrote a file into the working folder";
    std::printf("proved module fuzz: %d tried, %d refused by the check, %d by the library, %d by the proof, "
                "%d played; %d crashed, %d hung, %d held a frame\n",
                tried, refused, libraryRefused, proofRefused, played, crashed, hung, held);
    EXPECT_GT(played, 0) << "some mutants should be proved and played";
}

}  // namespace
