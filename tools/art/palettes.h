// One limited palette per path, so a room says where the player is before anyone
// speaks. Change a colour here and every room of that path follows.
#pragma once

#include "art/kit.h"

namespace town {  // a warm small town in daylight
inline constexpr Rgb skyTop{104, 160, 214}, skyLow{196, 220, 232};
inline constexpr Rgb farHill{138, 170, 128}, nearHill{104, 146, 92};
inline constexpr Rgb grass{112, 156, 74}, grassDark{86, 128, 60};
inline constexpr Rgb path{196, 170, 124}, pathEdge{160, 132, 94};
inline constexpr Rgb cream{234, 214, 172}, ochre{218, 174, 112}, rose{214, 158, 138}, chalk{204, 204, 196};
inline constexpr Rgb tile{172, 84, 62}, slate{96, 94, 112}, trim{240, 236, 220};
inline constexpr Rgb glass{70, 96, 124}, doorGreen{62, 108, 82}, doorBlue{60, 80, 132}, doorRed{150, 54, 48},
    wood{128, 86, 52};
inline constexpr Rgb stone{156, 146, 134}, joint{128, 118, 110}, kerb{112, 104, 98}, front{132, 122, 112};
inline constexpr Rgb leaves{84, 138, 70}, leavesDark{58, 104, 56}, trunk{92, 64, 44};
inline constexpr Rgb water{72, 122, 170}, waterLight{128, 176, 206}, glint{226, 240, 246};
inline constexpr Rgb cloudLight{244, 246, 246}, cloudDark{212, 222, 230};
inline constexpr Rgb sunCore{255, 244, 200}, sunHalo{255, 236, 180};
inline constexpr StreetColours street{stone, joint, kerb, front};
}  // namespace town

namespace home {  // inside the house: warm morning, then lamp-lit evening
inline constexpr Rgb wall{232, 204, 150}, wallShade{206, 172, 118}, stripe{220, 186, 130};
inline constexpr Rgb skirting{140, 96, 60}, floor{160, 108, 66}, floorShade{132, 86, 52};
inline constexpr Rgb wood{132, 84, 50}, woodDark{96, 60, 36}, cloth{196, 88, 72}, clothLight{226, 136, 110};
inline constexpr Rgb morning{255, 246, 206}, lampLight{255, 214, 140};
inline constexpr RoomColours room{wall, wallShade, skirting, floor, floorShade};
}  // namespace home

namespace pub {  // amber lamps, dark wood
inline constexpr Rgb panel{92, 52, 30}, panelDark{66, 36, 22}, upper{150, 100, 56}, upperShade{112, 72, 40};
inline constexpr Rgb floor{124, 86, 54}, floorShade{98, 66, 40}, bar{120, 70, 36}, barTop{176, 120, 64};
inline constexpr Rgb lamp{255, 206, 112}, halo{255, 176, 80}, bottle1{70, 130, 70}, bottle2{150, 60, 40},
    brass{214, 170, 80};
inline constexpr Rgb clockFace{236, 226, 196}, clockRim{120, 84, 40};
inline constexpr RoomColours room{upper, upperShade, panelDark, floor, floorShade};
}  // namespace pub

namespace night {  // wet streets under lamps, the walk home
inline constexpr Rgb skyTop{14, 18, 40}, skyLow{42, 50, 88}, star{220, 224, 255};
inline constexpr Rgb wallA{52, 56, 84}, wallB{66, 62, 90}, roof{30, 32, 52}, trim{86, 90, 120};
inline constexpr Rgb glass{28, 34, 58}, lit{255, 204, 120}, halo{230, 170, 90};
inline constexpr Rgb stone{50, 54, 74}, joint{38, 40, 58}, kerb{30, 32, 48}, front{40, 44, 62}, wet{96, 104, 140};
inline constexpr Rgb moonFace{236, 236, 214}, moonHalo{120, 130, 180};
inline constexpr Rgb tree{24, 30, 44}, grass{30, 44, 50}, grassDark{22, 32, 40}, path{62, 64, 84};
inline constexpr StreetColours street{stone, joint, kerb, front};
}  // namespace night

