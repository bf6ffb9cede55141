// The room table: its defaults, trigger slots and the putting back of
// everything play changes in the rooms.
#include "world/room.h"


// Built before any other global, so the static construction in main.cpp finds it ready.
RoomTable roomTable __attribute__((init_priority(101)));

void reset_room_table()
{
    for (Room& room : roomTable.rooms) room = Room{};
}

void add_trigger(Room& room, EventCode code, int32_t x)
{
    // The catalogue never gives a room more than five; a full room drops the extra one.
    if (room.triggerCount < 0 || room.triggerCount >= MAX_TRIGGERS) return;
    room.triggerCode[room.triggerCount] = code;
    room.triggerX[room.triggerCount] = x;
    room.triggerCount += 1;
}

Room& room_at(int32_t index)
{
    return roomTable.rooms[index];
}

Room& current_room()
{
    return room_at(game.currentRoom);
}

void rearm_triggers(Room& room)
{
    for (bool& fired : room.triggerFired) fired = false;
}

void reset_room_state()
{
    game.isKnight = false;
    game.hasCompanions = false;
    game.inUniform = false;
    game.isInjured = false;
    game.clockHand = 0;

    // Every follower waits left of the play field again.
    Room& leaveHouse = room_at(19);
    leaveHouse.followerMode = 2;
    leaveHouse.followerSprite = 51;
    leaveHouse.followerX = -20;

    Room& sheFollows = room_at(24);
    sheFollows.followerMode = 2;
    sheFollows.followerSprite = 21;
    sheFollows.followerX = -20;

    // The residents of the pub and of the loan-shark room stand at their places again.
    Room& pub = room_at(26);
    pub.hasResident = true;
    pub.residentSprite = 16;
    pub.residentX = 130;

    Room& loansharks = room_at(27);
    loansharks.hasResident = true;
    loansharks.residentSprite = 16;
    loansharks.residentX = 210;
    loansharks.followerMode = 0;
    loansharks.followerSprite = 0;
    loansharks.followerX = -20;

    Room& loansharkEnd = room_at(28);
    loansharkEnd.followerMode = 1;
    loansharkEnd.followerSprite = 43;
    loansharkEnd.followerX = -20;

    // A new game brings the mother back.
    room_at(50).hasResident = true;
}
