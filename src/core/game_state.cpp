#include "core/game_state.h"

// Built before any other global, so the static construction in main.cpp finds it ready.
GameState game __attribute__((init_priority(101)));
