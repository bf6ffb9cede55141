#include <gtest/gtest.h>
#include "frame/game_state.h"
TEST(GameStateTest, ConstructedValues) { construct_game_state(); EXPECT_EQ(game.playerX, 10.0); EXPECT_EQ(game.debugMessage, "Debug Check = TRUE"); }
