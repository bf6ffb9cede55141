// The paintings of the rooms, one file per path of the story, named as the table
// in scenes.cpp uses them; and the few pieces one path borrows from another.
#pragma once

#include <cstdint>

#include "art/canvas.h"

namespace paintings {

// town.cpp: the town in daylight
void town_sky(Canvas& c, uint32_t seed);
void town_row(Canvas& c, int seed);
void scene_home_morning(Canvas& c);  // scene1
void scene_street(Canvas& c);        // scene2
void scene_corner(Canvas& c);        // scene3
void scene_fork(Canvas& c);          // scene4
void scene_fields(Canvas& c, bool riverNear);  // scene5, scene6
void scene_bridge(Canvas& c);        // scene7
void scene_far_bank(Canvas& c);      // scene14
void scene_castle_path(Canvas& c);   // scene15
void scene_busy_town(Canvas& c);     // scene8
void scene_steps_street(Canvas& c);  // scene9
void scene_quiet_street(Canvas& c, bool herDoor);  // scene12, scene13

// pub.cpp: the pub and the night out
void night_sky(Canvas& c, uint32_t seed);
void scene_pub_street(Canvas& c);    // scene10
void scene_pub(Canvas& c, bool remembered = false);  // scene11 (remembered: p8s3)
void scene_pub_night(Canvas& c);     // p2s1
void scene_drunk_street(Canvas& c);  // p2s2
void scene_home_evening(Canvas& c);  // p2s3

// sharks.cpp: the loan sharks
void scene_sharks_room(Canvas& c);  // p1s1
void scene_alley(Canvas& c);        // p1s2

// war.cpp
void scene_barracks(Canvas& c);  // p3s1
void scene_sergeant(Canvas& c);  // p3s2
void scene_truck(Canvas& c);     // p3s3
void scene_trench(Canvas& c);    // p3s4
void scene_no_mans_land(Canvas& c, bool second);  // p3s5, p3s6

// affair.cpp: the other woman and her house
void scene_her_bedroom(Canvas& c, bool remembered = false);  // p4s1 (remembered: p8s6)
void scene_cold_street(Canvas& c, bool houseDoor);  // p4s2, p4s5
void scene_grey_town(Canvas& c, bool road);        // p4s3, p4s4
void scene_her_hall(Canvas& c, bool remembered = false);  // p5s1 (remembered: p8s5)
void scene_child_room(Canvas& c);                  // p5s2
void scene_dinner(Canvas& c);                      // p5s3
void scene_leave_house(Canvas& c);                 // p5s4

// hero.cpp: the castle and the road to the dragon
void scene_mountain_road(Canvas& c);  // p6s1
void scene_castle_gate(Canvas& c);    // p6s2
void scene_castle_hall(Canvas& c);    // p6s3
void scene_throne(Canvas& c);         // p6s4
void scene_crowds(Canvas& c);         // p6s5
void scene_square(Canvas& c);         // p6s6
void scene_dark_hill(Canvas& c);      // p6s7
void scene_old_man(Canvas& c);        // p6s8
void scene_darker(Canvas& c, int step);         // p6s9, p6s10
void scene_fallen(Canvas& c, bool caveMouth);  // p6s11, p6s12

// way_home.cpp
void scene_home_road(Canvas& c, int variant);  // p7s1, p7s1a, p7s2
void scene_house_moon(Canvas& c);              // p7s3

// last_path.cpp: the faded echoes. What a maze room's ways up and down are
// made of: the room's own stair (or ladder), in its own materials.
struct WayMaterials {
    Rgb tread, riser, rail, opening;  // opening: the dark beyond a doorway or down a well
    bool ladder = false;              // a ladder up the wall instead of a flight of stairs
    bool arch = false;                // a round-topped doorway, in stone
    bool leftward = false;            // the flight rises to the left, its doorway on the left
    Rgb bank{-1, 0, 0};               // outdoors: the steps climb a grassy bank to a gateway
    Rgb warm{-1, 0, 0};               // a lamp beyond the doorway: a warm rim round it, lit treads
};
void echo(Canvas& c, void (*paint)(Canvas&), Rgb hue, const WayMaterials& m, int up, int down);  // p8s2 to p8s8
void scene_girl_greyed(Canvas& c);  // p8s1
void scene_last_street(Canvas& c);  // p8s9
void scene_blank(Canvas& c);        // blank

}  // namespace paintings
