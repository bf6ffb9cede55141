#include "audio/music_render.h"

#include <dumb.h>

#include <algorithm>
#include <chrono>
#include <cstring>

#include "platform/guard.h"

namespace {

struct ChunkJob {
    DUH_SIGRENDERER* renderer;
    int16_t* into;
    long frames;
    int frequency;
    long got;
};

void render_job(void* data)
{
    ChunkJob& job = *static_cast<ChunkJob*>(data);
    job.got = duh_render(job.renderer, 16, 0, 1.0f, 65536.0f / float(job.frequency), job.frames, job.into);
}

std::atomic<int> workersRunning{0};

}  // namespace

int music_workers_running()
{
    return workersRunning;
}

MusicRenderer::MusicRenderer(DUH* duh, int channels, long position, int frequency, long aheadFrames)
    : channelCount(channels), frequency(frequency), capacity(std::max(aheadFrames, MUSIC_CHUNK_FRAMES)),
      ring(size_t(capacity) * size_t(channels)), chunk(size_t(MUSIC_CHUNK_FRAMES) * size_t(channels))
{
    ++workersRunning;
    worker = std::thread([this, duh, position] { run(duh, position); });
}

MusicRenderer::~MusicRenderer()
{
    stopAsked = true;
    wake.notify_all();
    // A buffer in progress is let finish: that takes a millisecond or so.
    auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(MUSIC_STOP_WAIT_MS);
    while (!finished && std::chrono::steady_clock::now() < deadline)
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    // One that never ends is cut short.
    while (!finished) {
        uint64_t id = workerId;
        if (id && chunkStartCpu >= 0) {
            interrupted = true;
            interrupt_guarded(id);
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(2));
    }
    // A worker cut short may have been inside the allocator, holding its lock:
    // it is not waited for, as its last steps might never end.
    if (interrupted)
        worker.detach();
    else
        worker.join();
}

bool MusicRenderer::render_chunk(void* renderer, int16_t* into, long& got)
{
    ChunkJob job{static_cast<DUH_SIGRENDERER*>(renderer), into, MUSIC_CHUNK_FRAMES, frequency, 0};
    chunkStartCpu = thread_cpu_ns();
    GuardEnd guard = run_guarded(render_job, &job);
    chunkStartCpu = -1;
    if (guard == GuardEnd::Fault) end = int(RenderEnd::Fault);
    if (guard != GuardEnd::Done) {
        interrupted = true;
        // Cut short by the frame thread: it has set the reason already.
        if (guard == GuardEnd::Interrupted && end == int(RenderEnd::Playing)) end = int(RenderEnd::TooSlow);
        return false;
    }
    got = job.got;
    return true;
}

void MusicRenderer::run(DUH* duh, long position)
{
    workerId = current_thread_id();
    // Everything the worker frees later was allocated by the thread that made
    // the renderer (the ring, this buffer), so a worker cut short inside the
    // allocator never leaves another thread waiting on it.
    DUH_SIGRENDERER* renderer = duh_start_sigrenderer(duh, 0, channelCount, position);
    int64_t windowCpu = 0;
    long windowFrames = 0;
    bool usable = renderer != nullptr;
    if (!renderer) end = int(RenderEnd::Ended);
    while (usable && !stopAsked) {
        long room = capacity - long(written - taken);
        if (room < MUSIC_CHUNK_FRAMES) {
            std::unique_lock<std::mutex> lock(wakeLock);
            wake.wait_for(lock, std::chrono::milliseconds(5));
            continue;
        }
        int64_t before = thread_cpu_ns();
        long got = 0;
        if (!render_chunk(renderer, chunk.data(), got)) {
            // The renderer was left half way through a buffer: never touched again.
            renderer = nullptr;
            break;
        }
        windowCpu += thread_cpu_ns() - before;
        size_t at = size_t(written % uint64_t(capacity));
        for (long f = 0; f < got; ++f, at = (at + 1) % size_t(capacity))
            std::memcpy(&ring[at * channelCount], &chunk[size_t(f) * channelCount], sizeof(int16_t) * channelCount);
        written += uint64_t(got);
        windowFrames += got;
        // The window's share is spent: it is known before the window is full.
        if (double(windowCpu) > MUSIC_SPEED_WINDOW_SECONDS * 1e9 * MUSIC_MAX_CPU_SHARE) {
            end = int(RenderEnd::TooSlow);
            break;
        }
        if (windowFrames >= long(MUSIC_SPEED_WINDOW_SECONDS * frequency)) {
            windowCpu = 0;
            windowFrames = 0;
        }
        if (got < MUSIC_CHUNK_FRAMES) {
            end = int(RenderEnd::Ended);
            break;
        }
    }
    if (renderer) duh_end_sigrenderer(renderer);
    --workersRunning;
    finished = true;
}

long MusicRenderer::ready() const
{
    return long(written - taken);
}

long MusicRenderer::take(int16_t* out, long frames)
{
    long count = std::min(frames, ready());
    size_t at = size_t(taken % uint64_t(capacity));
    for (long f = 0; f < count; ++f, at = (at + 1) % size_t(capacity))
        std::memcpy(&out[size_t(f) * channelCount], &ring[at * channelCount], sizeof(int16_t) * channelCount);
    taken += uint64_t(count);
    if (count > 0) wake.notify_one();
    return count;
}

RenderEnd MusicRenderer::state()
{
    int64_t started = chunkStartCpu;
    uint64_t id = workerId;
    if (!finished && started >= 0 && id && thread_cpu_ns_of(id) - started > MUSIC_STUCK_NS) {
        int expected = int(RenderEnd::Playing);
        end.compare_exchange_strong(expected, int(RenderEnd::TooSlow));
        stopAsked = true;
        interrupted = true;
        interrupt_guarded(id);
    }
    return RenderEnd(end.load());
}
