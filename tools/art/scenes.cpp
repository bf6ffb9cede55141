// Every scene of the game as a short painting, by name. The paintings live in
// art/scenes/, one file per path of the story; the shared pieces they are built
// from are in kit.cpp and the colours of each path in palettes.h.
#include "art/scenes.h"

#include "art/scenes/paintings.h"

using namespace paintings;

namespace {

void p6s10(Canvas& c) { scene_darker(c, 1); }

// The maze rooms' stairs, each in the materials of the room it remembers.
const WayMaterials BRIDGE_STEPS{{176, 166, 150}, {128, 118, 110}, {104, 96, 90}, {34, 38, 50}, false, true, false,
                                {150, 128, 96}};
const WayMaterials PUB_STAIRS{{176, 120, 64}, {110, 66, 36}, {66, 36, 22}, {26, 16, 12}};
const WayMaterials CASTLE_STEPS{{206, 198, 180}, {150, 142, 128}, {120, 112, 100}, {34, 28, 30}, false, true};
const WayMaterials HALL_STAIRS{{160, 116, 78}, {110, 76, 50}, {84, 56, 36}, {52, 34, 36}};
const WayMaterials BEDROOM_STAIRS{{130, 80, 76}, {88, 44, 46}, {64, 30, 34}, {34, 16, 24}, false, false, true};
const WayMaterials TRENCH_LADDER{{168, 136, 92}, {84, 64, 44}, {160, 128, 86}, {50, 40, 30}, true};
const WayMaterials CELLAR_STEPS{{110, 76, 58}, {60, 42, 34}, {30, 24, 22}, {10, 8, 8}, false, false, false,
                                {-1, 0, 0}, {236, 180, 96}};

}  // namespace

const std::vector<SceneRecipe>& scene_recipes()
{
    static const std::vector<SceneRecipe> recipes = {
        {"scene1", scene_home_morning},
        {"scene2", scene_street},
        {"scene3", scene_corner},
        {"scene4", scene_fork},
        {"scene5", [](Canvas& c) { scene_fields(c, false); }},
        {"scene6", [](Canvas& c) { scene_fields(c, true); }},
        {"scene7", scene_bridge},
        {"scene8", scene_busy_town},
        {"scene9", scene_steps_street},
        {"scene10", scene_pub_street},
        {"scene11", [](Canvas& c) { scene_pub(c); }},
        {"scene12", [](Canvas& c) { scene_quiet_street(c, false); }},
        {"scene13", [](Canvas& c) { scene_quiet_street(c, true); }},
        {"scene14", scene_far_bank},
        {"scene15", scene_castle_path},
        {"p1s1", scene_sharks_room},
        {"p1s2", scene_alley},
        {"p2s1", scene_pub_night},
        {"p2s2", scene_drunk_street},
        {"p2s3", scene_home_evening},
        {"p3s1", scene_barracks},
        {"p3s2", scene_sergeant},
        {"p3s3", scene_truck},
        {"p3s4", scene_trench},
        {"p3s5", [](Canvas& c) { scene_no_mans_land(c, false); }},
        {"p3s6", [](Canvas& c) { scene_no_mans_land(c, true); }},
        {"p4s1", [](Canvas& c) { scene_her_bedroom(c); }},
        {"p4s2", [](Canvas& c) { scene_cold_street(c, false); }},
        {"p4s5", [](Canvas& c) { scene_cold_street(c, true); }},
        {"p4s3", [](Canvas& c) { scene_grey_town(c, false); }},
        {"p4s4", [](Canvas& c) { scene_grey_town(c, true); }},
        {"p5s1", [](Canvas& c) { scene_her_hall(c); }},
        {"p5s2", scene_child_room},
        {"p5s3", scene_dinner},
        {"p5s4", scene_leave_house},
        {"p6s1", scene_mountain_road},
        {"p6s2", scene_castle_gate},
        {"p6s3", scene_castle_hall},
        {"p6s4", scene_throne},
        {"p6s5", scene_crowds},
        {"p6s6", scene_square},
        {"p6s7", scene_dark_hill},
        {"p6s8", scene_old_man},
        {"p6s9", [](Canvas& c) { scene_darker(c, 0); }},
        {"p6s10", p6s10},
        {"p6s11", [](Canvas& c) { scene_fallen(c, false); }},
        {"p6s12", [](Canvas& c) { scene_fallen(c, true); }},
        {"p7s1", [](Canvas& c) { scene_home_road(c, 0); }},
        {"p7s1a", [](Canvas& c) { scene_home_road(c, 1); }},
        {"p7s2", [](Canvas& c) { scene_home_road(c, 2); }},
        {"p7s3", scene_house_moon},
        {"p8s1", scene_girl_greyed},
        // the maze of memories: each an echo of an earlier room
        {"p8s2", [](Canvas& c) { echo(c, scene_bridge, {150, 170, 220}, BRIDGE_STEPS, 2, 3); }},
        {"p8s3", [](Canvas& c) { echo(c, [](Canvas& p) { scene_pub(p, true); }, {210, 170, 140}, PUB_STAIRS, 3, 2); }},
        {"p8s4", [](Canvas& c) { echo(c, scene_castle_gate, {200, 190, 150}, CASTLE_STEPS, 3, 2); }},
        {"p8s5", [](Canvas& c) { echo(c, [](Canvas& p) { scene_her_hall(p, true); }, {170, 210, 180}, HALL_STAIRS, 3, 2); }},
        {"p8s6", [](Canvas& c) { echo(c, [](Canvas& p) { scene_her_bedroom(p, true); }, {220, 160, 200}, BEDROOM_STAIRS, 3, 2); }},
        {"p8s7", [](Canvas& c) { echo(c, scene_trench, {180, 180, 150}, TRENCH_LADDER, 3, 2); }},
        {"p8s8", [](Canvas& c) { echo(c, scene_sharks_room, {160, 150, 120}, CELLAR_STEPS, 3, 2); }},
        {"p8s9", scene_last_street},
        {"blank", scene_blank},
    };
    return recipes;
}
