// The game-wide state built before the main routine runs.
#pragma once

// Static construction of the global state, in its fixed order: the room table
// reset and filled, the player's start values, the story flags, then the four
// sound effects. The game binary runs it once before main; tests call it freely.
void construct_game_state();
