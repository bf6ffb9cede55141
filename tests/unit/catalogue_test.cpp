// The map checked against an expectation table of its own: every room, every exit,
// and which rooms a walk can reach.
#include <gtest/gtest.h>

#include <set>
#include <string>
#include <utility>
#include <vector>

#include "core/game_state.h"
#include "frame/game_setup.h"
#include "world/room.h"

namespace {

struct ExpectedRoom {
    int room;
    const char* description;
    const char* sceneImage;
    const char* midLayer;
    const char* backLayer;
    int right;                       // -1: no right exit
    int upColumn, upTo;              // column 0: no up exit
    int downColumn, downTo;          // column 0: no down exit
    int residentSprite, residentX;   // sprite -1: no resident
    const char* effects;             // S slope, D drunken walk, C clock, W war ambience
    int followerMode, followerSprite, followerX;
    std::vector<std::pair<int, int>> triggers;  // code, x in slot order
};

const std::vector<ExpectedRoom> expectedRooms = {
    {0, "Starting House", "scene1", "blank", "blank",
     1, 0, 0, 0, 0, 8, 240, "", 0, 0, 0, {{1, 220}}},
    {1, "Outside, in town", "scene2", "mid2", "back1",
     2, 0, 0, 0, 0, -1, 0, "", 0, 0, 0, {}},
    {2, "More town, with resident", "scene3", "mid2", "back2",
     3, 0, 0, 0, 0, 10, 200, "", 0, 0, 0, {{2, 160}}},
    {3, "Path to Center", "scene4", "mid1", "back3",
     4, 3, 12, 0, 0, -1, 0, "", 0, 0, 0, {}},
    {4, "Towards bridge 1/2", "scene5", "blank", "back4",
     5, 0, 0, 0, 0, -1, 0, "", 0, 0, 0, {}},
    {5, "Towards bridge 2/2", "scene6", "blank", "back5",
     6, 0, 0, 0, 0, -1, 0, "", 0, 0, 0, {}},
    {6, "Bridge, with monster", "scene7", "water", "back5",
     7, 0, 0, 0, 0, 12, 145, "", 0, 0, 0, {{4, 90}, {-1, 150}}},
    {7, "away from bridge", "scene14", "blank", "back4",
     8, 0, 0, 0, 0, -1, 0, "", 0, 0, 0, {}},
    {8, "Path to Castle", "scene15", "mid1", "back3",
     38, 2, 45, 0, 0, -1, 0, "", 0, 0, 0, {}},
    {9, "On the way home", "p7s2", "blank", "back6",
     10, 0, 0, 0, 0, -1, 0, "", 0, 0, 0, {}},
    {10, "Outside the house", "p7s3", "moon", "blank",
     11, 0, 0, 0, 0, -1, 0, "", 0, 0, 0, {}},
    {11, "Ending: Simple", "p2s3", "blank", "blank",
     -1, 0, 0, 0, 0, 8, 200, "", 0, 0, 0, {{11, 80}, {-2, 90}}},
    {12, "More town", "scene8", "blank", "back6",
     13, 0, 0, 0, 0, -1, 0, "", 0, 0, 0, {}},
    {13, "Town, to affair path", "scene9", "blank", "back6",
     25, 0, 0, 3, 14, -1, 0, "", 0, 0, 0, {}},
    {14, "affair path: more town", "scene12", "blank", "back6",
     15, 0, 0, 0, 0, -1, 0, "", 0, 0, 0, {}},
    {15, "outside woman's house", "scene13", "blank", "back6",
     16, 0, 0, 0, 0, -1, 0, "", 0, 0, 0, {}},
    {16, "in house: door to bedroom", "p5s1", "blank", "back6",
     17, 3, 20, 0, 0, 31, 220, "", 0, 0, 0, {{12, 80}}},
    {17, "child", "p5s2", "blank", "back6",
     18, 0, 0, 0, 0, 38, 100, "", 0, 0, 0, {{13, 80}}},
    {18, "dinner", "p5s3", "blank", "back6",
     19, 0, 0, 0, 0, 31, 250, "", 0, 0, 0, {{14, 100}}},
    {19, "leave house", "p5s4", "blank", "back6",
     -1, 0, 0, 0, 0, -1, 0, "", 2, 51, -20, {{15, 90}, {16, 160}, {-4, 220}}},
    {20, "bedroom scene: fade out", "p4s1", "blank", "back6",
     21, 0, 0, 0, 0, 31, 160, "", 0, 0, 0, {{20, 70}, {-6, 80}}},
    {21, "bedroom scene: leave at night", "p4s2", "blank", "back6",
     22, 0, 0, 0, 0, -1, 0, "", 0, 0, 0, {}},
    {22, "house exit", "p4s5", "blank", "back6",
     23, 0, 0, 0, 0, -1, 0, "", 0, 0, 0, {}},
    {23, "town, with wife", "p4s3", "blank", "back6",
     24, 0, 0, 0, 0, 8, 260, "", 0, 0, 0, {{17, 140}}},
    {24, "she follows, ending", "p4s4", "blank", "back6",
     -1, 0, 0, 0, 0, -1, 0, "", 2, 21, -20, {{18, 60}, {19, 140}, {-5, 200}}},
    {25, "a pub is north", "scene10", "blank", "back6",
     32, 3, 26, 0, 0, -1, 0, "", 0, 0, 0, {}},
    {26, "in pub", "scene11", "blank", "back6",
     29, 2, 27, 0, 0, 16, 130, "C", 0, 0, 0, {{24, 240}, {28, 225}, {29, 230}, {30, 235}, {25, 40}}},
    {27, "Loansharks", "p1s1", "blank", "back6",
     28, 0, 0, 0, 0, 16, 210, "", 0, 0, 0, {{26, 70}, {27, 180}}},
    {28, "Loanshark end", "p1s2", "blank", "back6",
     -1, 0, 0, 0, 0, 15, 5, "", 1, 43, -20, {{-9, 140}}},
    {29, "outside pub", "p2s1", "blank", "back6",
     30, 0, 0, 0, 0, -1, 0, "D", 0, 0, 0, {}},
    {30, "drunken home again", "p2s2", "blank", "back6",
     31, 0, 0, 0, 0, -1, 0, "D", 0, 0, 0, {}},
    {31, "wife, unemployed", "p2s3", "blank", "back6",
     -1, 0, 0, 0, 0, 8, 240, "D", 0, 0, 0, {{22, 50}, {23, 90}, {-8, 100}}},
    {32, "Barracks", "p3s1", "blank", "back6",
     33, 0, 0, 0, 0, -1, 0, "", 0, 0, 0, {}},
    {33, "Room with sargent", "p3s2", "blank", "back6",
     34, 0, 0, 0, 0, 30, 190, "", 0, 0, 0, {{21, 150}}},
    {34, "Truck", "p3s3", "blank", "back6",
     35, 0, 0, 0, 0, -1, 0, "", 0, 0, 0, {}},
    {35, "trenchs", "p3s4", "blank", "back6",
     36, 0, 0, 0, 0, -1, 0, "", 0, 0, 0, {}},
    {36, "no man 1", "p3s5", "blank", "back6",
     37, 0, 0, 0, 0, -1, 0, "W", 0, 0, 0, {}},
    {37, "no man 2", "p3s6", "blank", "back6",
     -1, 0, 0, 0, 0, -1, 0, "W", 0, 0, 0, {{-7, 200}}},
    {38, "On the way home (special)", "p7s1", "blank", "back6",
     9, 0, 0, 0, 0, -1, 0, "", 0, 0, 0, {{-11, 210}}},
    {45, "walking up mountain", "p6s1", "blank", "back6",
     46, 0, 0, 0, 0, -1, 0, "S", 0, 0, 0, {}},
    {46, "castle entrance (hero)", "p6s2", "blank", "back6",
     47, 0, 0, 0, 0, -1, 0, "", 0, 0, 0, {}},
    {47, "castle hallway (hero)", "p6s3", "blank", "back6",
     48, 0, 0, 0, 0, 9, 150, "", 0, 0, 0, {{5, 120}}},
    {48, "throne room (hero)", "p6s4", "blank", "back6",
     49, 0, 0, 0, 0, 18, 220, "", 0, 0, 0, {{6, 160}}},
    {49, "emerge as knight, crowds", "p6s5", "blank", "back6",
     50, 0, 0, 0, 0, 8, 220, "", 0, 0, 0, {{7, 160}}},
    {50, "outside castle with mother", "p6s6", "blank", "back6",
     51, 0, 0, 0, 0, 27, 150, "", 0, 0, 0, {{10, 120}}},
    {51, "hill, getting darker", "p6s7", "blank", "back6",
     52, 0, 0, 0, 0, -1, 0, "S", 0, 0, 0, {}},
    {52, "old man, warning", "p6s8", "blank", "back6",
     53, 0, 0, 0, 0, 20, 220, "", 0, 0, 0, {{8, 160}}},
    {53, "even darker", "p6s9", "blank", "back6",
     54, 0, 0, 0, 0, -1, 0, "", 0, 0, 0, {}},
    {54, "again darker", "p6s10", "blank", "back6",
     55, 0, 0, 0, 0, -1, 0, "", 0, 0, 0, {}},
    {55, "dead soldiers", "p6s11", "blank", "back6",
     56, 0, 0, 0, 0, 19, 220, "", 0, 0, 0, {{9, 160}}},
    {56, "very dark", "p6s10", "blank", "back6",
     57, 0, 0, 0, 0, -1, 0, "", 0, 0, 0, {}},
    {57, "more dead soldiers, turn back!", "p6s12", "blank", "back6",
     58, 0, 0, 0, 0, 17, 190, "", 0, 0, 0, {}},
    {58, "into cave", "blank", "blank", "back6",
     59, 0, 0, 0, 0, -1, 0, "", 0, 0, 0, {{-12, 20}}},
    {59, "some flames", "blank", "blank", "back6",
     -1, 0, 0, 0, 0, -1, 0, "", 0, 0, 0, {{-3, 60}}},
    {61, "Here we go! The last ending!", "scene1", "blank", "blank",
     62, 0, 0, 0, 0, -1, 0, "", 0, 0, 0, {}},
    {62, "oh my", "blank", "blank", "back6",
     63, 0, 0, 0, 0, -1, 0, "", 0, 0, 0, {}},
    {63, "oh my 2", "p8s1", "blank", "back6",
     64, 0, 0, 0, 0, 10, 120, "", 0, 0, 0, {{31, 90}}},
    {64, "maze entrance (vengance)", "p8s2", "blank", "back6",
     65, 2, 65, 3, 65, 12, 160, "", 0, 0, 0, {{35, 40}}},
    {65, "maze (pub)", "p8s3", "blank", "back6",
     66, 3, 66, 2, 66, 16, 210, "", 0, 0, 0, {{32, 40}}},
    {66, "maze (mistress)", "p8s5", "blank", "back6",
     67, 3, 67, 2, 67, 38, 210, "", 0, 0, 0, {{34, 40}}},
    {67, "maze (loanshark)", "p8s8", "blank", "back6",
     68, 3, 68, 2, 68, 46, 210, "", 0, 0, 0, {{36, 40}}},
    {68, "maze (medieval)", "p8s4", "blank", "back6",
     69, 3, 69, 2, 69, 18, 210, "", 0, 0, 0, {{38, 40}}},
    {69, "maze (war)", "p8s7", "blank", "back6",
     70, 3, 70, 2, 70, 30, 210, "", 0, 0, 0, {{37, 40}}},
    {70, "maze (affair)", "p8s6", "blank", "back6",
     71, 3, 71, 2, 71, 31, 210, "", 0, 0, 0, {{39, 40}}},
    {71, "oh my 3", "p8s9", "blank", "back6",
     72, 0, 0, 0, 0, -1, 0, "", 0, 0, 0, {}},
    {72, "the end", "p2s3", "blank", "back6",
     -1, 0, 0, 0, 0, -1, 0, "", 0, 0, 0, {{-10, 180}}},
};

bool has_effect(const ExpectedRoom& e, char effect)
{
    return std::string(e.effects).find(effect) != std::string::npos;
}

std::set<int> filled_rooms()
{
    std::set<int> filled;
    for (const ExpectedRoom& e : expectedRooms) filled.insert(e.room);
    return filled;
}

std::set<int> reached_from(int start)
{
    std::set<int> reached{start};
    std::vector<int> open{start};
    while (!open.empty()) {
        const Room& room = room_at(open.back());
        open.pop_back();
        std::vector<int> next;
        if (room.hasRightExit) next.push_back(room.rightExitRoom);
        if (room.hasUpExit) next.push_back(room.upExitRoom);
        if (room.hasDownExit) next.push_back(room.downExitRoom);
        for (int n : next)
            if (reached.insert(n).second) open.push_back(n);
    }
    return reached;
}

std::set<int> range_set(int first, int last)
{
    std::set<int> s;
    for (int i = first; i <= last; ++i) s.insert(i);
    return s;
}

}  // namespace