namespace shark {  // the loan sharks: a bare bulb, bricks and dirt
inline constexpr Rgb brick{78, 52, 40}, mortar{54, 38, 32}, dark{26, 20, 18}, floor{48, 40, 32},
    floorShade{36, 30, 24};
inline constexpr Rgb bulb{255, 240, 170}, halo{200, 170, 90}, crate{104, 78, 44}, crateDark{72, 52, 30},
    green{60, 96, 60};
}  // namespace shark

namespace war {  // khaki, grey sky and brown mud
inline constexpr Rgb skyTop{112, 114, 106}, skyLow{160, 158, 140}, mud{92, 70, 48}, mudDark{66, 50, 36},
    mudLight{120, 96, 66};
inline constexpr Rgb khaki{128, 120, 80}, khakiDark{96, 90, 58}, hut{110, 112, 104}, hutRoof{80, 82, 80},
    wire{44, 40, 36};
inline constexpr Rgb smoke{150, 146, 136}, fire{230, 150, 70}, bag{150, 134, 96}, bagSeam{114, 100, 70},
    plank{112, 86, 58};
inline constexpr Rgb wall{150, 140, 104}, wallShade{126, 116, 86}, floorWood{104, 82, 56},
    floorShade{82, 64, 44};
inline constexpr RoomColours room{wall, wallShade, khakiDark, floorWood, floorShade};
}  // namespace war

namespace affair {  // her bedroom, then cold blue night, then grey morning
inline constexpr Rgb wall{150, 84, 110}, wallShade{120, 62, 90}, stripe{164, 100, 124}, floor{96, 52, 60},
    floorShade{76, 40, 50};
inline constexpr Rgb lamp{255, 196, 150}, halo{240, 150, 130}, sheet{236, 214, 220}, cover{176, 40, 76},
    wood{88, 44, 46};
inline constexpr Rgb coldTop{18, 28, 62}, coldLow{54, 78, 128}, coldWall{58, 72, 112}, coldWall2{72, 84, 124},
    coldRoof{34, 42, 74};
inline constexpr Rgb greyTop{146, 150, 158}, greyLow{196, 196, 196}, greyWall{170, 166, 160}, greyWall2{150, 150, 156},
    greyRoof{104, 100, 106};
inline constexpr RoomColours room{wall, wallShade, wood, floor, floorShade};
}  // namespace affair

namespace family {  // her house: a second family, homely
inline constexpr Rgb wall{196, 214, 176}, wallShade{168, 190, 150}, stripe{180, 202, 160}, floor{170, 124, 84},
    floorShade{142, 100, 66};
inline constexpr Rgb wood{126, 88, 58}, woodDark{94, 64, 42}, cloth{236, 220, 180}, accent{210, 120, 80},
    lamp{255, 226, 160};
inline constexpr Rgb childWall{190, 206, 232}, childShade{160, 180, 214}, toyRed{214, 80, 70}, toyYellow{236, 200, 80},
    toyBlue{80, 120, 200};
inline constexpr RoomColours room{wall, wallShade, woodDark, floor, floorShade};
}  // namespace family

namespace hero {  // a bright castle that grows darker on the road to the dragon
inline constexpr Rgb skyTop{70, 130, 220}, skyLow{176, 210, 240}, stone{196, 188, 170}, stoneJoint{160, 150, 134},
    stoneDark{140, 132, 120};
inline constexpr Rgb red{186, 40, 48}, gold{236, 190, 60}, blue{50, 70, 150}, grass{100, 170, 70},
    grassDark{70, 136, 56};
inline constexpr Rgb hallWall{170, 160, 144}, hallShade{140, 130, 116}, carpet{160, 32, 44}, carpetEdge{220, 170, 60},
    hallFloor{120, 112, 100};
inline constexpr Rgb duskTop{70, 60, 110}, duskLow{236, 150, 96}, duskHill{88, 70, 70}, duskHillDark{66, 52, 56};
inline constexpr Rgb nightTop{14, 10, 24}, nightLow{60, 30, 40}, rock{48, 40, 44}, rockDark{30, 24, 28},
    ember{200, 70, 40};
inline constexpr RoomColours hall{hallWall, hallShade, stoneDark, hallFloor, stoneJoint};
}  // namespace hero

namespace dream {  // the last path: faded echoes of every earlier place
inline constexpr Rgb haze{196, 188, 214}, mist{170, 184, 200}, way{236, 232, 246}, wayEdge{150, 140, 180},
    deep{70, 62, 96};
}  // namespace dream
