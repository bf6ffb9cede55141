#include "frame/game_setup.h"

#include "audio/sound.h"
#include "core/game_state.h"
#include "world/room.h"

void construct_game_state()
{
    game = GameState{};  // debugMessage first, as its default says
    reset_room_table();
    game.playerX = 10.0;
    game.playerSpeed = 0.0;
    game.playerFrame = 0;
    game.playerFrameTimer = 0;
    for (bool& found : game.endingsFound) found = false;
    build_world();
    game.currentRoom = 0;
    game.isKnight = game.hasCompanions = game.inUniform = game.isInjured = false;
    load_sound_effects();
}
