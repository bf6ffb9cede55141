// The map: the 66 rooms of the walk, one block per room, in room order.
// Every other slot of the table keeps its defaults and is never entered.
#include "world/room.h"

namespace {

// Fills one room in the fixed order: strings, then exits, resident and effects,
// then the triggers in slot order.
class RoomFiller {
public:
    explicit RoomFiller(Room& room) : room_(room) {}

    RoomFiller& right(int32_t to)
    {
        room_.hasRightExit = true;
        room_.rightExitRoom = to;
        return *this;
    }
    RoomFiller& up(int32_t column, int32_t to)
    {
        room_.hasUpExit = true;
        room_.upExitColumn = column;
        room_.upExitRoom = to;
        return *this;
    }
    RoomFiller& down(int32_t column, int32_t to)
    {
        room_.hasDownExit = true;
        room_.downExitColumn = column;
        room_.downExitRoom = to;
        return *this;
    }
    RoomFiller& resident(int32_t sprite, int32_t x)
    {
        room_.hasResident = true;
        room_.residentSprite = sprite;
        room_.residentX = x;
        return *this;
    }
    RoomFiller& slope()
    {
        room_.groundMode = 1;
        return *this;
    }
    RoomFiller& drunkenWalk()
    {
        room_.drunkenWalk = true;
        return *this;
    }
    RoomFiller& clock()
    {
        room_.hasClock = true;
        return *this;
    }
    RoomFiller& warAmbience()
    {
        room_.warAmbience = true;
        return *this;
    }
    RoomFiller& follower(int32_t mode, int32_t sprite, int32_t x)
    {
        room_.followerMode = mode;
        room_.followerSprite = sprite;
        room_.followerX = x;
        return *this;
    }
    RoomFiller& trigger(EventCode code, int32_t x)
    {
        add_trigger(room_, code, x);
        return *this;
    }

private:
    Room& room_;
};

RoomFiller place(int32_t index, const char* description, const char* sceneImage,
                 const char* midLayer, const char* backLayer)
{
    Room& room = room_at(index);
    room.description = description;
    room.sceneImage = sceneImage;
    room.midLayer = midLayer;
    room.backLayer = backLayer;
    return RoomFiller(room);
}

}  // namespace

