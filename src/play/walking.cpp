// Walking to the right, the three kinds of exit with their fade, and the
// followers' walk animation, in mode Play.
#include "play/walking.h"

#include <allegro.h>
#include <cmath>
#include <cstdlib>

#include "core/game_state.h"
#include "play/input.h"
#include "play/room_entry.h"
#include "play/triggers.h"
#include "play/way_stop.h"
#include "play/walk_assist.h"
#include "world/exit_columns.h"
#include "world/followers.h"
#include "world/room.h"

double right_exit_threshold(int room)
{
    if (room == 15) return ROOM_15_EXIT_X;
    if (room == 34) return ROOM_34_EXIT_X;
    return RIGHT_EXIT_X;
}

namespace {

// Flips a walking frame between 1 and 2 every eight frames, the first flip at once.
void animate_walk(int32_t& frame, int32_t& timer)
{
    timer -= 1;
    if (timer <= 0) {
        timer = WALK_FRAME_PERIOD;
        frame = frame % 2 + 1;
    }
}

bool in_down_exit()
{
    const Room& room = current_room();
    return held(Action::Down) && room.hasDownExit && column_of(game.playerX) == room.downExitColumn;
}

bool in_up_exit()
{
    const Room& room = current_room();
    return held(Action::Up) && room.hasUpExit && column_of(game.playerX) == room.upExitColumn;
}

// Whether column `column` of the current room holds a way up or down.
bool exit_column(int column)
{
    const Room& room = current_room();
    return (room.hasUpExit && column == room.upExitColumn) || (room.hasDownExit && column == room.downExitColumn);
}

void start_room_change(int32_t direction)
{
    stop_auto_walk();
    game.roomChangePending = true;
    game.fadeState = FadeOut;
    game.exitDirection = direction;
}

// The speed of one drunken step: (r mod 11) tenths of the walking speed, never
// below the injured pace.
double drunken_speed()
{
    double speed = (std::rand() % 11) * WALK_SPEED / 10.0;
    return speed >= INJURED_SPEED ? speed : INJURED_SPEED;
}

void take_exit()
{
    const Room& room = current_room();
    int32_t next = game.currentRoom;
    switch (game.exitDirection) {
    case ExitRight: next = room.rightExitRoom; break;
    case ExitDown: next = room.downExitRoom; break;
    case ExitUp: next = room.upExitRoom; break;
    default: break;
    }
    game.currentRoom = next;
    enter_room(next);
    game.playerX = next == 28 ? ROOM_28_ENTRY_X : ENTRY_X;
    game.roomChangePending = false;
    game.fadeState = FadeIn;
}

}  // namespace

void play_input()
{
    scene_swap_step();

    game.playerSpeed = 0.0;
    const bool walking = auto_walk_step(held(Action::Walk), pressed(Action::Walk));
    if (walking && game.fadeHoldFrames == 0) {
        if (game.isInjured)
            game.playerSpeed = INJURED_SPEED;
        else if (current_room().drunkenWalk)
            game.playerSpeed = drunken_speed();
        else
            game.playerSpeed = WALK_SPEED;
    }
    way_stop_step();

    if (pressed(Action::GiveUp) || held(Action::Quit)) {
        // Escape must be up before the Interlude, or the title page would read it and quit.
        wait_until_keys_up(last_keys_of(Action::Quit));
        quit_to_interlude();
    }

    // Holding Up or Down in an exit column stops the player, Right or not.
    if (in_down_exit()) game.playerSpeed = 0.0;
    if (in_up_exit()) game.playerSpeed = 0.0;
}

void world_step()
{
    if (!game.roomChangePending) {
        Room& room = current_room();
        if (follower_moves()) {
            animate_walk(room.followerFrame, room.followerTimer);
        } else {
            room.followerFrame = 0;
            room.followerTimer = 0;
        }

        if (game.playerSpeed != 0.0) {
            const int columnBefore = column_of(game.playerX);
            game.playerX += game.playerSpeed;
            game.exitHoldFrames = settings.exitHoldFrames;
            // Auto-walk stops where a way up or down begins.
            const int column = column_of(game.playerX);
            if (column != columnBefore && exit_column(column)) stop_auto_walk();
            animate_walk(game.playerFrame, game.playerFrameTimer);
        } else {
            game.playerFrame = 0;
            game.playerFrameTimer = 0;
        }

        scan_triggers();

        if (game.playerX > right_exit_threshold(game.currentRoom) && room.hasRightExit)
            start_room_change(ExitRight);

        if (in_down_exit()) {
            game.playerFrame = 3;
            game.exitHoldFrames -= 1;
            if (game.exitHoldFrames <= 0) start_room_change(ExitDown);
        }
        if (in_up_exit()) {
            game.playerFrame = 4;
            game.exitHoldFrames -= 1;
            if (game.exitHoldFrames <= 0) start_room_change(ExitUp);
        }
    }

    war_ambience_step();

    if (game.roomChangePending && game.fadeState == Black) take_exit();

    if (game.fadeState == FadedOut) faded_out_step();
}
