#include "core/frame_stats.h"

#include <algorithm>
#include <cstdio>
#include <numeric>

#include "core/game_state.h"

FrameStats frameStats;

namespace {

constexpr int64_t ONE_SECOND_NS = 1000000000;
constexpr double LONG_INTERVAL_MS = 25.0;

// The nearest-rank percentile of sorted values; 0 when there are none.
double percentile(const std::vector<double>& sorted, int percent)
{
    if (sorted.empty()) return 0.0;
    size_t rank = (sorted.size() * percent + 99) / 100;
    return sorted[std::min(sorted.size(), std::max<size_t>(rank, 1)) - 1];
}

std::string events_text(uint32_t events)
{
    static const char* const names[] = {"display opened", "music started", "room entered",
                                        "scene read",     "sound started", "waited for a key to be let go"};
    std::string text;
    for (int bit = 0; bit < 6; ++bit)
        if (events & (1u << bit)) text += std::string(text.empty() ? "; " : ", ") + names[bit];
    return text;
}

}  // namespace

void frame_stats_event(uint32_t events) { frameStats.pendingEvents |= events; }

void frame_stats_wait(int64_t began, int64_t lateness, int64_t ended)
{
    if (!frameStats.enabled) return;
    frameStats.waitBegan = began;
    frameStats.waitEnded = ended;
    if (lateness >= 0) frameStats.latenessMs.push_back(lateness / 1e6);
}

void frame_stats_showing(int64_t now)
{
    if (frameStats.enabled) frameStats.showBegan = now;
}

void frame_stats_keep_longest(FrameStats& stats, const FrameInterval& interval)
{
    auto& kept = stats.longest;
    if (kept.size() >= LONGEST_KEPT && interval.ms <= kept.back().ms) return;
    auto at = std::find_if(kept.begin(), kept.end(), [&](const FrameInterval& k) { return interval.ms > k.ms; });
    kept.insert(at, interval);
    if (kept.size() > LONGEST_KEPT) kept.pop_back();
}

void frame_stats_record(int64_t now)
{
    if (!frameStats.enabled) return;
    FrameStats& s = frameStats;
    ++s.frames;
    if (s.firstFrame < 0) s.firstFrame = now;
    if (s.lastFrame >= 0) {
        FrameInterval interval;
        interval.ms = (now - s.lastFrame) / 1e6;
        interval.frame = s.frames;
        interval.atSeconds = (now - s.processStart) / 1e9;
        interval.mode = game.gameMode;
        interval.page = game.eventCode;
        interval.room = game.currentRoom;
        interval.events = s.pendingEvents;
        if (s.waitBegan >= s.lastFrame && s.waitEnded >= s.waitBegan && now >= s.waitEnded) {
            interval.stepMs = (s.waitBegan - s.lastFrame) / 1e6;
            interval.waitMs = (s.waitEnded - s.waitBegan) / 1e6;
            // Drawing ends where showing the frame begins, when it was shown.
            const int64_t shown = s.showBegan >= s.waitEnded && s.showBegan <= now ? s.showBegan : now;
            interval.drawMs = (shown - s.waitEnded) / 1e6;
            interval.showMs = (now - shown) / 1e6;
            s.drawMs.push_back(static_cast<float>(interval.drawMs));
            s.showMs.push_back(static_cast<float>(interval.showMs));
        }
        s.intervalsMs.push_back(interval.ms);
        if (now - s.processStart > ONE_SECOND_NS) s.intervalsAfterFirstSecondMs.push_back(interval.ms);
        frame_stats_keep_longest(s, interval);
        s.pendingEvents = 0;
    }
    s.lastFrame = now;
}

std::string frame_stats_line(const FrameStats& stats)
{
    std::vector<double> sorted = stats.intervalsMs;
    std::sort(sorted.begin(), sorted.end());
    double mean = 0, largest = 0;
    if (!sorted.empty()) {
        mean = std::accumulate(sorted.begin(), sorted.end(), 0.0) / double(sorted.size());
        largest = sorted.back();
    }
    double first = stats.firstFrame >= 0 ? (stats.firstFrame - stats.processStart) / 1e6 : 0.0;
    size_t frames = stats.firstFrame >= 0 ? sorted.size() + 1 : 0;
    char line[160];
    std::snprintf(line, sizeof line, "frames %zu, mean %.2f ms, p99 %.2f ms, max %.2f ms, first frame %.1f ms",
                  frames, mean, percentile(sorted, 99), largest, first);
    return line;
}

std::string frame_stats_report(const FrameStats& stats)
{
    static const char* const modeNames[] = {"Play", "EventScreen", "Interlude", "TheEnd"};
    std::string report = frame_stats_line(stats) + "\n";
    char line[256];

    std::vector<double> late = stats.intervalsAfterFirstSecondMs;
    std::sort(late.begin(), late.end());
    long over = std::count_if(late.begin(), late.end(), [](double ms) { return ms > LONG_INTERVAL_MS; });
    std::snprintf(line, sizeof line, "after the first second: intervals %zu, p99 %.2f ms, max %.2f ms, over %.0f ms %ld\n",
                  late.size(), percentile(late, 99), late.empty() ? 0.0 : late.back(), LONG_INTERVAL_MS, over);
    report += line;

    int rank = 0;
    for (const FrameInterval& i : stats.longest) {
        std::snprintf(line, sizeof line,
                      "longest %d: %.2f ms before frame %d at %.2f s, mode %s, page %d, room %d "
                      "(step %.2f, wait %.2f, draw %.2f, show %.2f ms%s)\n",
                      ++rank, i.ms, i.frame, i.atSeconds, modeNames[i.mode & 3], i.page, i.room, i.stepMs,
                      i.waitMs, i.drawMs, i.showMs, events_text(i.events).c_str());
        report += line;
    }

    std::vector<double> draw(stats.drawMs.begin(), stats.drawMs.end());
    std::vector<double> show(stats.showMs.begin(), stats.showMs.end());
    std::sort(draw.begin(), draw.end());
    std::sort(show.begin(), show.end());
    std::snprintf(line, sizeof line, "drawing: median %.3f ms, p99 %.3f ms; showing: median %.3f ms, p99 %.3f ms\n",
                  percentile(draw, 50), percentile(draw, 99), percentile(show, 50), percentile(show, 99));
    report += line;

    std::vector<double> wake = stats.latenessMs;
    std::sort(wake.begin(), wake.end());
    std::snprintf(line, sizeof line,
                  "wake-up lateness: sleeps %zu, median %.3f ms, p90 %.3f ms, p99 %.3f ms, max %.3f ms\n",
                  wake.size(), percentile(wake, 50), percentile(wake, 90), percentile(wake, 99),
                  wake.empty() ? 0.0 : wake.back());
    report += line;
    return report;
}
