// --frame-stats: the intervals between frames shown, summed up at exit, with the
// longest of them and what happened while they lasted.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

// Work that may stall a frame, noted when it happens during an interval.
enum FrameEvent : uint32_t {
    FRAME_DISPLAY_OPENED = 1u << 0,  // the window was opened or re-opened
    FRAME_MUSIC_STARTED = 1u << 1,   // a music stream was started
    FRAME_ROOM_ENTERED = 1u << 2,
    FRAME_SCENE_READ = 1u << 3,      // a scene image was read from disk
    FRAME_SOUND_STARTED = 1u << 4,   // a sound effect was started
    FRAME_KEY_WAIT = 1u << 5,        // the game waited for a key to be let go
};

// One interval between two frames shown: the frame that ended it and where the
// game was then, and how the time went: the rest of the previous frame's step
// (input, music, world), the wait, the drawing of this frame and its showing
// (the copy to the display).
struct FrameInterval {
    double ms = 0;
    int frame = 0;  // 1 is the first frame shown
    double atSeconds = 0;  // since the process started
    int mode = 0, page = 0, room = 0;
    uint32_t events = 0;
    double stepMs = 0, waitMs = 0, drawMs = 0, showMs = 0;
};

struct FrameStats {
    bool enabled = false;
    int64_t processStart = 0;  // ns on the monotonic clock
    int64_t firstFrame = -1;   // when the first frame had been drawn
    int64_t lastFrame = -1;
    int frames = 0;
    std::vector<double> intervalsMs;
    std::vector<double> intervalsAfterFirstSecondMs;
    std::vector<FrameInterval> longest;  // the five longest, longest first
    std::vector<double> latenessMs;      // how late each sleep woke after its deadline
    std::vector<float> drawMs, showMs;   // of every interval whose wait was seen
    uint32_t pendingEvents = 0;
    int64_t waitBegan = -1, waitEnded = -1;
    int64_t showBegan = -1;
};

extern FrameStats frameStats;

constexpr size_t LONGEST_KEPT = 5;

// Notes work done in the current interval (FrameEvent bits).
void frame_stats_event(uint32_t events);
// The pacing's wait: when it began and ended, and how late it woke (ns; negative
// when the frame had overrun and there was nothing to sleep).
void frame_stats_wait(int64_t began, int64_t lateness, int64_t ended);
// When the finished frame began to be shown (sent to the display).
void frame_stats_showing(int64_t now);
// Called once a frame after drawing; reads the mode, page and room from the game.
void frame_stats_record(int64_t now);
// Files one interval into the five longest.
void frame_stats_keep_longest(FrameStats& stats, const FrameInterval& interval);
// "frames 1200, mean 16.67 ms, p99 17.10 ms, max 18.02 ms, first frame 212.4 ms"
std::string frame_stats_line(const FrameStats& stats);
// That line, then the same after the first second, the longest intervals, and
// the distribution of wake-up lateness; one line each.
std::string frame_stats_report(const FrameStats& stats);
