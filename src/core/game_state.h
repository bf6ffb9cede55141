// The one game-wide record, read and written by free functions of every module.
#pragma once

#include <csignal>
#include <cstdint>
#include <string>

enum GameMode : int32_t { Play = 0, EventScreen = 1, Interlude = 2, TheEnd = 3 };

enum FadeState : int32_t {
    Idle = 0,
    FadeIn = 1,
    FadeOut = 2,
    Black = 3,
    SlowFadeOut = 4,
    FadedOut = 5,
    SlowFadeIn = 6,
};

// 0 title page, 40 continue prompt, 42 end page, 1..39 and 41 dialogue pages,
// -1..-12 sound events.
using EventCode = int32_t;

struct GameState {
    GameMode gameMode = Play;
    EventCode eventCode = 0;
    // Set from Allegro's window thread and from signal handlers; read once a frame.
    volatile sig_atomic_t quitRequested = 0;
    bool fullscreen = false;
    bool fullscreenToggleRequested = false;
    bool switchCallbackFailed = false;
    std::string debugMessage = "Debug Check = TRUE";

    FadeState fadeState = Idle;
    int32_t fadeLevel = 0;
    int32_t fadeHoldFrames = 0;
    bool fadeHoldReached = false;

    // Pulsing counters; a direction of 0 rises, anything else falls.
    int32_t pulse100 = 0, pulse100Direction = 0;
    int32_t pulse50 = 0, pulse50Direction = 0;
    int32_t pulse255 = 0, pulse255Direction = 0;

    double interludeClock = -240.0;
    int32_t interludeKind = 0;
    int32_t interludeClockWhole = 0;

    double playerX = 10.0;
    double playerSpeed = 0.0;
    int32_t playerFrame = 0;
    int32_t playerFrameTimer = 0;
    int32_t exitHoldFrames = 0;
    int32_t exitDirection = 0;
    bool roomChangePending = false;
    int32_t groundY = 0;

    int32_t currentRoom = 0;
    bool isKnight = false;
    bool hasCompanions = false;
    bool inUniform = false;
    bool isInjured = false;
    bool lastPathOpen = false;
    int32_t clockHand = 0;
    int32_t ambienceCountdown = 0;

    bool endingsFound[10] = {};
    int32_t endingsCount = 0;

    int32_t flashFrames = 0;
    int32_t flashRed = 0;
    int32_t flashGreenBlue = 0;
};

extern GameState game;

constexpr int framesPerSecond = 60;