// Negative trigger codes are sound events; the comments say what each one does.
void build_world()
{
    // The common start; room 3 forks right to the bridge, up into town.
    place(0, "Starting House", "scene1", "blank", "blank")
        .right(1).resident(8, 240).trigger(1, 220);
    place(1, "Outside, in town", "scene2", "mid2", "back1")
        .right(2);
    place(2, "More town, with resident", "scene3", "mid2", "back2")
        .right(3).resident(10, 200).trigger(2, 160);
    place(3, "Path to Center", "scene4", "mid1", "back3")
        .right(4).up(3, 12);

    // The bridge; room 8 forks right to the way home, up to the mountain.
    place(4, "Towards bridge 1/2", "scene5", "blank", "back4")
        .right(5);
    place(5, "Towards bridge 2/2", "scene6", "blank", "back5")
        .right(6);
    place(6, "Bridge, with monster", "scene7", "water", "back5")
        .right(7).resident(12, 145).trigger(4, 90).trigger(-1, 150);  // -1: monster destroyed
    place(7, "away from bridge", "scene14", "blank", "back4")
        .right(8);
    place(8, "Path to Castle", "scene15", "mid1", "back3")
        .right(38).up(2, 45);

    // The way home, after room 38 (path 7).
    place(9, "On the way home", "p7s2", "blank", "back6")
        .right(10);
    place(10, "Outside the house", "p7s3", "moon", "blank")
        .right(11);
    place(11, "Ending: Simple", "p2s3", "blank", "blank")
        .resident(8, 200).trigger(11, 80).trigger(-2, 90);  // -2: ending 7

    // The town; room 13 forks right to the pub street, down to the affair.
    place(12, "More town", "scene8", "blank", "back6")
        .right(13);
    place(13, "Town, to affair path", "scene9", "blank", "back6")
        .right(25).down(3, 14);

    // The woman's house; room 16 forks right to the family, up to the bedroom.
    place(14, "affair path: more town", "scene12", "blank", "back6")
        .right(15);
    place(15, "outside woman's house", "scene13", "blank", "back6")
        .right(16);
    place(16, "in house: door to bedroom", "p5s1", "blank", "back6")
        .right(17).up(3, 20).resident(31, 220).trigger(12, 80);

    // The child and the dinner (path 5).
    place(17, "child", "p5s2", "blank", "back6")
        .right(18).resident(38, 100).trigger(13, 80);
    place(18, "dinner", "p5s3", "blank", "back6")
        .right(19).resident(31, 250).trigger(14, 100);
    place(19, "leave house", "p5s4", "blank", "back6")
        .follower(2, 51, -20).trigger(15, 90).trigger(16, 160).trigger(-4, 220);  // -4: ending 5

    // The bedroom and the wife in town (path 4).
    place(20, "bedroom scene: fade out", "p4s1", "blank", "back6")
        .right(21).resident(31, 160).trigger(20, 70).trigger(-6, 80);  // -6: slow fade, then room 21
    place(21, "bedroom scene: leave at night", "p4s2", "blank", "back6")
        .right(22);
    place(22, "house exit", "p4s5", "blank", "back6")
        .right(23);
    place(23, "town, with wife", "p4s3", "blank", "back6")
        .right(24).resident(8, 260).trigger(17, 140);
    place(24, "she follows, ending", "p4s4", "blank", "back6")
        .follower(2, 21, -20).trigger(18, 60).trigger(19, 140).trigger(-5, 200);  // -5: ending 4

    // The pub street; room 25 forks right to the barracks, up into the pub;
    // the pub forks right out to the street, up to the loan sharks.
    place(25, "a pub is north", "scene10", "blank", "back6")
        .right(32).up(3, 26);
    place(26, "in pub", "scene11", "blank", "back6")
        .right(29).up(2, 27).resident(16, 130).clock()
        .trigger(24, 240).trigger(28, 225).trigger(29, 230).trigger(30, 235).trigger(25, 40);

    // The loan sharks (path 1).
    place(27, "Loansharks", "p1s1", "blank", "back6")
        .right(28).resident(16, 210).trigger(26, 70).trigger(27, 180);
    place(28, "Loanshark end", "p1s2", "blank", "back6")
        .resident(15, 5).follower(1, 43, -20).trigger(-9, 140);  // -9: ending 1

    // Drunk on the way home (path 2).
    place(29, "outside pub", "p2s1", "blank", "back6")
        .right(30).drunkenWalk();
    place(30, "drunken home again", "p2s2", "blank", "back6")
        .right(31).drunkenWalk();
    place(31, "wife, unemployed", "p2s3", "blank", "back6")
        .resident(8, 240).drunkenWalk().trigger(22, 50).trigger(23, 90).trigger(-8, 100);  // -8: ending 2

    // The war (path 3).
    place(32, "Barracks", "p3s1", "blank", "back6")
        .right(33);
    place(33, "Room with sargent", "p3s2", "blank", "back6")
        .right(34).resident(30, 190).trigger(21, 150);
    place(34, "Truck", "p3s3", "blank", "back6")
        .right(35);
    place(35, "trenchs", "p3s4", "blank", "back6")
        .right(36);
    place(36, "no man 1", "p3s5", "blank", "back6")
        .right(37).warAmbience();
    place(37, "no man 2", "p3s6", "blank", "back6")
        .warAmbience().trigger(-7, 200);  // -7: ending 3

    // The first room of the way home (path 7).
    place(38, "On the way home (special)", "p7s1", "blank", "back6")
        .right(9).trigger(-11, 210);  // -11: held slow fade

    // The mountain, the castle and the dragon's cave (path 6).
    place(45, "walking up mountain", "p6s1", "blank", "back6")
        .right(46).slope();
    place(46, "castle entrance (hero)", "p6s2", "blank", "back6")
        .right(47);
    place(47, "castle hallway (hero)", "p6s3", "blank", "back6")
        .right(48).resident(9, 150).trigger(5, 120);
    place(48, "throne room (hero)", "p6s4", "blank", "back6")
        .right(49).resident(18, 220).trigger(6, 160);
    place(49, "emerge as knight, crowds", "p6s5", "blank", "back6")
        .right(50).resident(8, 220).trigger(7, 160);
    place(50, "outside castle with mother", "p6s6", "blank", "back6")
        .right(51).resident(27, 150).trigger(10, 120);
    place(51, "hill, getting darker", "p6s7", "blank", "back6")
        .right(52).slope();
    place(52, "old man, warning", "p6s8", "blank", "back6")
        .right(53).resident(20, 220).trigger(8, 160);
    place(53, "even darker", "p6s9", "blank", "back6")
        .right(54);
    place(54, "again darker", "p6s10", "blank", "back6")
        .right(55);
    place(55, "dead soldiers", "p6s11", "blank", "back6")
        .right(56).resident(19, 220).trigger(9, 160);
    place(56, "very dark", "p6s10", "blank", "back6")
        .right(57);
    place(57, "more dead soldiers, turn back!", "p6s12", "blank", "back6")
        .right(58).resident(17, 190);
    place(58, "into cave", "blank", "blank", "back6")
        .right(59).trigger(-12, 20);  // -12: dragon sound
    place(59, "some flames", "blank", "blank", "back6")
        .trigger(-3, 60);  // -3: ending 6

    // The last path, started only when seven endings are found (path 8);
    // every exit of a maze room leads to the next one.
    place(61, "Here we go! The last ending!", "scene1", "blank", "blank")
        .right(62);
    place(62, "oh my", "blank", "blank", "back6")
        .right(63);
    place(63, "oh my 2", "p8s1", "blank", "back6")
        .right(64).resident(10, 120).trigger(31, 90);
    place(64, "maze entrance (vengance)", "p8s2", "blank", "back6")
        .right(65).up(2, 65).down(3, 65).resident(12, 160).trigger(35, 40);
    place(65, "maze (pub)", "p8s3", "blank", "back6")
        .right(66).up(3, 66).down(2, 66).resident(16, 210).trigger(32, 40);
    place(66, "maze (mistress)", "p8s5", "blank", "back6")
        .right(67).up(3, 67).down(2, 67).resident(38, 210).trigger(34, 40);
    place(67, "maze (loanshark)", "p8s8", "blank", "back6")
        .right(68).up(3, 68).down(2, 68).resident(46, 210).trigger(36, 40);
    place(68, "maze (medieval)", "p8s4", "blank", "back6")
        .right(69).up(3, 69).down(2, 69).resident(18, 210).trigger(38, 40);
    place(69, "maze (war)", "p8s7", "blank", "back6")
        .right(70).up(3, 70).down(2, 70).resident(30, 210).trigger(37, 40);
    place(70, "maze (affair)", "p8s6", "blank", "back6")
        .right(71).up(3, 71).down(2, 71).resident(31, 210).trigger(39, 40);
    place(71, "oh my 3", "p8s9", "blank", "back6")
        .right(72);
    place(72, "the end", "p2s3", "blank", "back6")
        .trigger(-10, 180);  // -10: ending 8
}