TEST(CatalogueTest, EveryRoomHoldsWhatTheMapGives)
{
    construct_game_state();
    ASSERT_EQ(expectedRooms.size(), 66u);
    for (const ExpectedRoom& e : expectedRooms) {
        SCOPED_TRACE("room " + std::to_string(e.room));
        const Room& r = room_at(e.room);
        EXPECT_EQ(r.description, e.description);
        EXPECT_EQ(r.sceneImage, e.sceneImage);
        EXPECT_EQ(r.midLayer, e.midLayer);
        EXPECT_EQ(r.backLayer, e.backLayer);

        EXPECT_EQ(r.hasRightExit, e.right >= 0);
        EXPECT_EQ(r.rightExitRoom, e.right >= 0 ? e.right : 0);
        EXPECT_EQ(r.hasUpExit, e.upColumn != 0);
        EXPECT_EQ(r.upExitColumn, e.upColumn);
        EXPECT_EQ(r.upExitRoom, e.upTo);
        EXPECT_EQ(r.hasDownExit, e.downColumn != 0);
        EXPECT_EQ(r.downExitColumn, e.downColumn);
        EXPECT_EQ(r.downExitRoom, e.downTo);

        EXPECT_EQ(r.hasResident, e.residentSprite >= 0);
        EXPECT_EQ(r.residentSprite, e.residentSprite >= 0 ? e.residentSprite : 0);
        EXPECT_EQ(r.residentX, e.residentX);

        EXPECT_EQ(r.groundMode, has_effect(e, 'S') ? 1 : 0);
        EXPECT_EQ(r.drunkenWalk, has_effect(e, 'D'));
        EXPECT_EQ(r.hasClock, has_effect(e, 'C'));
        EXPECT_EQ(r.warAmbience, has_effect(e, 'W'));
        EXPECT_EQ(r.followerMode, e.followerMode);
        EXPECT_EQ(r.followerSprite, e.followerSprite);
        EXPECT_EQ(r.followerX, e.followerX);
        EXPECT_EQ(r.followerFrame, 0);
        EXPECT_EQ(r.followerTimer, 0);

        ASSERT_EQ(r.triggerCount, static_cast<int>(e.triggers.size()));
        for (int slot = 0; slot < MAX_TRIGGERS; ++slot) {
            const bool used = slot < r.triggerCount;
            EXPECT_EQ(r.triggerCode[slot], used ? e.triggers[slot].first : 0) << "slot " << slot;
            EXPECT_EQ(r.triggerX[slot], used ? e.triggers[slot].second : 0) << "slot " << slot;
            EXPECT_FALSE(r.triggerFired[slot]) << "slot " << slot;
        }
    }
}

