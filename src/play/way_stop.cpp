#include "play/way_stop.h"

#include "audio/speech_queue.h"
#include "core/game_state.h"
#include "play/input.h"
#include "play/walk_assist.h"
#include "world/exit_columns.h"
#include "world/room.h"

namespace {

int visitRoom = -1;
double lastX = 0.0;
int walkedOnColumn = -1;  // the exit column of this visit that Right has walked on from
bool stoppedAtWay = false;

bool way_in_column(const Room& room, int column)
{
    return (room.hasUpExit && column == room.upExitColumn) || (room.hasDownExit && column == room.downExitColumn);
}

}  // namespace

bool walker_stops_at_ways()
{
    // With auto-walk, too, no way is ever a race against the walk.
    return settings.voice || settings.autoWalk;
}

void way_stop_step()
{
    stoppedAtWay = false;
    // A new visit (another room, or the same one entered again further left)
    // stops at every way once more.
    if (game.currentRoom != visitRoom || game.playerX < lastX) {
        visitRoom = game.currentRoom;
        walkedOnColumn = -1;
    }
    lastX = game.playerX;
    if (!walker_stops_at_ways() || game.roomChangePending) return;

    const int column = column_of(game.playerX);
    if (!way_in_column(current_room(), column) || column == walkedOnColumn) return;
    if (pressed(Action::Walk)) {
        walkedOnColumn = column;
        return;
    }
    stoppedAtWay = true;
    game.playerSpeed = 0.0;
}

bool walker_held_at_way()
{
    return stoppedAtWay;
}

void reset_way_stop()
{
    visitRoom = -1;
    lastX = 0.0;
    walkedOnColumn = -1;
    stoppedAtWay = false;
}
