#include "frame/warp.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <vector>

#include "audio/music.h"
#include "core/game_state.h"
#include "events/pages.h"
#include "frame/profile.h"
#include "play/room_entry.h"
#include "play/walking.h"
#include "world/exit_columns.h"
#include "world/routes.h"

int32_t warpRoom = -1;

bool parse_warp_room(const char* text, int32_t& room)
{
    char* end = nullptr;
    const long value = std::strtol(text, &end, 10);
    if (end == text || *end != '\0' || value < 0 || value >= ROOM_COUNT) return false;
    if (route_to(int32_t(value)).empty()) return false;
    room = int32_t(value);
    return true;
}

namespace {

// Where the walk leaves a room: the right edge, or the start of the exit's column.
double leaving_x(const RouteStep& step)
{
    const Room& room = room_at(step.room);
    if (step.exit == ExitUp) return (room.upExitColumn - 1) * COLUMN_WIDTH;
    if (step.exit == ExitDown) return (room.downExitColumn - 1) * COLUMN_WIDTH;
    return right_exit_threshold(step.room);
}

}  // namespace

void apply_route_to(int32_t target)
{
    const std::vector<RouteStep> route = route_to(target);
    enter_room(FIRST_ROOM);  // a new game: every story flag and room as built
    for (size_t i = 0; i + 1 < route.size(); ++i) {
        // The pages met before the way out, in the order the walk meets them.
        const Room& room = room_at(route[i].room);
        std::vector<std::pair<int32_t, EventCode>> met;
        for (int t = 0; t < room.triggerCount && t < MAX_TRIGGERS; ++t)
            if (room.triggerCode[t] > 0 && room.triggerX[t] < leaving_x(route[i]))
                met.push_back({room.triggerX[t], room.triggerCode[t]});
        std::stable_sort(met.begin(), met.end(), [](auto& a, auto& b) { return a.first < b.first; });
        for (auto& page : met) apply_page_effects(page.second);
    }
    enter_room(target);
    const bool start = target == FIRST_ROOM || target == LAST_PATH_ROOM;
    game.playerX = start ? 10.0 : target == 28 ? ROOM_28_ENTRY_X : ENTRY_X;
}

void warp_start()
{
    keep_profile_untouched();
    std::fprintf(stderr, "Karvelle: warped to room %d; the profile is neither read nor written\n", int(warpRoom));
    if (game.quitRequested) return;  // start-up failed: nothing to walk in
    apply_route_to(warpRoom);
    if (route_to(warpRoom).front().room == LAST_PATH_ROOM) select_music(Impossibilities);
    game.eventCode = 0;
    game.fadeState = FadeIn;
    game.fadeLevel = 254;
    game.gameMode = Play;
}
