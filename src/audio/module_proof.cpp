#include "audio/module_proof.h"

#include <dumb.h>

#include <algorithm>
#include <chrono>
#include <csignal>
#include <cstring>
#include <thread>

#include "core/content_hash.h"
#include "platform/clock.h"
#include "platform/files.h"
#include "platform/forked_work.h"
#include "platform/paths.h"

int64_t proofTimeoutNs = PROOF_TIMEOUT_NS;

namespace {

// The child's exit codes.
constexpr int PROVEN = 0;
constexpr int TOO_SLOW = 3;
constexpr int NO_RENDERER = 4;

// The child's CPU time allowed so far: the grace, and a share of what it has rendered.
volatile int64_t allowanceNs = 0;

constexpr int CHILD_CPU_SECONDS =
    int(PROOF_GRACE_NS / 1000000000 + PROOF_LONGEST_SONG_SECONDS * PROOF_MAX_CPU_SHARE) + 2;

std::string cache_file(const std::string& folder, const std::string& hash)
{
    return folder.empty() ? "" : folder + hash;
}

// A kept verdict: "proven", or "refused: why".
bool read_cached(ModuleProof& proof, const std::string& folder)
{
    std::string path = cache_file(folder, proof.hash), text;
    if (path.empty() || read_regular_file(path.c_str(), 4096, text) != FileRead::Read) return false;
    if (text == "proven\n") {
        proof.state = ProofState::Proven;
        return true;
    }
    if (text.rfind("refused: ", 0) == 0 && text.size() > 10 && text.back() == '\n') {
        proof.state = ProofState::Refused;
        proof.reason = text.substr(9, text.size() - 10);
        return true;
    }
    return false;  // not one of ours: proved again, and written over
}

void keep_verdict(const ModuleProof& proof, const std::string& folder)
{
    std::string path = cache_file(folder, proof.hash);
    if (path.empty() || !make_private_folders(folder)) return;  // no cache: proved at every start
    replace_file(path, proof.state == ProofState::Proven ? "proven\n" : "refused: " + proof.reason + "\n");
}

void settle(ModuleProof& proof, ProofState state, const std::string& reason, bool keep, const std::string& folder)
{
    proof.state = state;
    proof.reason = reason;
    proof.child = -1;
    if (keep) keep_verdict(proof, folder);
}

int proof_child(void* data)
{
    return render_whole_song(static_cast<DUH*>(data));
}

}  // namespace

int render_whole_song(DUH* duh)
{
    allowanceNs = PROOF_GRACE_NS;
    limit_child_cpu(&allowanceNs, TOO_SLOW);
    DUH_SIGRENDERER* renderer = duh_start_sigrenderer(duh, 0, 2, 0);
    DUMB_IT_SIGRENDERER* song = renderer ? duh_get_it_sigrenderer(renderer) : nullptr;
    if (!song) return NO_RENDERER;
    // The song ends where it would loop, or where a speed of 0 would stop it.
    dumb_it_set_loop_callback(song, dumb_it_callback_terminate, nullptr);
    dumb_it_set_xm_speed_zero_callback(song, dumb_it_callback_terminate, nullptr);
    static short buffer[2 * 4096];
    const long longest = long(PROOF_LONGEST_SONG_SECONDS * PROOF_SAMPLE_RATE);
    for (long done = 0; done < longest;) {
        long got = duh_render(renderer, 16, 0, 1.0f, 65536.0f / PROOF_SAMPLE_RATE, 4096, buffer);
        done += got > 0 ? got : 0;
        allowanceNs = PROOF_GRACE_NS + int64_t(double(done) / PROOF_SAMPLE_RATE * PROOF_MAX_CPU_SHARE * 1e9);
        if (got < 4096) break;
    }
    return PROVEN;
}

void start_module_proof(ModuleProof& proof, DUH* duh, const void* bytes, size_t size, const std::string& cacheFolder)
{
    proof = ModuleProof{};
    proof.hash = sha256_hex(bytes, size);
    if (read_cached(proof, cacheFolder)) return;
    proof.child = fork_work(proof_child, duh, CHILD_CPU_SECONDS);
    if (proof.child < 0) {
        // No process to prove it in: it is played unproved, as the worker still
        // stops a module that cannot keep up.
        proof.state = ProofState::Proven;
        return;
    }
    proof.state = ProofState::Running;
    proof.lastPollNs = monotonic_now_ns();
}

ProofState poll_module_proof(ModuleProof& proof, const std::string& cacheFolder)
{
    if (proof.state != ProofState::Running) return proof.state;
    int code = 0;
    switch (poll_forked(proof.child, code)) {
    case ChildState::Running: {
        const int64_t now = monotonic_now_ns();
        proof.ranNs += std::min(now - proof.lastPollNs, PROOF_LONGEST_POLL_GAP_NS);
        proof.lastPollNs = now;
        if (proof.ranNs > proofTimeoutNs) {
            kill_forked(proof.child);
            // How long it took depends on the machine's load: not kept.
            settle(proof, ProofState::Refused, "its song did not end within a minute", false, cacheFolder);
        }
        break;
    }
    case ChildState::Exited:
        if (code == PROVEN)
            settle(proof, ProofState::Proven, "", true, cacheFolder);
        else if (code == TOO_SLOW)
            settle(proof, ProofState::Refused, "it renders slower than a quarter of real time", true, cacheFolder);
        else if (code == NO_RENDERER)
            settle(proof, ProofState::Refused, "the library cannot play it", true, cacheFolder);
        else
            settle(proof, ProofState::Refused, "its proof failed (status " + std::to_string(code) + ")", false,
                   cacheFolder);
        break;
    case ChildState::Signalled:
        // SIGXCPU is the CPU limit, which a render slower than allowed reaches.
        settle(proof, ProofState::Refused,
               code == SIGXCPU ? "it renders slower than a quarter of real time"
                               : "it crashes the library (" + std::string(strsignal(code)) + ")",
               code != SIGKILL, cacheFolder);
        break;
    case ChildState::Lost: settle(proof, ProofState::Proven, "", false, cacheFolder); break;
    }
    return proof.state;
}

ProofState prove_module_now(ModuleProof& proof, DUH* duh, const void* bytes, size_t size,
                            const std::string& cacheFolder)
{
    start_module_proof(proof, duh, bytes, size, cacheFolder);
    while (poll_module_proof(proof, cacheFolder) == ProofState::Running)
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    return proof.state;
}
