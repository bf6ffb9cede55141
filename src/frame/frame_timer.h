// The frame timer on the monotonic clock, and the pacing that sleeps to each
// frame's deadline.
#pragma once

#include <cstdint>

struct FrameTimer {
    bool counterAvailable = false;
    int64_t frequency = 0;  // counts per second
    int64_t start = 0;      // counter at the last reset
};

extern FrameTimer frameTimer;

void frame_timer_start();
int32_t frame_timer_elapsed(int32_t rate);
void frame_timer_reset();
// Waits until a frame's time has passed since the last reset, then resets.
void frame_timer_pace();

// The clock the pacing reads and sleeps on: the monotonic clock in the game, a
// fake one in tests. `sleepUntil` may return early (a signal) or late.
struct PaceClock {
    int64_t (*now)(void* data);
    void (*sleepUntil)(void* data, int64_t deadline);
    void* data;
};

// What one wait did, for --frame-stats.
struct PaceResult {
    int64_t deadline;  // the first counter value at which the frame's time has passed
    int64_t woke;      // the reading that ended the wait and became the new start
    bool slept;        // false when the frame had already overrun its deadline
};

// The first counter value at which frame_timer_elapsed(rate) reaches 1.
int64_t frame_deadline(const FrameTimer& timer, int32_t rate);
// Sleeps to the deadline, spins for at most `finalSpin` counts before it, then
// resets the timer to the reading that ended the wait: a slow frame is followed
// at once by the next, and its lost time is not made up.
PaceResult pace_frame(FrameTimer& timer, const PaceClock& clock, int64_t finalSpin);
