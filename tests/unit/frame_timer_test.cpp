// The pacing arithmetic on a fake clock: the deadline, the sleep to it, frames
// that overran and late wake-ups; and what --frame-stats keeps of the intervals.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/frame_stats.h"
#include "frame/frame_timer.h"
#include "core/game_state.h"
#include "frame/game_setup.h"

namespace {

constexpr int64_t NS = 1000000000;
constexpr int64_t FRAME_NS = 16666667;  // 1/60 s rounded up to a whole count

// A clock that only moves when the pacing sleeps (to the deadline plus a set
// lateness, or halfway when a signal cuts the sleep short) or, spinning, reads it.
struct FakeClock {
    int64_t now = 0;
    int64_t lateness = 0;
    int interruptedSleeps = 0;
    int64_t readStep = 0;  // how far each reading moves the clock
    std::vector<int64_t> sleeps;

    static int64_t read(void* data)
    {
        FakeClock* clock = static_cast<FakeClock*>(data);
        int64_t reading = clock->now;
        clock->now += clock->readStep;
        return reading;
    }
    static void sleep_until(void* data, int64_t deadline)
    {
        FakeClock* clock = static_cast<FakeClock*>(data);
        clock->sleeps.push_back(deadline);
        if (clock->interruptedSleeps > 0) {
            --clock->interruptedSleeps;
            clock->now += (deadline - clock->now) / 2;
        } else if (clock->now < deadline + clock->lateness) {
            clock->now = deadline + clock->lateness;
        }
    }
    PaceClock pace_clock() { return PaceClock{read, sleep_until, this}; }
};

FrameTimer timer_at(int64_t start, int64_t frequency = NS)
{
    FrameTimer timer;
    timer.counterAvailable = true;
    timer.frequency = frequency;
    timer.start = start;
    return timer;
}

}  // namespace

TEST(FramePacing, TheDeadlineIsTheFirstCountAtWhichAWholeFrameHasPassed)
{
    for (int64_t frequency : {NS, int64_t(3579545), int64_t(10000000), int64_t(60)}) {
        FrameTimer timer = timer_at(12345, frequency);
        int64_t deadline = frame_deadline(timer, framesPerSecond);
        // As frame_timer_elapsed counts: ((now - start) * rate) / frequency.
        EXPECT_EQ((deadline - timer.start) * framesPerSecond / frequency, 1) << frequency;
        EXPECT_EQ((deadline - 1 - timer.start) * framesPerSecond / frequency, 0) << frequency;
    }
    EXPECT_EQ(frame_deadline(timer_at(0), 60), FRAME_NS);
}

TEST(FramePacing, SleepsOnceToTheDeadlineAndStartsTheNextFrameThere)
{
    FakeClock clock;
    clock.now = 1000 + 5000000;  // the frame's work took 5 ms
    FrameTimer timer = timer_at(1000);
    PaceResult result = pace_frame(timer, clock.pace_clock(), 0);
    EXPECT_EQ(clock.sleeps, (std::vector<int64_t>{1000 + FRAME_NS}));
    EXPECT_TRUE(result.slept);
    EXPECT_EQ(result.deadline, 1000 + FRAME_NS);
    EXPECT_EQ(timer.start, 1000 + FRAME_NS);

    // Sixty frames of light work take one second, to the count.
    for (int n = 1; n < 60; ++n) {
        clock.now += 2000000;
        pace_frame(timer, clock.pace_clock(), 0);
    }
    EXPECT_EQ(timer.start, 1000 + 60 * FRAME_NS);
}

