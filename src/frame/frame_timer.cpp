#include "frame/frame_timer.h"

#include "core/frame_stats.h"
#include "core/game_state.h"
#include "platform/clock.h"

FrameTimer frameTimer;

namespace {

// No spin: sleeping straight to the deadline wakes about 0.05 ms late, and when
// it wakes later the machine was busy, which a spin after waking cannot undo.
constexpr int64_t FINAL_SPIN_NS = 0;

int64_t clock_now(void*) { return monotonic_now_ns(); }
void clock_sleep_until(void*, int64_t deadline) { sleep_until_ns(deadline); }

}  // namespace

void frame_timer_start()
{
    // The monotonic clock counts nanoseconds and is always there on Linux.
    frameTimer.frequency = 1000000000;
    frameTimer.counterAvailable = true;
    frameTimer.start = monotonic_now_ns();
    use_precise_sleeps();
}

int32_t frame_timer_elapsed(int32_t rate)
{
    if (!frameTimer.counterAvailable) return 0;
    int64_t ticks = monotonic_now_ns() - frameTimer.start;
    return int32_t((ticks * rate) / frameTimer.frequency);
}

void frame_timer_reset()
{
    if (frameTimer.counterAvailable) frameTimer.start = monotonic_now_ns();
}

int64_t frame_deadline(const FrameTimer& timer, int32_t rate)
{
    // elapsed * rate / frequency >= 1 exactly when elapsed >= frequency / rate, rounded up.
    return timer.start + (timer.frequency + rate - 1) / rate;
}

PaceResult pace_frame(FrameTimer& timer, const PaceClock& clock, int64_t finalSpin)
{
    const int64_t deadline = frame_deadline(timer, framesPerSecond);
    int64_t now = clock.now(clock.data);
    PaceResult result{deadline, now, now < deadline};
    if (!timer.counterAvailable) {
        // No clock to wait on: never wait forever.
        result.slept = false;
        return result;
    }
    const int64_t wakeAt = deadline - (finalSpin > 0 ? finalSpin : 0);
    while (now < wakeAt) {
        clock.sleepUntil(clock.data, wakeAt);
        now = clock.now(clock.data);
    }
    while (now < deadline) now = clock.now(clock.data);
    timer.start = now;
    result.woke = now;
    return result;
}

void frame_timer_pace()
{
    const int64_t began = monotonic_now_ns();
    const PaceResult result = pace_frame(frameTimer, PaceClock{clock_now, clock_sleep_until, nullptr}, FINAL_SPIN_NS);
    frame_stats_wait(began, result.slept ? result.woke - result.deadline : -1, result.woke);
}
