// The room record and the fixed table of room slots.
#pragma once

#include <cstdint>
#include <string>

#include "core/game_state.h"

constexpr int ROOM_COUNT = 500;
constexpr int MAX_TRIGGERS = 10;

enum ExitDirection : int32_t { ExitRight = 1, ExitDown = 2, ExitUp = 3 };

struct Room {
    std::string sceneImage = "simple_straight";
    std::string midLayer = "mid1";
    std::string backLayer = "back1";
    std::string description;
    bool hasResident = false;
    bool hasRightExit = false;
    bool hasUpExit = false;
    bool hasDownExit = false;
    int32_t rightExitRoom = 0;
    int32_t upExitRoom = 0;
    int32_t downExitRoom = 0;
    int32_t upExitColumn = 0;
    int32_t downExitColumn = 0;
    int32_t residentSprite = 0;
    int32_t residentX = 0;
    int32_t groundMode = 0;
    bool drunkenWalk = false;
    bool hasClock = false;
    bool warAmbience = false;
    int32_t followerMode = 0;
    int32_t followerSprite = 0;
    int32_t followerX = 0;
    int32_t followerFrame = 0;
    int32_t followerTimer = 0;
    EventCode triggerCode[MAX_TRIGGERS] = {};
    int32_t triggerX[MAX_TRIGGERS] = {};
    bool triggerFired[MAX_TRIGGERS] = {};
    int32_t triggerCount = 0;
};

struct RoomTable {
    Room rooms[ROOM_COUNT];
};

extern RoomTable roomTable;

void reset_room_table();
void build_world();  // the catalogue, in catalogue.cpp
void add_trigger(Room& room, EventCode code, int32_t x);
Room& room_at(int32_t index);
Room& current_room();
void rearm_triggers(Room& room);
void reset_room_state();
