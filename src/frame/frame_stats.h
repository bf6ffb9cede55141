// --frame-stats: the intervals between frames shown, summed up at exit.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

struct FrameStats {
    bool enabled = false;
    int64_t processStart = 0;  // ns on the monotonic clock
    int64_t firstFrame = -1;   // when the first frame had been drawn
    int64_t lastFrame = -1;
    std::vector<double> intervalsMs;
};

extern FrameStats frameStats;

// Called once a frame after drawing.
void frame_stats_record(int64_t now);
// "frames 1200, mean 16.67 ms, p99 17.10 ms, max 18.02 ms, first frame 212.4 ms"
std::string frame_stats_line(const FrameStats& stats);
