// The monotonic clock and sleeping on it.
#pragma once

#include <cstdint>

int64_t monotonic_now_ns();
// Sleeps until the monotonic clock reads `deadline` (ns); may return early on a signal.
void sleep_until_ns(int64_t deadline);
// Lets this thread's sleeps end within a microsecond of their deadline instead of
// the usual 50: the frame wait wakes closer to the frame's end.
void use_precise_sleeps();
