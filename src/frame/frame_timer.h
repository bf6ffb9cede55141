// The frame timer on the monotonic clock.
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
