#include <gtest/gtest.h>

#include <vector>

#include "frame/fade.h"
#include "core/game_state.h"

namespace {

std::vector<int> levels_until(FadeState stop, int maxCalls = 100)
{
    std::vector<int> levels;
    for (int i = 0; i < maxCalls && game.fadeState != stop; ++i) {
        update_fade();
        levels.push_back(game.fadeLevel);
    }
    return levels;
}

class FadeTest : public ::testing::Test {
protected:
    void SetUp() override { game = GameState{}; }
};

}  // namespace

TEST_F(FadeTest, FadeOutReachesBlackOnTheNinthCall)
{
    game.fadeState = FadeOut;
    std::vector<int> levels = levels_until(Black);
    EXPECT_EQ(levels, (std::vector<int>{30, 60, 90, 120, 150, 180, 210, 240, 255}));
    EXPECT_EQ(game.fadeState, Black);
    update_fade();
    EXPECT_EQ(game.fadeState, Black) << "Black holds until someone acts on it";
}

TEST_F(FadeTest, FadeInReachesZeroOnTheNinthCallAndIdleOnTheTenth)
{
    game.fadeLevel = 255;
    game.fadeState = FadeIn;
    std::vector<int> levels = levels_until(Idle);
    ASSERT_EQ(levels.size(), 10u);
    EXPECT_EQ(levels[0], 225);
    EXPECT_EQ(levels[7], 15);
    EXPECT_EQ(levels[8], 0);
    EXPECT_EQ(levels[9], 0);
}

TEST_F(FadeTest, FadeInFrom254PassesThroughFourteen)
{
    game.fadeLevel = 254;
    game.fadeState = FadeIn;
    std::vector<int> levels = levels_until(Idle);
    EXPECT_EQ(levels, (std::vector<int>{224, 194, 164, 134, 104, 74, 44, 14, 0, 0}));
}

TEST_F(FadeTest, FadeInAtZeroBecomesIdleAtOnce)
{
    game.fadeLevel = 0;
    game.fadeState = FadeIn;
    update_fade();
    EXPECT_EQ(game.fadeState, Idle);
    EXPECT_EQ(game.fadeLevel, 0);
}

TEST_F(FadeTest, SlowFadeOutEndsFadedOutOrHeldInBlack)
{
    game.fadeState = SlowFadeOut;
    std::vector<int> levels = levels_until(FadedOut);
    ASSERT_EQ(levels.size(), 32u);
    EXPECT_EQ(levels[30], 248);
    EXPECT_EQ(levels[31], 255);
    EXPECT_FALSE(game.fadeHoldReached);

    game = GameState{};
    game.fadeState = SlowFadeOut;
    game.fadeHoldFrames = 60;
    levels = levels_until(Black);
    EXPECT_EQ(levels.size(), 32u);
    EXPECT_TRUE(game.fadeHoldReached);
}

TEST_F(FadeTest, SlowFadeInIsIdleInTheCallThatReachesZero)
{
    game.fadeLevel = 255;
    game.fadeState = SlowFadeIn;
    std::vector<int> levels = levels_until(Idle);
    ASSERT_EQ(levels.size(), 32u);
    EXPECT_EQ(levels[0], 247);
    EXPECT_EQ(levels[30], 7);
    EXPECT_EQ(levels[31], 0);
}

TEST_F(FadeTest, OverwritingAFadeContinuesFromTheCurrentLevel)
{
    game.fadeState = FadeOut;
    update_fade();
    update_fade();
    game.fadeState = FadeIn;
    update_fade();
    EXPECT_EQ(game.fadeLevel, 30);
}

TEST_F(FadeTest, IdleBlackAndFadedOutLeaveTheLevelAlone)
{
    for (FadeState state : {Idle, Black, FadedOut}) {
        game.fadeState = state;
        game.fadeLevel = 77;
        update_fade();
        EXPECT_EQ(game.fadeState, state);
        EXPECT_EQ(game.fadeLevel, 77);
    }
}

TEST(PulseTest, PulsesRunTheirPeriodsAndStayInRange)
{
    game = GameState{};
    std::vector<int> p100, p50, p255;
    for (int i = 0; i < 400; ++i) {
        update_pulses();
        p100.push_back(game.pulse100);
        p50.push_back(game.pulse50);
        p255.push_back(game.pulse255);
    }
    // pulse100: 1..100 then 99..0, a period of 200 frames.
    EXPECT_EQ(p100[0], 1);
    EXPECT_EQ(p100[99], 100);
    EXPECT_EQ(p100[100], 99);
    EXPECT_EQ(p100[199], 0);
    EXPECT_EQ(p100[200], 1);
    // pulse50: a period of 100 frames.
    EXPECT_EQ(p50[49], 50);
    EXPECT_EQ(p50[99], 0);
    EXPECT_EQ(p50[100], 1);
    // pulse255: 4, 8 .. 252, 255, 251 .. 3, 0: a period of 128 frames.
    EXPECT_EQ(p255[0], 4);
    EXPECT_EQ(p255[62], 252);
    EXPECT_EQ(p255[63], 255);
    EXPECT_EQ(p255[64], 251);
    EXPECT_EQ(p255[126], 3);
    EXPECT_EQ(p255[127], 0);
    EXPECT_EQ(p255[128], 4);
    int at255 = 0, atZero = 0;
    for (int i = 0; i < 128; ++i) {
        EXPECT_GE(p255[i], 0);
        EXPECT_LE(p255[i], 255);
        at255 += p255[i] == 255;
        atZero += p255[i] == 0;
    }
    EXPECT_EQ(at255, 1);
    EXPECT_EQ(atZero, 1);
}
