// The module check: each crafted module that once crashed or hung the game is
// refused, values at the edges of the accepted ranges, and the generated modules
// still play. Every trial runs in a child process (module_trial.h).
#include <gtest/gtest.h>

#include <sys/stat.h>

#include <cstdio>
#include <filesystem>

#include "audio/module_check.h"
#include "audio/music.h"
#include "module_trial.h"

namespace {

class ModuleCheck : public ::testing::Test {
protected:
    Bytes module = generated_module("possibilities.it");
    ModuleLayout layout{module};
    std::string workDir;

    void SetUp() override
    {
        ASSERT_GT(module.size(), 4096u) << "build the data first";
        char pattern[] = "/tmp/karvelle-module.XXXXXX";
        workDir = mkdtemp(pattern);
    }
    void TearDown() override { std::filesystem::remove_all(workDir); }

    std::string problem(const Bytes& b) { return module_problem(b.data(), b.size()); }
    Outcome outcome(const Bytes& b, int startOrder = 0) { return try_module(b, 2.0, startOrder, workDir).outcome; }
    bool work_dir_empty() { return std::filesystem::is_empty(workDir); }

    // Replaces the packed rows of pattern 0 (which fit in its old place).
    Bytes with_pattern0(const Bytes& rows, unsigned rowCount)
    {
        Bytes b = module;
        size_t at = layout.patternBlocks[0];
        size_t room = b[at] | (b[at + 1] << 8);
        EXPECT_LE(rows.size(), room);
        std::copy(rows.begin(), rows.end(), b.begin() + at + 8);
        put16(b, at, unsigned(rows.size()));
        put16(b, at + 2, rowCount);
        return b;
    }
    static Bytes event(int channel, int command, int parameter)
    {
        return {static_cast<unsigned char>(0x80 | (channel + 1)), 0x08, static_cast<unsigned char>(command),
                static_cast<unsigned char>(parameter)};
    }
};

TEST_F(ModuleCheck, GeneratedModulesPassAndPlay)
{
    EXPECT_EQ(problem(module), "");
    EXPECT_EQ(outcome(module), Outcome::Played);
    Bytes other = generated_module("impossibilities.it");
    EXPECT_EQ(module_problem(other.data(), other.size()), "");
    EXPECT_EQ(outcome(other, 3), Outcome::Played);
}

TEST_F(ModuleCheck, TheSongWithInstrumentsPassesAndPlays)
{
    Bytes instruments = with_instruments(module);
    EXPECT_EQ(problem(instruments), "");
    EXPECT_EQ(outcome(instruments), Outcome::Played);
    EXPECT_GT(peak_of(instruments, 3.0), 1000) << "the instruments play their samples";
    ModuleLayout l(instruments);
    ASSERT_EQ(l.instrumentBlocks.size(), layout.sampleHeaders.size());
    // A key naming a missing sample, an envelope with ticks going back, too
    // many nodes, and instruments of the old format are refused.
    Bytes b = instruments;
    b[l.instrumentBlocks[0] + 0x41] = l.samples + 1;
    EXPECT_EQ(problem(b), "instrument 1: a key names a missing sample");
    b = instruments;
    put16(b, l.instrumentBlocks[1] + 0x130 + 7 + 3, 0);
    EXPECT_EQ(problem(b), "instrument 2: a broken envelope");
    b = instruments;
    b[l.instrumentBlocks[1] + 0x131] = 26;
    EXPECT_EQ(problem(b), "instrument 2: a broken envelope");
    b = instruments;
    put16(b, 0x2A, 0x100);
    EXPECT_EQ(problem(b), "instruments of the old format");
}

TEST_F(ModuleCheck, CraftedFieldsThatCrashedOrHungAreRefused)
{
    struct Case {
        const char* name;
        void (*spoil)(Bytes&, const ModuleLayout&);
    } cases[] = {
        {"header tempo 0", [](Bytes& b, const ModuleLayout&) { b[0x33] = 0; }},
        {"C5 speed 0", [](Bytes& b, const ModuleLayout& l) { put32(b, l.sampleHeaders[0] + 0x3C, 0); }},
        {"C5 speed 0xFFFFFFFF", [](Bytes& b, const ModuleLayout& l) { put32(b, l.sampleHeaders[1] + 0x3C, 0xFFFFFFFF); }},
        {"compressed stereo", [](Bytes& b, const ModuleLayout& l) { b[l.sampleHeaders[0] + 0x12] |= 0x0C; }},
        {"length 0x40000000", [](Bytes& b, const ModuleLayout& l) { put32(b, l.sampleHeaders[0] + 0x30, 0x40000000); }},
        {"pattern length 0xFFFF", [](Bytes& b, const ModuleLayout& l) { put16(b, l.patternBlocks[0], 0xFFFF); }},
        {"no orders", [](Bytes& b, const ModuleLayout&) { put16(b, 0x20, 0); }},
        {"only skip markers", [](Bytes& b, const ModuleLayout& l) {
             for (int i = 0; i < l.orders; ++i) b[192 + i] = 254;
         }},
        {"a missing pattern", [](Bytes& b, const ModuleLayout& l) { b[192] = l.patterns; }},
        {"a sample header past the end", [](Bytes& b, const ModuleLayout& l) {
             put32(b, 192 + l.orders + 4 * l.instruments, uint32_t(b.size() - 40));
         }},
    };
    for (const Case& c : cases) {
        Bytes spoilt = module;
        c.spoil(spoilt, layout);
        EXPECT_NE(problem(spoilt), "") << c.name;
        EXPECT_EQ(outcome(spoilt), Outcome::Refused) << c.name;
    }
}

TEST_F(ModuleCheck, TwoEventsForOneChannelInARowAreRefusedAndWriteNothing)
{
    Bytes rows = event(0, 19, 0xB0);
    Bytes second = event(0, 1, 6);
    rows.insert(rows.end(), second.begin(), second.end());
    rows.insert(rows.end(), 64, 0);
    Bytes spoilt = with_pattern0(rows, 64);
    EXPECT_EQ(problem(spoilt), "pattern 1: two events for one channel in one row");
    EXPECT_EQ(outcome(spoilt), Outcome::Refused);
    EXPECT_TRUE(work_dir_empty());
}

TEST_F(ModuleCheck, NestedPatternLoopsPlayWithoutTheRunThrough)
{
    Bytes rows;
    for (Bytes row : {event(0, 19, 0xB0), event(1, 19, 0xB0), event(1, 19, 0xBF), event(0, 19, 0xBF)}) {
        rows.insert(rows.end(), row.begin(), row.end());
        rows.push_back(0);
    }
    rows.insert(rows.end(), 60, 0);
    Bytes nested = with_pattern0(rows, 64);
    EXPECT_EQ(problem(nested), "");
    EXPECT_EQ(outcome(nested), Outcome::Played);
    EXPECT_TRUE(work_dir_empty());
}

TEST_F(ModuleCheck, EdgesOfTheAcceptedRanges)
{
    auto tempo = [&](int t) {
        Bytes b = module;
        b[0x33] = t;
        return problem(b);
    };
    EXPECT_NE(tempo(31), "");
    EXPECT_EQ(tempo(32), "");
    EXPECT_EQ(tempo(255), "");

    auto c5 = [&](uint32_t speed) {
        Bytes b = module;
        put32(b, layout.sampleHeaders[2] + 0x3C, speed);
        return b;
    };
    EXPECT_NE(problem(c5(1)), "");
    EXPECT_NE(problem(c5(255)), "");
    EXPECT_EQ(problem(c5(256)), "");
    EXPECT_EQ(problem(c5(2000000)), "");
    EXPECT_NE(problem(c5(2000001)), "");
    EXPECT_EQ(outcome(c5(256)), Outcome::Played);

    auto rows = [&](unsigned count, unsigned terminators) { return problem(with_pattern0(Bytes(terminators, 0), count)); };
    EXPECT_EQ(rows(200, 200), "");
    EXPECT_NE(rows(201, 201), "");
    EXPECT_NE(rows(0, 1), "");
    EXPECT_EQ(rows(1, 1), "");
    EXPECT_NE(rows(64, 63), "");

    // A sample whose data ends exactly at the end of the file, and one frame more.
    Bytes b = module;
    size_t last = layout.sampleHeaders.back();
    uint32_t frames = uint32_t(b.size() - get32(b, last + 0x48)) / 2;  // 16-bit
    put32(b, last + 0x30, frames);
    EXPECT_EQ(problem(b), "");
    put32(b, last + 0x30, frames + 1);
    EXPECT_NE(problem(b), "");
}

TEST_F(ModuleCheck, TheFastestAcceptedLoopAtTheTopNoteStillPlays)
{
    // Sample 2 loops; a one-frame loop at the highest C5 speed and note is the
    // most mixing work one voice can ask for.
    Bytes b = module;
    size_t header = layout.sampleHeaders[1];
    uint32_t frames = get32(b, header + 0x30);
    put32(b, header + 0x34, frames - 1);
    put32(b, header + 0x38, frames);
    put32(b, header + 0x3C, 2000000);
    Bytes rows;
    for (int channel = 0; channel < 8; ++channel)
        rows.insert(rows.end(), {static_cast<unsigned char>(0x80 | (channel + 1)), 0x03, 119, 2});
    rows.insert(rows.end(), 64, 0);
    Bytes fast = with_pattern0(rows, 64);
    EXPECT_EQ(problem(fast), "");
    EXPECT_EQ(outcome(fast), Outcome::Played);
}

TEST_F(ModuleCheck, EveryShorterFileIsRefused)
{
    for (size_t length : {size_t(0), size_t(4), size_t(191), size_t(192), size_t(300), layout.patternBlocks[3] + 3,
                          layout.firstSampleData, module.size() - 1}) {
        Bytes cut(module.begin(), module.begin() + length);
        EXPECT_NE(problem(cut), "") << length << " bytes";
    }
}

TEST_F(ModuleCheck, TheLoaderNamesWhatItRefuses)
{
    std::string path = workDir + "/song.it";
    Bytes spoilt = module;
    spoilt[0x33] = 0;
    FILE* f = std::fopen(path.c_str(), "wb");
    std::fwrite(spoilt.data(), 1, spoilt.size(), f);
    std::fclose(f);
    std::string why;
    EXPECT_EQ(load_checked_module(path.c_str(), why), nullptr);
    EXPECT_EQ(why, "a tempo below 32");

    ASSERT_EQ(mkfifo((workDir + "/fifo.it").c_str(), 0600), 0);
    EXPECT_EQ(load_checked_module((workDir + "/fifo.it").c_str(), why), nullptr);
    EXPECT_EQ(why, "not a regular file");
    EXPECT_EQ(load_checked_module((workDir + "/none.it").c_str(), why), nullptr);
    EXPECT_EQ(why, "no such file");
}

}  // namespace
