// Entering a room, and the story's return to room 0 through the interlude.
#include "play/room_entry.h"

#include "core/frame_stats.h"
#include "core/game_state.h"
#include "play/walk_assist.h"
#include "render/assets.h"
#include "world/room.h"

void enter_room(int32_t index)
{
    frame_stats_event(FRAME_ROOM_ENTERED);
    game.currentRoom = index;
    Room& room = room_at(index);
    load_room_images(room.sceneImage.c_str(), room.midLayer.c_str(), room.backLayer.c_str());
    rearm_triggers(room);
    room_at(6).residentSprite = 12;  // the bridge monster is whole again
    game.interludeClock = -240.0;
    if (index == 0) reset_room_state();
}

void quit_to_interlude()
{
    stop_auto_walk();
    game.roomChangePending = false;
    game.currentRoom = 0;
    game.fadeState = FadeIn;
    game.gameMode = Interlude;
    enter_room(0);
    game.eventCode = 0;
    game.playerX = 60.0;
}
