// PLACEHOLDER: filled by the world work.
#include "world/room.h"
RoomTable roomTable;
void reset_room_table() {}
void add_trigger(Room& room, EventCode code, int32_t x) {}
Room& room_at(int32_t index) { return roomTable.rooms[index]; }
Room& current_room() { return room_at(game.currentRoom); }
void rearm_triggers(Room& room) {}
void reset_room_state() {}
void enter_room(int32_t index) {}
