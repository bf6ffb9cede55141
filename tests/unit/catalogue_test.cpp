// The map against what any map of this game must keep: 66 rooms, exits that
// lead on to filled rooms and never back, every room reached from a start,
// every path ending in a room without exits whose last trigger ends it, each of
// the eight endings once, and every trigger inside the room before its way out.
#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "core/game_state.h"
#include "events/pages.h"
#include "frame/game_setup.h"
#include "play/walking.h"
#include "world/room.h"
#include "world/routes.h"

namespace {

// The sound events that end a path, by the ending they mark.
const std::map<EventCode, int> ENDING_CODES = {{-9, 1}, {-8, 2}, {-7, 3}, {-5, 4},
                                               {-4, 5}, {-3, 6}, {-2, 7}, {-10, 8}};

std::vector<int> exits_of(const Room& r)
{
    std::vector<int> to;
    if (r.hasRightExit) to.push_back(r.rightExitRoom);
    if (r.hasUpExit) to.push_back(r.upExitRoom);
    if (r.hasDownExit) to.push_back(r.downExitRoom);
    return to;
}

bool filled(int index) { return !room_at(index).description.empty(); }

}  // namespace

TEST(CatalogueTest, ExitsLeadOnToFilledRoomsAndEveryRoomIsReached)
{
    construct_game_state();
    int count = 0;
    for (int index = 0; index < ROOM_COUNT; ++index) {
        SCOPED_TRACE("room " + std::to_string(index));
        const Room& r = room_at(index);
        if (!filled(index)) {
            EXPECT_TRUE(exits_of(r).empty());
            continue;
        }
        ++count;
        EXPECT_FALSE(route_to(index).empty()) << "no walk reaches it";
        if (r.hasUpExit) { EXPECT_TRUE(r.upExitColumn >= 1 && r.upExitColumn <= 4) << r.upExitColumn; }
        if (r.hasDownExit) { EXPECT_TRUE(r.downExitColumn >= 1 && r.downExitColumn <= 4) << r.downExitColumn; }
        // Never back: the walk to the next room does not pass through this one again.
        for (int next : exits_of(r)) {
            ASSERT_TRUE(next >= 0 && next < ROOM_COUNT && filled(next)) << next;
            std::set<int> seen{index}, open{next};
            while (!open.empty()) {
                const int at = *open.begin();
                open.erase(open.begin());
                EXPECT_NE(at, index) << "a way from " << index << " leads back to it";
                for (int n : exits_of(room_at(at)))
                    if (seen.insert(n).second) open.insert(n);
            }
        }
    }
    EXPECT_EQ(count, 66);
}

TEST(CatalogueTest, EveryPathEndsInOneOfTheEightEndingsEachOnce)
{
    construct_game_state();
    std::multiset<int> endings;
    for (int index = 0; index < ROOM_COUNT; ++index) {
        const Room& r = room_at(index);
        if (!filled(index)) continue;
        SCOPED_TRACE("room " + std::to_string(index));
        // The triggers in the order the walk meets them: by x.
        std::vector<std::pair<int, EventCode>> met;
        for (int t = 0; t < r.triggerCount; ++t) met.push_back({r.triggerX[t], r.triggerCode[t]});
        std::stable_sort(met.begin(), met.end(), [](auto& a, auto& b) { return a.first < b.first; });
        for (size_t t = 0; t < met.size(); ++t) {
            const bool endsPath = ENDING_CODES.count(met[t].second) > 0;
            if (endsPath) endings.insert(ENDING_CODES.at(met[t].second));
            EXPECT_EQ(endsPath, exits_of(r).empty() && t + 1 == met.size()) << "code " << met[t].second;
        }
        if (exits_of(r).empty()) { EXPECT_FALSE(met.empty()) << "a path that ends in nothing"; }
    }
    EXPECT_EQ(endings, (std::multiset<int>{1, 2, 3, 4, 5, 6, 7, 8}));
}

TEST(CatalogueTest, TriggersLieInsideTheRoomBeforeItsWayOutAndOpenPagesTheScriptHas)
{
    construct_game_state();
    for (int index = 0; index < ROOM_COUNT; ++index) {
        const Room& r = room_at(index);
        SCOPED_TRACE("room " + std::to_string(index));
        ASSERT_LE(r.triggerCount, MAX_TRIGGERS);
        for (int t = 0; t < r.triggerCount; ++t) {
            EXPECT_GE(r.triggerX[t], 0);
            // A room left to the right is left at its exit: a trigger beyond it never fires.
            EXPECT_LT(r.triggerX[t], r.hasRightExit ? right_exit_threshold(index) : 320.0);
            if (r.triggerCode[t] > 0) { EXPECT_NE(page_lines(r.triggerCode[t], 0), nullptr) << r.triggerCode[t]; }
        }
    }
}
