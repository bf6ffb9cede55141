#include "frame/frame_timer.h"

#include <allegro.h>

#include "frame/game_state.h"
#include "frame/platform.h"

FrameTimer frameTimer;

void frame_timer_start()
{
    // The monotonic clock counts nanoseconds and is always there on Linux.
    frameTimer.frequency = 1000000000;
    frameTimer.counterAvailable = true;
    frameTimer.start = monotonic_now_ns();
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

void frame_timer_pace()
{
    // Sleep until about 2 ms before the frame's end, then give up time slices until
    // it has passed: the same deadline as a pure rest(0) loop without spinning a core.
    const int64_t frame = frameTimer.frequency / framesPerSecond;
    const int64_t margin = 2000000;
    int64_t remaining = frame - (monotonic_now_ns() - frameTimer.start);
    if (frameTimer.counterAvailable && remaining > margin) sleep_ns(remaining - margin);
    while (frame_timer_elapsed(framesPerSecond) < 1) {
        if (!frameTimer.counterAvailable) break;  // no clock: never wait forever
        rest(0);
    }
    frame_timer_reset();
}