TEST(FramePacing, AFrameThatOverranIsFollowedAtOnceWithoutCatchingUp)
{
    FakeClock clock;
    FrameTimer timer = timer_at(0);
    clock.now = 50000000;  // 50 ms of work
    PaceResult result = pace_frame(timer, clock.pace_clock(), 0);
    EXPECT_FALSE(result.slept);
    EXPECT_TRUE(clock.sleeps.empty());
    EXPECT_EQ(timer.start, 50000000) << "the next frame counts from now, not from the missed deadline";

    // The next frame gets its whole 1/60 s again: the lost time is not made up.
    clock.now += 1000000;
    pace_frame(timer, clock.pace_clock(), 0);
    EXPECT_EQ(clock.sleeps, (std::vector<int64_t>{50000000 + FRAME_NS}));
    EXPECT_EQ(timer.start, 50000000 + FRAME_NS);
}

TEST(FramePacing, ALateWakeUpDelaysTheNextDeadlineByTheSameAmount)
{
    FakeClock clock;
    clock.lateness = 3000000;
    FrameTimer timer = timer_at(0);
    PaceResult result = pace_frame(timer, clock.pace_clock(), 0);
    EXPECT_EQ(result.woke - result.deadline, 3000000);
    EXPECT_EQ(timer.start, FRAME_NS + 3000000);
    clock.lateness = 0;
    pace_frame(timer, clock.pace_clock(), 0);
    EXPECT_EQ(timer.start, 2 * FRAME_NS + 3000000);
}

TEST(FramePacing, ASleepCutShortSleepsAgainAndAFinalSpinReadsTheClockToTheDeadline)
{
    FakeClock clock;
    clock.interruptedSleeps = 2;
    FrameTimer timer = timer_at(0);
    pace_frame(timer, clock.pace_clock(), 0);
    EXPECT_EQ(clock.sleeps.size(), 3u);
    EXPECT_EQ(timer.start, FRAME_NS);

    // With a 1 ms spin the sleep ends 1 ms early and the readings cover the rest.
    FakeClock spinning;
    spinning.readStep = 100000;
    FrameTimer spun = timer_at(0);
    PaceResult result = pace_frame(spun, spinning.pace_clock(), 1000000);
    EXPECT_EQ(spinning.sleeps, (std::vector<int64_t>{FRAME_NS - 1000000}));
    EXPECT_GE(result.woke, FRAME_NS);
    EXPECT_LT(result.woke, FRAME_NS + 100000);
    EXPECT_EQ(spun.start, result.woke);
}

TEST(FramePacing, WithoutACounterNothingWaits)
{
    FakeClock clock;
    clock.now = 5;
    FrameTimer timer = timer_at(0);
    timer.counterAvailable = false;
    PaceResult result = pace_frame(timer, clock.pace_clock(), 0);
    EXPECT_FALSE(result.slept);
    EXPECT_TRUE(clock.sleeps.empty());
    EXPECT_EQ(timer.start, 0);
}

namespace {

class FrameStatsRecording : public ::testing::Test {
protected:
    void SetUp() override
    {
        saved = frameStats;
        frameStats = FrameStats{};
        frameStats.enabled = true;
        construct_game_state();
    }
    void TearDown() override { frameStats = saved; }
    // One frame: its step, a wait of `waitMs`, drawing for `drawMs`, then showing
    // the frame for `showMs`.
    void frame(double stepMs, double waitMs, double drawMs, double showMs = 0)
    {
        clock += static_cast<int64_t>(stepMs * 1e6);
        int64_t began = clock;
        clock += static_cast<int64_t>(waitMs * 1e6);
        frame_stats_wait(began, waitMs > 0 ? 50000 : -1, clock);
        clock += static_cast<int64_t>(drawMs * 1e6);
        if (showMs > 0) {
            frame_stats_showing(clock);
            clock += static_cast<int64_t>(showMs * 1e6);
        }
        frame_stats_record(clock);
    }
    FrameStats saved;
    int64_t clock = 0;
};

}  // namespace

