#include <gtest/gtest.h>

#include <cmath>

#include "core/frame_stats.h"
#include "frame/frame_timer.h"
#include "render/lookup_tables.h"
#include "test_support.h"

TEST(LookupTableTest, SineIsNegatedAndUsesTheShortPi)
{
    fill_lookup_tables();
    EXPECT_EQ(SineTable[0], 0.0);
    EXPECT_TRUE(std::signbit(SineTable[0])) << "entry 0 is negative zero";
    EXPECT_DOUBLE_EQ(SineTable[90], -0.999999998926914);
    EXPECT_DOUBLE_EQ(SineTable[270], 0.9999999903422263);
    EXPECT_DOUBLE_EQ(SineTable[359], 0.017637170430884724);
    EXPECT_EQ(CosineTable[0], 1.0);
    EXPECT_DOUBLE_EQ(CosineTable[90], 4.632679487995776e-05);
    EXPECT_DOUBLE_EQ(CosineTable[180], -0.9999999957076562);
}

TEST(LookupTableTest, ColourRampRisesAndFallsInCyanThenYellow)
{
    ensure_allegro();
    fill_colour_ramp();
    struct Expected { int index, r, g, b; };
    for (Expected e : {Expected{0, 0, 0, 0}, {63, 0, 63, 63}, {64, 0, 64, 64}, {127, 0, 1, 1}, {128, 0, 0, 0},
                       {195, 67, 67, 0}, {196, 64, 64, 0}, {255, 5, 5, 0}}) {
        int c = ColourRamp[e.index];
        EXPECT_EQ(getr32(c), e.r) << "entry " << e.index;
        EXPECT_EQ(getg32(c), e.g) << "entry " << e.index;
        EXPECT_EQ(getb32(c), e.b) << "entry " << e.index;
    }
}

TEST(FrameTimerTest, CountsWholeFramesSinceTheLastReset)
{
    frame_timer_start();
    ASSERT_TRUE(frameTimer.counterAvailable);
    EXPECT_EQ(frame_timer_elapsed(60), 0);
    frameTimer.start -= frameTimer.frequency / 60 * 3 + 1;  // as if three frames had passed
    EXPECT_EQ(frame_timer_elapsed(60), 3);
    frame_timer_reset();
    EXPECT_EQ(frame_timer_elapsed(60), 0);

    frameTimer.counterAvailable = false;
    frameTimer.start -= frameTimer.frequency;
    EXPECT_EQ(frame_timer_elapsed(60), 0);
    frame_timer_start();
}

TEST(FrameTimerTest, PacingWaitsOutTheFrameButMakesNoCatchUp)
{
    frame_timer_start();
    frame_timer_pace();
    EXPECT_EQ(frame_timer_elapsed(1000), 0) << "the timer is reset after the wait";
    // A frame that overran: the next wait returns at once.
    frameTimer.start -= frameTimer.frequency / 20;
    int64_t before = frameTimer.start;
    frame_timer_pace();
    EXPECT_GT(frameTimer.start, before + frameTimer.frequency / 20 - 1);
}

TEST(FrameStatsTest, SummarisesIntervals)
{
    FrameStats stats;
    stats.processStart = 0;
    stats.firstFrame = 250000000;  // 250 ms
    for (int i = 0; i < 99; ++i) stats.intervalsMs.push_back(16.0);
    stats.intervalsMs.push_back(40.0);
    EXPECT_EQ(frame_stats_line(stats), "frames 101, mean 16.24 ms, p99 16.00 ms, max 40.00 ms, first frame 250.0 ms");
    stats.intervalsMs.push_back(30.0);
    EXPECT_EQ(frame_stats_line(stats),
              "frames 102, mean 16.38 ms, p99 30.00 ms, max 40.00 ms, first frame 250.0 ms");
    EXPECT_EQ(frame_stats_line(FrameStats{}), "frames 0, mean 0.00 ms, p99 0.00 ms, max 0.00 ms, first frame 0.0 ms");
}
