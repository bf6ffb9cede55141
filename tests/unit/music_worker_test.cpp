// The music worker and the proof: crafted modules (made by the end-to-end
// tests' generator from the game's own module) that the library renders far
// slower than real time, or that make it divide by zero, are refused by the
// proof, with the verdict kept; played anyway, they only stop the worker, and
// taking from its ring never waits.
#include <gtest/gtest.h>

#include <dumb.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <csignal>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>
#include <thread>
#include <vector>

#include "audio/module_proof.h"
#include "audio/music_render.h"
#include "core/content_hash.h"
#include "platform/forked_work.h"
#include "test_support.h"

namespace {

using Clock = std::chrono::steady_clock;

// The game's module, or a crafted copy: "high-loop", "slides64", "slide1", "fpe".
std::string module_bytes(const std::string& how)
{
    std::string original = std::string(KARVELLE_TEST_DATA_DIR) + "/music/possibilities.it";
    if (how.empty()) return file_text(original);
    TempDir folder("craft");
    std::string out = folder.path + "/m.it";
    std::string command = "python3 " KARVELLE_SOURCE_DIR "/tests/e2e/craft_module.py " + how + " " + original + " " + out;
    return std::system(command.c_str()) == 0 ? file_text(out) : "";
}

DUH* load(const std::string& bytes)
{
    DUMBFILE* file = dumbfile_open_memory(bytes.data(), long(bytes.size()));
    DUH* duh = dumb_read_it_quick(file);
    dumbfile_close(file);
    return duh;
}

class MusicWorker : public ::testing::Test {
protected:
    // Allegro first: the guard must keep working once Allegro has its own handlers.
    void SetUp() override { ensure_allegro(); }

    // Takes from the ring at about the pace of frames (or `perTake` frames every
    // 2 ms, far faster) until the worker ends or `seconds` pass; no call may take 50 ms.
    RenderEnd play(MusicRenderer& renderer, double seconds, long& frames, long perTake = 0)
    {
        std::vector<int16_t> out(2 * 4096);
        auto until = Clock::now() + std::chrono::duration<double>(seconds);
        RenderEnd end = RenderEnd::Playing;
        frames = 0;
        while (Clock::now() < until) {
            auto before = Clock::now();
            end = renderer.state();
            frames += renderer.take(out.data(), perTake ? perTake : 800);
            EXPECT_LT(Clock::now() - before, std::chrono::milliseconds(50)) << "a frame held by the music";
            if (end != RenderEnd::Playing) break;
            std::this_thread::sleep_for(std::chrono::milliseconds(perTake ? 2 : 16));
        }
        return end;
    }