TEST_F(FrameStatsRecording, KeepsTheFiveLongestWithWhereTheGameWasAndWhatHappened)
{
    frame_stats_record(clock);  // the first frame
    for (int n = 0; n < 100; ++n) frame(1, 14.67, 1);
    game.gameMode = Play;
    game.eventCode = 2;
    game.currentRoom = 12;
    frame_stats_event(FRAME_ROOM_ENTERED | FRAME_SCENE_READ);
    frame(40, 0, 1.5);  // a slow step: no wait, straight on
    game.gameMode = EventScreen;
    frame(0.5, 14, 5, 15);  // held up showing the frame
    for (int n = 0; n < 10; ++n) frame(1, 14.67, 1);

    ASSERT_EQ(frameStats.longest.size(), LONGEST_KEPT);
    const FrameInterval& worst = frameStats.longest[0];
    EXPECT_NEAR(worst.ms, 41.5, 0.01);
    EXPECT_EQ(worst.frame, 102);
    EXPECT_EQ(worst.mode, Play);
    EXPECT_EQ(worst.page, 2);
    EXPECT_EQ(worst.room, 12);
    EXPECT_EQ(worst.events, FRAME_ROOM_ENTERED | FRAME_SCENE_READ);
    EXPECT_NEAR(worst.stepMs, 40, 0.01);
    EXPECT_NEAR(worst.waitMs, 0, 0.01);
    EXPECT_NEAR(worst.drawMs, 1.5, 0.01);
    // The events belong to that interval only.
    EXPECT_EQ(frameStats.longest[1].events, 0u);
    EXPECT_EQ(frameStats.longest[1].mode, EventScreen);
    EXPECT_NEAR(frameStats.longest[1].drawMs, 5, 0.01);
    EXPECT_NEAR(frameStats.longest[1].showMs, 15, 0.01);
    for (size_t n = 1; n < LONGEST_KEPT; ++n) EXPECT_GE(frameStats.longest[n - 1].ms, frameStats.longest[n].ms);

    const std::string report = frame_stats_report(frameStats);
    EXPECT_NE(report.find("longest 1: 41.50 ms before frame 102 at 1.71 s, mode Play, page 2, room 12 "
                          "(step 40.00, wait 0.00, draw 1.50, show 0.00 ms; room entered, scene read)"),
              std::string::npos)
        << report;
    EXPECT_NE(report.find("wake-up lateness: sleeps 111, median 0.050 ms"), std::string::npos) << report;
    EXPECT_NE(report.find("drawing: median 1.000 ms, p99 1.500 ms; showing: median 0.000 ms, p99 0.000 ms"),
              std::string::npos)
        << report;
    EXPECT_EQ(report.rfind(frame_stats_line(frameStats), 0), 0u) << "the summary line comes first";
}

TEST_F(FrameStatsRecording, CountsLongIntervalsAfterTheFirstSecondApart)
{
    frame_stats_record(clock);
    frame(0, 200, 1);  // the window being mapped
    for (int n = 0; n < 60; ++n) frame(1, 14.67, 1);
    frame(1, 40, 1);
    frame(1, 14.67, 1);
    const std::string report = frame_stats_report(frameStats);
    EXPECT_NE(report.find("after the first second: intervals 15,"), std::string::npos) << report;
    EXPECT_NE(report.find("max 42.00 ms, over 25 ms 1\n"), std::string::npos) << report;
    EXPECT_EQ(frameStats.longest[0].frame, 2);
}

TEST(FrameStatsLongest, KeepsOnlyTheFiveLongestInOrder)
{
    FrameStats stats;
    for (double ms : {17.0, 40.0, 16.0, 25.0, 33.0, 16.5, 90.0, 18.0}) {
        FrameInterval interval;
        interval.ms = ms;
        frame_stats_keep_longest(stats, interval);
    }
    std::vector<double> kept;
    for (const FrameInterval& interval : stats.longest) kept.push_back(interval.ms);
    EXPECT_EQ(kept, (std::vector<double>{90.0, 40.0, 33.0, 25.0, 18.0}));
}
