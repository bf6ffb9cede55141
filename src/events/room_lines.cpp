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
    {2, "A street corner. A girl stands by the wall."},
    {3, "The road runs on towards the river. Houses climb away to the north."},
    {4, "Open fields on the way to the river."},
    {5, "The fields thin out. The river is close now."},
    {6, "A bridge over the water. Something large waits on it."},
    {7, "The far bank. The bridge is behind you."},
    {8, "The road goes on towards home. A mountain track climbs away from it."},
    {9, "The road home, in the last of the light."},
    {10, "Your house under the moon."},
    {11, "Home, in the evening. Someone is waiting."},
    {12, "A busy street in the middle of town."},
    {13, "A street of tall houses. Steps lead down between them."},
    {14, "A quieter street, away from the crowds."},
    {15, "A quiet street. A door you know."},
    {16, "A hallway. A woman waits, and a door leads up to another room."},
    {17, "A child's room, full of drawings."},
    {18, "A kitchen. The table is laid for dinner."},
    {19, "The front door of the house."},
    {20, "A bedroom, softly lit."},
    {21, "A cold street at night."},
    {22, "The door of a house, in the dark."},
    {23, "A grey morning in town. Someone stands in the street."},
    {24, "The grey road out of town."},
    {25, "A street with a lit door above it, and the sound of voices."},
    {26, "Inside the pub. A bar, a few stools, a clock, a door at the back."},
    {27, "A back room, dim and close. A man is waiting."},
    {28, "A narrow alley with no way out."},
    {29, "Outside the pub, late at night."},
    {30, "A street at night that will not keep still."},
    {31, "Home, late. The lights are still on."},
    {32, "A barracks yard, its gate standing open."},
    {33, "An office in the barracks. A sergeant stands at his desk."},
    {34, "A truck waits with its back let down."},
    {35, "A trench, deep and muddy."},
    {36, "Open ground beyond the wire. Nothing moves."},
    {37, "Further out across the open ground."},
    {38, "The road home, late in the afternoon."},
    {45, "A steep road up the mountain."},
    {46, "The gate of a castle."},
    {47, "A long castle hallway. A guard stands in it."},
    {48, "A throne room. The King is waiting."},
    {49, "A crowd has gathered outside the castle."},
    {50, "A square below the castle. People wait on the steps."},
    {51, "A hill road. The sky is getting darker."},
    {52, "An old man sits by the road."},
    {53, "Darker now. The road goes on."},
    {54, "Darker still."},
    {55, "A soldier lies by the road."},
    {56, "Almost nothing can be seen."},
    {57, "More fallen soldiers, and the mouth of a cave."},
    {58, "Inside the cave. It is very dark."},
    {59, "Deep in the cave. A warm glow somewhere ahead."},
    {61, "Home, in the morning. Nobody stands by the door."},
    {62, "Colours swim and swirl all around."},
    {63, "A grey street. A girl stands alone."},
    {64, "A bridge, like a memory of one. Something waits on it."},
    {65, "A pub, like a memory of one."},
    {66, "A hallway, like a memory of one."},
    {67, "A back room, like a memory of one."},
    {68, "A castle gate, like a memory of one."},
    {69, "A trench, like a memory of one."},
    {70, "A bedroom, like a memory of one."},
    {71, "A quiet street, very still."},
    {72, "Home, in the evening."},
};

}  // namespace

const char* room_line(int room)
{
    for (const RoomLine& line : ROOM_LINES)
        if (line.room == room) return line.text;
    return nullptr;
}
