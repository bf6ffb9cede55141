// The proof of a module before it is first played: a child process renders its
// whole song once, to the loop point, as fast as it can. A signal, a render
// slower than a quarter of real time, or no end within a minute refuses it.
// The game never waits for the proof: it is polled once a frame. Verdicts that
// do not depend on how busy the machine is are kept in a cache folder, one
// file per SHA-256 of the module's bytes, so a module is proved once.
#pragma once

#include <cstdint>
#include <string>

struct DUH;

// The song is rendered at the game's rate; a render may cost at most this share
// of the time it plays for (after a grace), and the song is followed this far.
constexpr int PROOF_SAMPLE_RATE = 48000;
constexpr double PROOF_MAX_CPU_SHARE = 0.25;
constexpr int64_t PROOF_GRACE_NS = 500000000;
constexpr double PROOF_LONGEST_SONG_SECONDS = 20 * 60;
constexpr int64_t PROOF_TIMEOUT_NS = 60000000000;
// The minute counts the time the game ran: a gap between two polls longer than
// this (the game was stopped, as with Ctrl+Z, and its child with it) counts as
// this much only.
constexpr int64_t PROOF_LONGEST_POLL_GAP_NS = 100000000;
// The minute itself (tests shorten it).
extern int64_t proofTimeoutNs;

enum class ProofState { Idle, Running, Proven, Refused };

struct ModuleProof {
    ProofState state = ProofState::Idle;
    std::string hash;       // of the module's bytes
    std::string reason;     // why it was refused
    int child = -1;
    int64_t ranNs = 0;       // running time of the proof so far
    int64_t lastPollNs = 0;
};

// Looks the bytes up in `cacheFolder` ("" for none); when no verdict is kept,
// starts the child that renders `duh`.
void start_module_proof(ModuleProof& proof, DUH* duh, const void* bytes, size_t size, const std::string& cacheFolder);
// Once a frame while Running: collects the child's verdict when it has one, and
// keeps it in the cache folder where it does not depend on the machine's load (a
// proof that ran out of time is tried again at the next start). Returns the state.
ProofState poll_module_proof(ModuleProof& proof, const std::string& cacheFolder);
// Both at once, waiting for the verdict (tests and tools).
ProofState prove_module_now(ModuleProof& proof, DUH* duh, const void* bytes, size_t size,
                            const std::string& cacheFolder);
// The child's work: renders `duh` to its loop point. 0 when it kept up.
int render_whole_song(DUH* duh);
