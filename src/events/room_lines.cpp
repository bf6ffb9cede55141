// What a player hears on entering each room: what can be seen there, in a few
// quiet words, without telling what is about to happen.
#include "events/narration.h"

namespace {

struct RoomLine {
    int room;
    const char* text;
};

constexpr RoomLine ROOM_LINES[] = {
    {0, "Home, in the morning. Someone stands by the door."},
    {1, "A street in town. The day has just begun."},
    {2, "A street corner. A girl stands by the lamp post."},
    {3, "The road runs on towards the river. Houses climb away to the north."},
    {4, "Open fields on the way to the river."},
    {5, "The fields thin out. The river is close now."},
    {6, "A bridge over the water. Something large waits on it."},
    {7, "The far bank. The bridge is behind you."},
    {8, "The road goes on towards home. A track winds up the mountain to a castle."},
    {9, "The road home at night. Trees stand dark against the sky."},
    {10, "Your house under the moon."},
    {11, "Home, in the evening. Someone is waiting."},
    {12, "A busy street hung with flags."},
    {13, "A street of tall houses. Steps lead down between them."},
    {14, "A quieter street, away from the crowds."},
    {15, "A quiet street. A door you know."},
    {16, "A hallway. A woman waits, and a door leads up to another room."},
    {17, "A child's room. A small child plays on the rug."},
    {18, "A dining room. The table is laid for dinner."},
    {19, "Outside the house, at sunset."},
    {20, "A bedroom, softly lit."},
    {21, "A cold street at night."},
    {22, "The door of a house, in the dark."},
    {23, "A grey morning in town. Someone stands in the street."},
    {24, "The grey road out of town, past bare trees."},
    {25, "A street with a lit door above it, and the sound of voices."},
    {26, "Inside the pub. A bar, a few stools, a clock, a door at the back."},
    {27, "A back room, dim and close. A man is waiting."},
    {28, "A narrow alley with no way out."},
    {29, "Outside the pub, late at night."},
    {30, "A street at night that will not keep still."},
    {31, "Home, late. The lights are still on."},
    {32, "A camp of huts and tents under a grey sky."},
    {33, "An office in the barracks. A sergeant stands at his desk."},
    {34, "A covered truck waits in the mud."},
    {35, "A trench walled with planks, a lamp by a dugout."},
    {36, "Open ground under smoke. Bare trees, and nothing moving."},
    {37, "Further out across the open ground."},
    {38, "The road home at dusk."},
    {45, "A steep road up the mountain."},
    {46, "The gate of a castle."},
    {47, "A long castle hall hung with banners. A man waits there."},
    {48, "A throne room. A crowned figure waits by the throne."},
    {49, "A crowd has gathered outside the castle."},
    {50, "A square by the castle walls, with a well. Three men stand together."},
    {51, "A hill road. The sky is getting darker."},
    {52, "An old man stands by his hut at the roadside."},
    {53, "Darker now. The road goes on."},
    {54, "Darker still."},
    {55, "Fallen soldiers lie by the road under a torn banner."},
    {56, "Very dark now. Only a red glow over the hills."},
    {57, "More fallen soldiers, and the mouth of a cave."},
    {58, "Inside the cave. It is very dark."},
    {59, "Deeper in the cave. Warm air moves in the dark."},
    {61, "Home, in the morning. Nobody stands by the door."},
    {62, "Colours swim and swirl all around."},
    {63, "A grey street. A girl stands alone."},
    {64, "A bridge, like a memory of one. Something waits on it."},
    {65, "A pub, like a memory of one."},
    {66, "A hallway, like a memory of one. A child stands in it."},
    {67, "A back room, like a memory of one."},
    {68, "A castle gate, like a memory of one."},
    {69, "A trench, like a memory of one."},
    {70, "A bedroom, like a memory of one."},
    {71, "A dark street. One window is lit."},
    {72, "Home, in the evening. The room is empty."},
};

}  // namespace

const char* room_line(int room)
{
    for (const RoomLine& line : ROOM_LINES)
        if (line.room == room) return line.text;
    return nullptr;
}