TEST(CatalogueTest, ExitsLeadToFilledRoomsThroughColumnsOneToFour)
{
    construct_game_state();
    const std::set<int> filled = filled_rooms();
    for (int index = 0; index < ROOM_COUNT; ++index) {
        SCOPED_TRACE("room " + std::to_string(index));
        const Room& r = room_at(index);
        if (r.hasRightExit) {
            EXPECT_TRUE(filled.count(r.rightExitRoom)) << r.rightExitRoom;
        }
        if (r.hasUpExit) {
            EXPECT_TRUE(filled.count(r.upExitRoom)) << r.upExitRoom;
            EXPECT_GE(r.upExitColumn, 1);
            EXPECT_LE(r.upExitColumn, 4);
        }
        if (r.hasDownExit) {
            EXPECT_TRUE(filled.count(r.downExitRoom)) << r.downExitRoom;
            EXPECT_GE(r.downExitColumn, 1);
            EXPECT_LE(r.downExitColumn, 4);
        }
        EXPECT_LE(r.triggerCount, MAX_TRIGGERS);
    }
}

TEST(CatalogueTest, ExitsAloneReachEveryRoomOfBothStarts)
{
    construct_game_state();
    std::set<int> fromStart = range_set(0, 38);
    const std::set<int> mountain = range_set(45, 59);
    fromStart.insert(mountain.begin(), mountain.end());
    EXPECT_EQ(reached_from(0), fromStart);
    EXPECT_EQ(reached_from(61), range_set(61, 72));
}

TEST(CatalogueTest, PubTriggersFireInTheOrderOfTheirX)
{
    construct_game_state();
    const Room& pub = room_at(26);
    ASSERT_EQ(pub.triggerCount, 5);
    const std::pair<int, int> slots[] = {{24, 240}, {28, 225}, {29, 230}, {30, 235}, {25, 40}};
    for (int slot = 0; slot < 5; ++slot) {
        EXPECT_EQ(pub.triggerCode[slot], slots[slot].first);
        EXPECT_EQ(pub.triggerX[slot], slots[slot].second);
    }

    // A walk in from the left at walking speed, scanning the slots in slot order.
    bool fired[MAX_TRIGGERS] = {};
    std::vector<int> order;
    for (double x = 5.0; x <= 285.0; x += 2.5)
        for (int slot = 0; slot < pub.triggerCount; ++slot)
            if (!fired[slot] && x >= pub.triggerX[slot]) {
                fired[slot] = true;
                order.push_back(pub.triggerCode[slot]);
            }
    EXPECT_EQ(order, (std::vector<int>{25, 28, 29, 30, 24}));
}
