// The music worker: a thread renders a module with DUMB into a ring buffer ahead
// of time, and the frame thread takes what is ready. The worker makes no Allegro
// call; taking from the ring never waits for it, so a slow module can only fall
// silent, never hold a frame. A module that cannot keep up with real time, or
// that makes the library fault, ends the worker, and the renderer says why.
#pragma once

#include <atomic>
#include <condition_variable>
#include <cstdint>
#include <memory>
#include <mutex>
#include <thread>
#include <vector>

struct DUH;

enum class RenderEnd { Playing, TooSlow, Fault, Ended };

// Over each stretch of this much audio the worker may spend at most
// MUSIC_MAX_CPU_SHARE of that time rendering; a single buffer that takes more
// than MUSIC_STUCK_NS of its CPU time is a module that cannot keep up either.
constexpr double MUSIC_SPEED_WINDOW_SECONDS = 2.0;
constexpr double MUSIC_MAX_CPU_SHARE = 0.5;
constexpr int64_t MUSIC_STUCK_NS = 1000000000;
// Frames rendered in one go.
constexpr long MUSIC_CHUNK_FRAMES = 1024;
// How long stopping waits for the buffer in progress before cutting it short.
constexpr int MUSIC_STOP_WAIT_MS = 200;

// Workers still rendering, in all; at exit the game waits (a little) for none,
// so no worker renders while the libraries shut down.
int music_workers_running();

class MusicRenderer {
public:
    // Starts the worker on `duh` from `position`; `aheadFrames` is the most it
    // renders ahead of what has been taken.
    MusicRenderer(DUH* duh, int channels, long position, int frequency, long aheadFrames);
    // Stops the worker, cutting a buffer short if it does not end within
    // MUSIC_STOP_WAIT_MS, and waits for it. The game stops it away from the
    // frame thread (see music_stream.cpp).
    ~MusicRenderer();
    MusicRenderer(const MusicRenderer&) = delete;
    MusicRenderer& operator=(const MusicRenderer&) = delete;

    // Frames ready to be taken.
    long ready() const;
    // Copies up to `frames` ready frames (signed 16-bit, interleaved) to `out`;
    // returns how many. Never waits for the worker.
    long take(int16_t* out, long frames);
    // Whether the worker still plays, and if not, why. Also notices a worker stuck
    // inside one buffer, and cuts it short.
    RenderEnd state();
    int channels() const { return channelCount; }

private:
    void run(DUH* duh, long position);
    bool render_chunk(void* renderer, int16_t* into, long& got);

    const int channelCount;
    const int frequency;
    const long capacity;
    std::vector<int16_t> ring;
    std::vector<int16_t> chunk;  // the worker's buffer
    std::atomic<uint64_t> written{0}, taken{0};
    std::atomic<bool> stopAsked{false}, finished{false}, interrupted{false};
    std::atomic<int> end{int(RenderEnd::Playing)};
    // The worker's CPU clock when it began the buffer it renders; -1 between buffers.
    std::atomic<int64_t> chunkStartCpu{-1};
    std::atomic<uint64_t> workerId{0};
    std::mutex wakeLock;
    std::condition_variable wake;
    std::thread worker;
};
