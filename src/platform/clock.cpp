#include "platform/clock.h"

#include <sys/prctl.h>

#include <ctime>

int64_t monotonic_now_ns()
{
    timespec now{};
    clock_gettime(CLOCK_MONOTONIC, &now);
    return int64_t(now.tv_sec) * 1000000000 + now.tv_nsec;
}

void sleep_until_ns(int64_t deadline)
{
    if (deadline <= 0) return;
    timespec at{time_t(deadline / 1000000000), long(deadline % 1000000000)};
    clock_nanosleep(CLOCK_MONOTONIC, TIMER_ABSTIME, &at, nullptr);
}

void use_precise_sleeps()
{
    prctl(PR_SET_TIMERSLACK, 1000UL, 0UL, 0UL, 0UL);
}
