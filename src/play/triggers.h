// Triggers, the war ambience and the scripted steps that follow slow fades.
#pragma once

constexpr int WAR_AMBIENCE_PERIOD = 45;
constexpr int SCENE_SWAP_FADE_IN_AT = 5;
constexpr const char* SCENE_SWAP_IMAGE = "p7s1a";

void scan_triggers();
void war_ambience_step();
void faded_out_step();
void scene_swap_step();
