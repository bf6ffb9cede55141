#include "world/routes.h"

#include <algorithm>

std::vector<RouteStep> route_to(int32_t target)
{
    if (target < 0 || target >= ROOM_COUNT) return {};
    // A breadth-first search from both starts; `from` remembers the step into each room.
    std::vector<int32_t> from(ROOM_COUNT, -1);
    std::vector<ExitDirection> how(ROOM_COUNT, ExitDirection(0));
    std::vector<int32_t> queue = {FIRST_ROOM, LAST_PATH_ROOM};
    std::vector<bool> seen(ROOM_COUNT, false);
    seen[FIRST_ROOM] = seen[LAST_PATH_ROOM] = true;
    for (size_t at = 0; at < queue.size(); ++at) {
        const int32_t index = queue[at];
        const Room& room = room_at(index);
        const struct { bool has; int32_t to; ExitDirection exit; } exits[] = {
            {room.hasRightExit, room.rightExitRoom, ExitRight},
            {room.hasUpExit, room.upExitRoom, ExitUp},
            {room.hasDownExit, room.downExitRoom, ExitDown},
        };
        for (const auto& exit : exits) {
            if (!exit.has || exit.to < 0 || exit.to >= ROOM_COUNT || seen[exit.to]) continue;
            seen[exit.to] = true;
            from[exit.to] = index;
            how[exit.to] = exit.exit;
            queue.push_back(exit.to);
        }
    }
    if (!seen[target]) return {};
    std::vector<RouteStep> route = {{target, ExitDirection(0)}};
    for (int32_t room = target; from[room] >= 0; room = from[room]) route.push_back({from[room], how[room]});
    std::reverse(route.begin(), route.end());
    return route;
}