    TempDir proofs{"proofs"};
    std::string folder = proofs.path + "/cache/";
};

TEST_F(MusicWorker, TheHashIsSha256)
{
    EXPECT_EQ(sha256_hex("abc", 3), "ba7816bf8f01cfea414140de5dae2223b00361a396177a9cb410ff61f20015ad");
    EXPECT_EQ(sha256_hex("", 0), "e3b0c44298fc1c149afbf4c8996fb92427ae41e4649b934ca495991b7852b855");
    std::string long_text(1000, 'a');
    EXPECT_EQ(sha256_hex(long_text.data(), long_text.size()),
              "41edece42d63e8d9bf515a9ba6932e1c20cbc9f5a5d134645adb5db1b9737ea3");
}

TEST_F(MusicWorker, TheGameModuleIsProvedOnceAndPlays)
{
    std::string bytes = module_bytes("");
    ASSERT_GT(bytes.size(), 4096u);
    DUH* duh = load(bytes);
    ASSERT_NE(duh, nullptr);
    ModuleProof proof;
    EXPECT_EQ(prove_module_now(proof, duh, bytes.data(), bytes.size(), folder), ProofState::Proven) << proof.reason;
    EXPECT_EQ(file_text(folder + sha256_hex(bytes.data(), bytes.size())), "proven\n");
    // The second time, the kept verdict: no child.
    start_module_proof(proof, duh, bytes.data(), bytes.size(), folder);
    EXPECT_EQ(proof.state, ProofState::Proven);
    EXPECT_EQ(proof.child, -1);

    MusicRenderer renderer(duh, 2, 0, 48000, 4 * 4096);
    long frames = 0;
    EXPECT_EQ(play(renderer, 0.5, frames), RenderEnd::Playing);
    EXPECT_GT(frames, 48000 / 4) << "the worker keeps the ring filled";
    unload_duh(duh);
}

// What the frame takes from the ring is the module itself, sample for sample, as
// the library renders it straight: not merely some sound in the right amount.
TEST_F(MusicWorker, WhatIsTakenIsTheModuleAsRenderedStraight)
{
    std::string bytes = module_bytes("");
    DUH* duh = load(bytes);
    ASSERT_NE(duh, nullptr);
    constexpr long FRAMES = 3 * 48000, CHUNKS = FRAMES / MUSIC_CHUNK_FRAMES + 1;
    std::vector<int16_t> straight(size_t(2 * CHUNKS * MUSIC_CHUNK_FRAMES)), taken(size_t(2 * FRAMES));
    DUH_SIGRENDERER* direct = duh_start_sigrenderer(duh, 0, 2, 0);
    for (long c = 0; c < CHUNKS; ++c)
        duh_render(direct, 16, 0, 1.0f, 65536.0f / 48000, MUSIC_CHUNK_FRAMES, &straight[size_t(2 * c * MUSIC_CHUNK_FRAMES)]);
    duh_end_sigrenderer(direct);
    long got = 0;
    {
        MusicRenderer renderer(duh, 2, 0, 48000, 4 * 4096);
        // Takes of odd sizes, so the ring wraps at every offset.
        for (long n = 0; got < FRAMES && n < 10000; ++n, std::this_thread::sleep_for(std::chrono::milliseconds(2)))
            got += renderer.take(&taken[size_t(2 * got)], std::min(FRAMES - got, 797 + 13 * (n % 7)));
    }
    ASSERT_EQ(got, FRAMES);
    straight.resize(taken.size());
    EXPECT_TRUE(taken == straight) << "the ring holds other sound than the module's";
    double energy = 0;
    for (int16_t v : straight) energy += double(v) * v;
    EXPECT_GT(std::sqrt(energy / double(straight.size())) / 32768.0, 0.01) << "the module is heard at all";
    unload_duh(duh);
}

TEST_F(MusicWorker, TheProofRefusesSlowAndFaultingModules)
{
    for (const char* how : {"high-loop", "slides64", "slide1", "fpe"}) {
        std::string bytes = module_bytes(how);
        ASSERT_GT(bytes.size(), 4096u) << how;
        DUH* duh = load(bytes);
        ASSERT_NE(duh, nullptr) << how;
        ModuleProof proof;
        auto started = Clock::now();
        EXPECT_EQ(prove_module_now(proof, duh, bytes.data(), bytes.size(), folder), ProofState::Refused) << how;
        EXPECT_LT(Clock::now() - started, std::chrono::seconds(20)) << how;
        std::string kept = file_text(folder + sha256_hex(bytes.data(), bytes.size()));
        EXPECT_EQ(kept, "refused: " + proof.reason + "\n") << how;
        if (std::string(how) == "fpe")
            EXPECT_NE(proof.reason.find("crashes"), std::string::npos) << proof.reason;
        else
            EXPECT_NE(proof.reason.find("slower"), std::string::npos) << how << ": " << proof.reason;
        start_module_proof(proof, duh, bytes.data(), bytes.size(), folder);
        EXPECT_EQ(proof.state, ProofState::Refused) << how;
        EXPECT_EQ(proof.child, -1) << how;
        unload_duh(duh);
    }
}

TEST_F(MusicWorker, AVerdictThatIsNotOursIsProvedAgain)
{
    std::string bytes = module_bytes("fpe");
    DUH* duh = load(bytes);
    ASSERT_NE(duh, nullptr);
    std::filesystem::create_directories(folder);
    std::ofstream(folder + sha256_hex(bytes.data(), bytes.size())) << "proven, honestly\n";
    ModuleProof proof;
    EXPECT_EQ(prove_module_now(proof, duh, bytes.data(), bytes.size(), folder), ProofState::Refused);
    unload_duh(duh);
}

TEST_F(MusicWorker, TheMinuteCountsRunningTimeAndRunningOutIsNotKept)
{
    std::string bytes = module_bytes("");
    DUH* duh = load(bytes);
    ASSERT_NE(duh, nullptr);
    const std::string kept = folder + sha256_hex(bytes.data(), bytes.size());
    ModuleProof proof;
    auto start_stopped = [&](int64_t minuteNs) {
        proofTimeoutNs = minuteNs;
        start_module_proof(proof, duh, bytes.data(), bytes.size(), folder);
        ASSERT_EQ(proof.state, ProofState::Running);
        kill(proof.child, SIGSTOP);
    };
    auto settle = [&] {
        while (poll_module_proof(proof, folder) == ProofState::Running)
            std::this_thread::sleep_for(std::chrono::milliseconds(5));
        proofTimeoutNs = PROOF_TIMEOUT_NS;
    };
    // The game stopped (Ctrl+Z) with its child for longer than its minute: that
    // time does not count.
    start_stopped(1000000000);
    std::this_thread::sleep_for(std::chrono::milliseconds(1500));
    kill(proof.child, SIGCONT);
    EXPECT_EQ(poll_module_proof(proof, folder), ProofState::Running) << proof.reason;
    settle();
    EXPECT_EQ(proof.state, ProofState::Proven) << proof.reason;
    std::filesystem::remove(kept);
    // A child that runs out of its minute is refused for this run only.
    start_stopped(300000000);
    settle();
    EXPECT_NE(proof.reason.find("within a minute"), std::string::npos) << proof.reason;
    EXPECT_FALSE(std::filesystem::exists(kept)) << "a verdict of time is not kept";
    start_module_proof(proof, duh, bytes.data(), bytes.size(), folder);
    EXPECT_GT(proof.child, 0) << "proved again at the next start";
    kill_forked(proof.child);
    unload_duh(duh);
}

TEST_F(MusicWorker, AModuleThatCannotKeepUpOnlyStopsTheWorker)
{
    for (const char* how : {"high-loop", "slide1"}) {
        std::string bytes = module_bytes(how);
        DUH* duh = load(bytes);
        ASSERT_NE(duh, nullptr);
        {
            MusicRenderer renderer(duh, 2, 0, 48000, 4 * 4096);
            long frames = 0;
            EXPECT_EQ(play(renderer, 15, frames), RenderEnd::TooSlow) << how;
            // Leaving the scope stops the worker, cutting a buffer short.
        }
        unload_duh(duh);
    }
}

TEST_F(MusicWorker, ALibraryFaultOnlyStopsTheWorker)
{
    std::string bytes = module_bytes("fpe");
    DUH* duh = load(bytes);
    ASSERT_NE(duh, nullptr);
    for (int round = 0; round < 2; ++round) {  // and the guard still works the second time
        MusicRenderer renderer(duh, 2, 0, 48000, 4 * 4096);
        long frames = 0;
        EXPECT_EQ(play(renderer, 15, frames, 4096), RenderEnd::Fault);
    }
    unload_duh(duh);
}

}  // namespace
