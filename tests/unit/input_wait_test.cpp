// The waits for the toggle keys and Escape to come up: they end on a quit
// request and when the window loses the keyboard, with the keys taken as up, so
// a release that went to another window cannot freeze the game.
#include <gtest/gtest.h>

#include <allegro.h>

#include <atomic>
#include <chrono>
#include <thread>

#include "core/game_state.h"
#include "platform/x_server.h"
#include "play/input.h"
#include "test_support.h"

namespace {

std::atomic<int> focusChecks{0};
int checksBeforeLoss = 0;
bool focus_lost_after_a_while() { return ++focusChecks < checksBeforeLoss; }
bool always_focused() { return true; }

class InputWait : public ::testing::Test {
protected:
    void SetUp() override
    {
        ensure_allegro();
        game = GameState{};
        reset_input();
        focusChecks = 0;
        keyboardFocused = always_focused;
    }
    void TearDown() override
    {
        keyboardFocused = window_has_keyboard;
        for (int scancode : {KEY_F4, KEY_ENTER, KEY_ESC, KEY_ALT}) key[scancode] = 0;
    }
};

TEST_F(InputWait, AQuitRequestEndsTheWait)
{
    key[KEY_F4] = 1;
    std::thread quitter([] {
        std::this_thread::sleep_for(std::chrono::milliseconds(30));
        game.quitRequested = 1;
    });
    auto start = std::chrono::steady_clock::now();
    poll_input();
    quitter.join();
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(2));
    EXPECT_TRUE(game.fullscreenToggleRequested);
    EXPECT_EQ(key[KEY_F4], 0);
}

TEST_F(InputWait, LosingTheKeyboardEndsTheWaitWithTheKeysUp)
{
    checksBeforeLoss = 20;
    keyboardFocused = focus_lost_after_a_while;
    key[KEY_ALT] = 1;
    key[KEY_ENTER] = 1;
    game.fullscreen = true;
    poll_input();
    EXPECT_GE(focusChecks, 20);
    EXPECT_FALSE(game.fullscreen);
    EXPECT_EQ(key[KEY_ENTER], 0);
    // The next poll sees no toggle keys: no second switch.
    game.fullscreenToggleRequested = false;
    key[KEY_ALT] = 0;
    poll_input();
    EXPECT_FALSE(game.fullscreenToggleRequested);
    EXPECT_FALSE(game.fullscreen);
}

TEST_F(InputWait, EscapeHeldOutsideTheWindowEndsTheWait)
{
    checksBeforeLoss = 5;
    keyboardFocused = focus_lost_after_a_while;
    key[KEY_ESC] = 1;
    wait_until_keys_up(KEY_ESC);
    EXPECT_EQ(key[KEY_ESC], 0);
}

TEST_F(InputWait, WithTheKeyboardTheWaitLastsUntilRelease)
{
    key[KEY_ESC] = 1;
    std::thread releaser([] {
        std::this_thread::sleep_for(std::chrono::milliseconds(40));
        key[KEY_ESC] = 0;
    });
    auto start = std::chrono::steady_clock::now();
    wait_until_keys_up(KEY_ESC);
    releaser.join();
    EXPECT_GE(std::chrono::steady_clock::now() - start, std::chrono::milliseconds(35));
}

TEST(WindowKeyboard, WithoutADisplayTheKeysAreTheGames)
{
    ensure_allegro();
    EXPECT_TRUE(window_has_keyboard());
}

}  // namespace
