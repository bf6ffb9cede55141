// The Play part of the game set up for a test: fresh state, no key down, mode
// Play with no fade, and a sound backend of the test's choosing.
#pragma once

#include <gtest/gtest.h>

#include <cstring>

#include "audio/audio_backend.h"
#include "frame/fade.h"
#include "core/game_state.h"
#include "frame/game_setup.h"
#include "play/input.h"
#include "play/walking.h"
#include "test_support.h"
#include "world/followers.h"
#include "world/room.h"

class PlayFixture : public ::testing::Test {
protected:
    void start_play(AudioBackend backend)
    {
        ensure_allegro();
        savedBackend = audioBackend;
        audioBackend = backend;
        std::memset(const_cast<char*>(key), 0, KEY_MAX);
        construct_game_state();
        reset_input();
        game.gameMode = Play;
        game.fadeState = Idle;
        game.fadeLevel = 0;
    }
    void TearDown() override
    {
        std::memset(const_cast<char*>(key), 0, KEY_MAX);
        audioBackend = savedBackend;
        construct_game_state();
    }

    // A bare room in a slot that tests own; the catalogue's contents don't matter here.
    Room& bare_room(int index)
    {
        Room& room = room_at(index);
        room = Room{};
        return room;
    }

    void place(int roomIndex, double x)
    {
        game.currentRoom = roomIndex;
        game.playerX = x;
    }

    // The Play part of one main-loop frame: the follower advance the renderer
    // makes, input, fade, then the world.
    void frame()
    {
        if (game.gameMode == Play && follower_moves()) current_room().followerX += 1;
        { poll_input(); play_input(); }
        update_fade();
        if (game.gameMode == Play) world_step();
    }

    AudioBackend savedBackend{};
};
