// The entry point: Allegro's platform layer hands control to game_main.
#include <allegro.h>

#include "core/game_state.h"
#include "frame/game_setup.h"
#include "frame/main_loop.h"
#include "platform/paths.h"
#include "platform/standard_streams.h"

namespace {

// Before every other static constructor: nothing may open a descriptor while
// stdout or stderr is closed.
__attribute__((constructor(101))) void guard_streams_first()
{
    guard_standard_streams();
}

// The global state is built before main: the room table, the player and the
// sound effects, read from the data folder found first. Without one, the main
// routine says where it looked.
struct StaticConstruction {
    StaticConstruction()
    {
        choose_game_paths();
        if (game_paths().place != DataPlace::Missing) construct_game_state();
    }
} staticConstruction;

}  // namespace

int main(int argc, char** argv)
{
    return game_main(argc, argv);
}
END_OF_MAIN()
