// Keys between frames: a tap shorter than a frame counts once, a held key's
// repeats are no new presses, and the display switch's keys turn no page.
#include <gtest/gtest.h>

#include <allegro.h>

#include <chrono>
#include <cstring>
#include <thread>

#include "core/game_state.h"
#include "play/input.h"
#include "play/key_latch.h"
#include "test_support.h"

namespace {

class KeyLatch : public ::testing::Test {
protected:
    void SetUp() override
    {
        ensure_allegro();
        game = GameState{};
        std::memset(const_cast<char*>(key), 0, KEY_MAX);
        reset_input();
    }
    void TearDown() override
    {
        std::memset(const_cast<char*>(key), 0, KEY_MAX);
        reset_input();
    }

    // What the keyboard thread does: the event, and key[] with it.
    static void press_key(int scancode)
    {
        latch_key_event(scancode);
        key[scancode] = 1;
    }
    static void release_key(int scancode)
    {
        latch_key_event(scancode | 0x80);
        key[scancode] = 0;
    }
    static void tap_key(int scancode)
    {
        press_key(scancode);
        release_key(scancode);
    }
    // One frame's input: the poll, then the taps are spent.
    static void frame()
    {
        poll_input();
        clear_key_taps();
    }
    // Lets the key go from another thread a little later, as the toggle waits for it.
    static std::thread release_later(int scancode)
    {
        return std::thread([scancode] {
            std::this_thread::sleep_for(std::chrono::milliseconds(20));
            release_key(scancode);
        });
    }
};

TEST_F(KeyLatch, ATapBetweenTwoFramesCountsOnce)
{
    tap_key(KEY_SPACE);
    EXPECT_EQ(key[KEY_SPACE], 0);
    poll_input();
    EXPECT_TRUE(input.actions[size_t(Action::Page)].pressed);
    // Every read in the same frame agrees.
    EXPECT_TRUE(key_seen(KEY_SPACE));
    clear_key_taps();
    frame();
    EXPECT_FALSE(input.actions[size_t(Action::Page)].held);
    EXPECT_FALSE(key_seen(KEY_SPACE));

    // Two taps of Right between two frames walk one frame, not two.
    tap_key(KEY_RIGHT);
    tap_key(KEY_RIGHT);
    frame();
    EXPECT_TRUE(input.actions[size_t(Action::Walk)].held);
    frame();
    EXPECT_FALSE(input.actions[size_t(Action::Walk)].held);
}

TEST_F(KeyLatch, ATapAfterTheFramesReadBelongsToTheNextFrame)
{
    EXPECT_FALSE(key_seen(KEY_ESC));
    tap_key(KEY_ESC);
    EXPECT_FALSE(key_seen(KEY_ESC)) << "the frame already read Escape as up";
    clear_key_taps();
    EXPECT_TRUE(key_seen(KEY_ESC));
    clear_key_taps();
    EXPECT_FALSE(key_seen(KEY_ESC));
}

TEST_F(KeyLatch, ATapNoOneReadIsForgottenAtTheFramesEnd)
{
    // Right tapped on a page, where only the page keys are read.
    tap_key(KEY_RIGHT);
    EXPECT_FALSE(key_seen(KEY_SPACE));
    clear_key_taps();
    EXPECT_FALSE(key_seen(KEY_RIGHT));
}

TEST_F(KeyLatch, HeldKeysRepeatWithoutNewPresses)
{
    press_key(KEY_RIGHT);
    frame();
    EXPECT_TRUE(input.actions[size_t(Action::Walk)].pressed);
    // The X server repeats the press of a held key.
    latch_key_event(KEY_RIGHT);
    latch_key_event(KEY_RIGHT);
    frame();
    EXPECT_TRUE(input.actions[size_t(Action::Walk)].held);
    EXPECT_FALSE(input.actions[size_t(Action::Walk)].pressed);
    // Let go after a repeat: up at the next frame, with no tap left over.
    latch_key_event(KEY_RIGHT);
    release_key(KEY_RIGHT);
    frame();
    EXPECT_FALSE(input.actions[size_t(Action::Walk)].held);
}

TEST_F(KeyLatch, AltEnterSwitchesTheDisplayAndTurnsNoPage)
{
    for (int alt : {KEY_ALT, KEY_ALTGR}) {
        game.fullscreen = false;
        game.fullscreenToggleRequested = false;
        press_key(alt);
        frame();
        EXPECT_FALSE(input.actions[size_t(Action::Page)].pressed) << alt;
        frame();
        press_key(KEY_ENTER);
        std::thread releaser = release_later(KEY_ENTER);
        poll_input();
        releaser.join();
        EXPECT_FALSE(input.actions[size_t(Action::Page)].pressed) << alt;
        clear_key_taps();
        EXPECT_TRUE(game.fullscreen) << alt;
        EXPECT_TRUE(game.fullscreenToggleRequested) << alt;
        frame();
        EXPECT_FALSE(input.actions[size_t(Action::Page)].pressed) << alt;
        release_key(alt);
        frame();
        EXPECT_FALSE(input.actions[size_t(Action::Page)].pressed) << alt << ": letting Alt go after the switch turned a page";
        frame();
        EXPECT_FALSE(input.actions[size_t(Action::Page)].pressed) << alt;
    }
}

TEST_F(KeyLatch, AltAloneTurnsThePageWhenLetGo)
{
    for (int alt : {KEY_ALT, KEY_ALTGR}) {
        press_key(alt);
        frame();
        EXPECT_FALSE(input.actions[size_t(Action::Page)].pressed) << alt;
        release_key(alt);
        frame();
        EXPECT_TRUE(input.actions[size_t(Action::Page)].pressed) << alt;
        frame();
        EXPECT_FALSE(input.actions[size_t(Action::Page)].pressed) << alt;
    }
    // A tap shorter than a frame too.
    tap_key(KEY_ALT);
    frame();
    frame();
    EXPECT_TRUE(input.actions[size_t(Action::Page)].pressed);

    // Held for seconds (across a page's trigger), it turns nothing.
    press_key(KEY_ALT);
    for (int i = 0; i < 120; ++i) frame();
    release_key(KEY_ALT);
    frame();
    EXPECT_FALSE(input.actions[size_t(Action::Page)].pressed);
}

TEST_F(KeyLatch, TheSwitchKeysCountAsUpUntilLetGo)
{
    // Enter first, then Alt: the page turns on Enter, the switch follows on Alt.
    press_key(KEY_ENTER);
    frame();
    EXPECT_TRUE(input.actions[size_t(Action::Page)].pressed);
    press_key(KEY_ALT);
    std::thread releaser = release_later(KEY_ENTER);
    poll_input();
    releaser.join();
    clear_key_taps();
    EXPECT_TRUE(game.fullscreenToggleRequested);
    game.fullscreenToggleRequested = false;
    // Alt, still held, reads as up everywhere, and the X server's repeats of it
    // change nothing.
    for (int i = 0; i < 3; ++i) {
        latch_key_event(KEY_ALT);
        EXPECT_FALSE(key_seen(KEY_ALT)) << "poll " << i;
        frame();
        EXPECT_FALSE(input.actions[size_t(Action::Page)].held) << "poll " << i;
    }
    release_key(KEY_ALT);
    frame();
    EXPECT_FALSE(input.actions[size_t(Action::Page)].pressed);
    // A new press of Enter, then of Alt, each turns a page again.
    press_key(KEY_ENTER);
    frame();
    EXPECT_TRUE(input.actions[size_t(Action::Page)].pressed);
    EXPECT_FALSE(game.fullscreenToggleRequested);
    release_key(KEY_ENTER);
    frame();
    tap_key(KEY_ALT);
    frame();
    frame();
    EXPECT_TRUE(input.actions[size_t(Action::Page)].pressed);

    // F4 tapped between two frames switches once.
    tap_key(KEY_F4);
    frame();
    EXPECT_TRUE(game.fullscreenToggleRequested);
    game.fullscreenToggleRequested = false;
    frame();
    EXPECT_FALSE(game.fullscreenToggleRequested);
}

}  // namespace
