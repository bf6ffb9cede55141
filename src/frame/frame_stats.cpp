#include "frame/frame_stats.h"

#include <algorithm>
#include <cstdio>
#include <numeric>

FrameStats frameStats;

void frame_stats_record(int64_t now)
{
    if (!frameStats.enabled) return;
    if (frameStats.firstFrame < 0) frameStats.firstFrame = now;
    if (frameStats.lastFrame >= 0) frameStats.intervalsMs.push_back((now - frameStats.lastFrame) / 1e6);
    frameStats.lastFrame = now;
}

std::string frame_stats_line(const FrameStats& stats)
{
    std::vector<double> sorted = stats.intervalsMs;
    std::sort(sorted.begin(), sorted.end());
    double mean = 0, p99 = 0, largest = 0;
    if (!sorted.empty()) {
        mean = std::accumulate(sorted.begin(), sorted.end(), 0.0) / double(sorted.size());
        // The nearest-rank 99th percentile.
        size_t rank = (sorted.size() * 99 + 99) / 100;
        p99 = sorted[std::min(sorted.size(), std::max<size_t>(rank, 1)) - 1];
        largest = sorted.back();
    }
    double first = stats.firstFrame >= 0 ? (stats.firstFrame - stats.processStart) / 1e6 : 0.0;
    size_t frames = stats.firstFrame >= 0 ? sorted.size() + 1 : 0;
    char line[160];
    std::snprintf(line, sizeof line, "frames %zu, mean %.2f ms, p99 %.2f ms, max %.2f ms, first frame %.1f ms",
                  frames, mean, p99, largest, first);
    return line;
}
