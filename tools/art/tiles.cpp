// Every sprite as pixel grids with a legend of colours. A figure is stacked from
// parts (head, body, legs, things held), each a grid of 25-wide rows placed at a
// row of the tile; '.' leaves what is below. To change a figure, change its
// entry in the table at the bottom, or a part it shares with others.
#include "art/tiles.h"

#include <map>
#include <stdexcept>
#include <string>
#include <vector>

#include "art/canvas.h"

namespace {

struct Part {
    int top;                        // tile row of the first grid row
    std::vector<std::string> rows;  // 25 characters each
};

using Legend = std::map<char, Rgb>;

struct Tile {
    int number;
    std::vector<const Part*> parts;  // painted in order
    Legend legend;
};

// ---------------------------------------------------------------- heads

const Part headMan{1, {
    "..........hhhh...........",
    ".........hhhhhh..........",
    ".........hhhssss.........",
    ".........hhssess.........",
    ".........hhsssss.........",
    "..........sssss..........",
    "...........sss...........",
}};

// looking down: the head tipped forward two rows into the shoulders, the
// crown showing, the face turned to the ground ahead
const Part headManDown{3, {
    "..........hhhh...........",
    ".........hhhhhh..........",
    ".........hhhhhhh.........",
    "..........hhhhsss........",
    "..........hhhsses........",
    "...........ssssss........",
    "............ssss.........",
}};

// looking up: the head tipped right back, the face turned to the sky, the
// throat showing under a jutting chin; one arm raised to point up the way
const Part headManUp{1, {
    "...........hhsss.........",
    "..........hhhsess........",
    ".........hhhhsssss.......",
    ".........hhhhssss........",
    "..........hhssss.........",
    "...........ssss..........",
    "...........sss...........",
}};

const Part armPointUp{0, {
    "..................s......",
    "..................ss.....",
    ".................sss.....",
    ".................cc......",
    ".................cc......",
    "................cc.......",
    "................cc.......",
    "...............cc........",
    "...............cc........",
    "..............cc.........",
}};

const Part headWoman{1, {
    "..........hhhh...........",
    ".........hhhhhh..........",
    "........hhhhssss.........",
    "........hhhssess.........",
    "........hhhsssss.........",
    "........hhhhsss..........",
    "........hhhh.ss..........",
    "........hhh..............",
    "........hh...............",
}};

const Part pigtails{2, {
    ".......h.................",
    "......hh.................",
    "......h..................",
    ".......h.................",
}};

// the coat man: a scowl under the brim; and a smile with the hat pushed back
const Part headScowl{1, {
    "..........hhhh...........",
    ".........hhhhhh..........",
    ".........hhhkkkk.........",
    ".........hhssess.........",
    ".........hhsssss.........",
    "..........sseks..........",
    "...........sss...........",
}};

const Part headSmile{1, {
    "..........hhhh...........",
    ".........hhhhhh..........",
    ".........hhhssss.........",
    ".........hhssess.........",
    ".........hhsssss.........",
    "..........ssses..........",
    "...........sss...........",
}};

const Part hatLow{0, {
    "..........kkkk...........",
    "..........kkkk...........",
    "........kkkkkkkkk........",
}};

const Part hatBack{0, {
    ".........kkkk............",
    ".........kkkk............",
    ".......kkkkkkk...........",
}};

const Part cap{0, {
    ".........................",
    ".........kkkkk...........",
    ".........kkkkkkk.........",
}};

const Part helmet{0, {
    ".........................",
    "..........kkkk...........",
    "........kkkkkkkkk........",
}};

const Part crown{0, {
    "..........g.g.g..........",
    "..........ggggg..........",
}};

const Part beard{5, {
    "..........WWWWW..........",
    "...........WWW...........",
}};

// a full moustache under the nose, its ends turned down past the mouth
const Part moustache{5, {
    "...........WWWW..........",
    "...........W.W...........",
}};

// a sergeant's peaked cap with its badge, and three stripes on his sleeve
const Part peakedCap{0, {
    "..........kkkk...........",
    ".........kkkgkk..........",
    ".........kkkkkkkk........",
}};

const Part stripes{10, {
    "...........y.y...........",
    "............y............",
    "...........y.y...........",
    "............y............",
}};

const Part bandage{2, {
    ".........wwwwww..........",
    ".........wwwwr...........",
}};

const Part knightHelm{1, {
    "..........aaaa...........",
    ".........aaaaaa..........",
    ".........aaaaaaa.........",
    ".........aaaeeea.........",
    ".........aaaaaaa.........",
    "..........aaaaa..........",
    "...........aa............",
}};

const Part plume{0, {
    "..........rr.............",
    ".........rr..............",
}};

const Part featherHat{0, {
    "........f................",
    "........ffkkkk...........",
    "........kkkkkkkk.........",
}};

const Part shavedHead{1, {
    "..........ssss...........",
    ".........ssssss..........",
    ".........sssssss.........",
    ".........sssssee.........",
    ".........sssssss.........",
    "..........sssss..........",
    "..........ssss...........",
}};

// ---------------------------------------------------------------- bodies

const Part torsoMan{8, {
    ".........cccccc..........",
    "........cccccccc.........",
    "........cccdcccc.........",
    "........cccdcccc.........",
    "........cccdcccc.........",
    "........cccdcccc.........",
    "........cccsccc..........",
    "........lllllll..........",
}};

const Part torsoWalk{8, {
    ".........cccccc..........",
    "........cccccccc.........",
    "........ccccdccc.........",
    "........cccccdcc.........",
    "........ccccccdc.........",
    "........ccccccs..........",
    "........ccccccc..........",
    "........lllllll..........",
}};

const Part torsoBroad{8, {
    "........cccccccc.........",
    ".......cccccccccc........",
    ".......cccccdcccc........",
    ".......cccccdcccc........",
    ".......cccccdcccc........",
    "........ccccdccc.........",
    "........ccccsscc.........",
    "........lllllll..........",
}};

const Part torsoWoman{8, {
    ".........cccccc..........",
    "........cccccccc.........",
    "........cccdcccc.........",
    "........cccdcccc.........",
    ".........ccdccc..........",
    ".........ccsccc..........",
    "........cccccccc.........",
    "........cccccccc.........",
}};

// the shoulders rounded forward, looking down; the chest lifted, looking up
const Part torsoStoop{8, {
    "..........cccccc.........",
    ".........cccccccc........",
    "........ccccdccc.........",
    "........cccdcccc.........",
    "........cccdccc..........",
    "........cccdccc..........",
    "........cccscc...........",
    "........lllllll..........",
}};

// leaning to look down, the near arm angled out and down towards the way
const Part torsoLookDown{8, {
    "..........cccccc.........",
    ".........cccccccc........",
    "........cccccdcc.........",
    "........ccccccdc.........",
    "........cccccccd.........",
    "........ccccccc.ds.......",
    "........ccccccc..........",
    "........lllllll..........",
}};

const Part torsoArch{8, {
    "........cccccc...........",
    ".......ccccccccc.........",
    ".......cccdccccc.........",
    "........ccdcccc..........",
    "........ccdcccc..........",
    "........cccdccc..........",
    "........cccsccc..........",
    "........lllllll..........",
}};

// a woman's arms swinging as she walks: forward, then back
const Part torsoWomanStep1{8, {
    ".........cccccc..........",
    "........cccccccc.........",
    "........ccccdccc.........",
    "........cccccdcc.........",
    ".........ccccdc..........",
    ".........cccccs..........",
    "........cccccccc.........",
    "........cccccccc.........",
}};

const Part torsoWomanStep2{8, {
    ".........cccccc..........",
    "........cccccccc.........",
    "........ccdccccc.........",
    "........cdcccccc.........",
    "........dcccccc..........",
    ".......s.cccccc..........",
    "........cccccccc.........",
    "........cccccccc.........",
}};

// the thug: a leather jerkin over a vest, bare arms
const Part torsoThug{8, {
    "........cccccccc.........",
    ".......ccwwwwwwcc........",
    "......sccwwwwwwccs.......",
    "......sccwwwwwwccs.......",
    "......scccwwwwcccs.......",
    "......ss.cwwwwc.ss.......",
    "........cccccccc.........",
    "........lllllll..........",
}};

const Part torsoThugFolded{8, {
    "........cccccccc.........",
    ".......ccwwwwwwcc........",
    "......sccwwwwwwccs.......",
    "......sssssssssssss......",
    "......ssssssssssss.......",
    ".........cwwwwc..........",
    "........cccccccc.........",
    "........lllllll..........",
}};

// the coat man raises his fist
const Part armFist{6, {
    "..............ss.........",
    "..............ss.........",
    ".............dd..........",
    "............dd...........",
    "........ccccdd...........",
}};

const Part tabard{9, {
    ".........tttttt..........",
    ".........ttyytt..........",
    ".........ttyytt..........",
    ".........tttttt..........",
    ".........tttttt..........",
    ".........tttttt..........",
    ".........tttttt..........",
    ".........tttttt..........",
    "..........tttt...........",
}};

const Part robe{8, {
    ".........cccccc..........",
    "........wccccccw.........",
    "........wccdcccw.........",
    "........cccdcccc.........",
    "........cccdcccc.........",
    "........cccscccc.........",
    "........cccccccc.........",
    ".......ccccccccc.........",
    ".......cccccccccc........",
    ".......cccccccccc........",
    "......ccccccccccc........",
    "......cccccccccccc.......",
    "......cccccccccccc.......",
    ".....ccccccccccccc.......",
    ".....wwwwwwwwwwwwww......",
    ".....wwwwwwwwwwwwww......",
    "........bbb..bbb.........",
}};

const Part coatSkirt{16, {
    "........ccccccc..........",
    "........cccdcccc.........",
    "........cccdcccc.........",
    "........ccc.cccc.........",
    "........ddd.dddd.........",
}};

// ---------------------------------------------------------------- legs

const Part legsStand{16, {
    "........ppppppp..........",
    "........ppppppp..........",
    "........ppp.ppp..........",
    "........ppp.ppp..........",
    "........ppq.ppq..........",
    "........ppq.ppq..........",
    "........ppq.ppq..........",
    "........bbbb.bbbb........",
    "........bbbb.bbbb........",
}};

const Part legsWalk1{16, {
    "........ppppppp..........",
    ".......pppppppp..........",
    ".......ppp...ppp.........",
    "......ppp.....ppp........",
    "......ppq......ppq.......",
    ".....ppq.......ppq.......",
    ".....ppq........ppq......",
    "....bbbb........bbbbb....",
    "....bbb.........bbbbb....",
}};

const Part legsWalk2{16, {
    "........ppppppp..........",
    "........ppppppp..........",
    ".........ppppp...........",
    ".........ppppq...........",
    "........pppqpq...........",
    ".......ppq..pq...........",
    "......bbq...pq...........",
    "......bb....pqq..........",
    "...........bbbbb.........",
}};

const Part skirtStand{16, {
    "........ccccccccc........",
    ".......cccccccccc........",
    ".......ccccccccccc.......",
    ".......ccdcccccccc.......",
    "......cccdccccccccc......",
    "......cccdccccccccc......",
    "......ddddddddddddd......",
    "........ss....ss.........",
    "........bbb...bbb........",
}};

const Part skirtWalk1{16, {
    "........ccccccccc........",
    ".......cccccccccc........",
    ".......ccccccccccc.......",
    "......cccdcccccccc.......",
    "......cccdccccccccc......",
    ".....cccdcccccccccc......",
    ".....ddddddddddddddd.....",
    ".....ss.........ss.......",
    "....bbb.........bbbb.....",
}};

// passing: the hem swings forward, one heel lifts
const Part skirtPass{16, {
    "........ccccccccc........",
    "........cccccccccc.......",
    "........ccccccccccc......",
    "........ccdccccccccc.....",
    ".......cccdcccccccccc....",
    ".......cccdccccccccccc...",
    ".......dddddddddddddd....",
    "...........ss.ss.........",
    "..........bbb..bbb.......",
}};

// ---------------------------------------------------------------- things held

const Part sword{4, {
    "................m........",
    "................m........",
    "................m........",
    "................m........",
    "................m........",
    "................m........",
    "................m........",
    "...............gmg.......",
    "...............sg........",
}};

const Part spear{0, {
    ".................m.......",
    "................mmm......",
    ".................t.......",
    ".................t.......",
    ".................t.......",
    ".................t.......",
    ".................t.......",
    ".................t.......",
    ".................t.......",
    ".................t.......",
    ".................t.......",
    ".................t.......",
    "................st.......",
    ".................t.......",
    ".................t.......",
    ".................t.......",
    ".................t.......",
    ".................t.......",
    ".................t.......",
    ".................t.......",
    ".................t.......",
    ".................t.......",
}};

const Part bow{6, {
    "...............t.........",
    "................t........",
    ".................t.......",
    ".................tm......",
    ".................tm......",
    ".................tm......",
    "................stm......",
    ".................t.......",
    "................t........",
    "...............t.........",
}};

const Part shield{9, {
    "............yyyy.........",
    "...........yrrrry........",
    "...........yrryry........",
    "...........yryrry........",
    "...........yrrrry........",
    "............yrry.........",
    ".............yy..........",
}};

// a spade held upright at his side, its blade by his boots
const Part spade{6, {
    ".....ttt.................",
    "......t..................",
    "......t..................",
    "......t..................",
    "......t..................",
    "......t..................",
    "......t..................",
    "......ts.................",
    "......t..................",
    "......t..................",
    "......t..................",
    "......t..................",
    "......t..................",
    "......t..................",
    ".....mmm.................",
    ".....mmm.................",
    ".....mmm.................",
    "......m..................",
}};

// a felling axe hanging from his hand, its head by his knee
const Part axe{12, {
    "..................t......",
    "..................t......",
    ".................st......",
    "..................t......",
    "..................t......",
    "..................t......",
    "..................t......",
    "..................tmm....",
    "..................tmmm...",
    "..................tmm....",
}};

const Part pitchfork{1, {
    "...............m.m.m.....",
    "...............mmmmm.....",
    ".................t.......",
    ".................t.......",
    ".................t.......",
    ".................t.......",
    ".................t.......",
    ".................t.......",
    ".................t.......",
    ".................t.......",
    ".................t.......",
    ".................t.......",
    "................st.......",
    ".................t.......",
    ".................t.......",
    ".................t.......",
    ".................t.......",
    ".................t.......",
    ".................t.......",
    ".................t.......",
    ".................t.......",
    ".................t.......",
}};

const Part scroll{12, {
    "..............ww.........",
    "..............ws.........",
    "..............ww.........",
}};

const Part armGlass{10, {
    "........cccdddd.g........",
    "........cccccddsg........",
    "..............gg.........",
}};

// ---------------------------------------------------------------- whole figures

const Part child{11, {
    "...........hhh...........",
    "..........hhhhh..........",
    "..........hhsss..........",
    "..........hssess.........",
    "..........hssss..........",
    "...........sss...........",
    "..........ccccc..........",
    ".........ccccccc.........",
    ".........ccdcccc.........",
    ".........ccscccc.........",
    "..........ppppp..........",
    "..........pp.pp..........",
    "..........pp.pp..........",
    "..........bb.bbb.........",
}};

const Part oldMan{3, {
    "..........WWW............",
    ".........WWWss...........",
    ".........WWssess.........",
    ".........WWssss..........",
    "..........WWWWW..........",
    "........ccccWWW..........",
    ".......cccccccc..........",
    "......ccccccccc..........",
    "......cccccdccc..........",
    "......cccccdcccs.........",
    "......cccccdccc.t........",
    "......ccccccccc.t........",
    "......ccccccccc.t........",
    "......ccccccccc.t........",
    "......ccccccccc.t........",
    "......ccccccccc.t........",
    ".......ccccccc..t........",
    ".......ddddddd..t........",
    "........pp.pp...t........",
    "........pp.pp...t........",
    "........pp.pp...t........",
    ".......bbb.bbb..t........",
}};

// three soldiers where they fell, a row apart: helmeted heads, their round
// shields, a broken spear
const Part fallen{13, {
    "..kkk..................m.",
    ".kssk.ccccccpppppbb...t..",
    "..ss..ccdddcc.ppp.bb.t...",
    "....................t....",
    ".........................",
    "..yyy..............kkk...",
    ".yrgry.bbppppccccccsssk..",
    "..yyy...bb.pp.ccdddcss...",
    ".........................",
    "...kkk...............yyy.",
    "..ksssccccccppppbb..yrgry",
    "...ss.ccdddcc..ppbb..yyy.",
}};

const Part dying{10, {
    ".........................",
    ".........................",
    "..........hhh............",
    ".........hhsss...........",
    ".........hsses...........",
    ".........hssss...........",
    "........cccss............",
    ".......ccccccc...........",
    ".......cccddccs..........",
    ".......ccccccrs..........",
    ".......cccrccc...........",
    "......oocccpppppppp......",
    "......ooooopppppppppb....",
    ".....ooooooo......bbb....",
    ".....oooooooo.....bbb....",
}};

const Part monster{0, {
    ".........................",
    ".......n.........n.......",
    "......nn.........nn......",
    "......ngggggggggggn......",
    ".....ggggggggggggggg.....",
    ".....gggGGgggggGGggg.....",
    ".....gggyeygggyeyggg.....",
    ".....ggggggggggggggg.....",
    "......gggwgwgwgwggg......",
    "....GGgggggggggggggGG....",
    "...GGgggggggggggggggGG...",
    "..GGgggggmmggggmmgggggG..",
    "..GggGgggggggggggggGggG..",
    "..GggGgggggmmgggggGgggG..",
    "..gggGGgggggggggggGGggg..",
    "..ggg.GggggggggggggG.ggg.",
    ".ggg..GGggggggggggGG..ggg",
    ".ggg..GGGGGGGGGGGGGG..ggg",
    "......ggggggg.ggggggg....",
    "......ggggggg.ggggggg....",
    "......ggggggg.ggggggg....",
    "......GGGGGG...GGGGGG....",
    ".....gggggggg.gggggggg...",
    "....ggggggggg.ggggggggg..",
    "....GGGGGGGGG.GGGGGGGGG..",
}};

const Part rubble{11, {
    ".........................",
    "...........n.............",
    "..........nn.............",
    "...................n.....",
    "..........gGg.....nn.....",
    ".........gggGg...........",
    "...n....ggGgggg..........",
    "...nn..gggGggggg...gg....",
    ".......ggggggGggg.gggg...",
    "....gg.gggyeGggggggGgg...",
    "...gggGggggggggGggggggg..",
    "..ggggggGgggggmgggGggggg.",
    ".gggGgggggggmmggggggGgggg",
    ".GGGGGGGGGGGGGGGGGGGGGGG.",
}};

const Part clockCase{0, {
    ".........................",
    "..........wwwww..........",
    "........wwwwwwwww........",
    "........wwfffffww........",
    "........wfffkfffw........",
    "........wfffkfffw........",
    "........wffffkffw........",
    "........wwfffffww........",
    "........wwwwwwwww........",
    ".........wdddddw.........",
    ".........wdkkkdw.........",
    ".........wdkkkdw.........",
    ".........wdkokdw.........",
    ".........wdkokdw.........",
    ".........wdkokdw.........",
    ".........wdkookw.........",
    ".........wdkookw.........",
    ".........wdkkkdw.........",
    ".........wdddddw.........",
    "........wwwwwwwww........",
    "........wdddddddw........",
    "........wdddddddw........",
    "........wwwwwwwww........",
    "........ww.....ww........",
    "........ww.....ww........",
}};

const Part arrowUp{0, {
    ".......oo................",
    "......oyyo...............",
    ".....oyyyyo..............",
    "....oyyyyyyo.............",
    "...oooyyyyooo............",
    ".....oyyyyo..............",
    ".....oyyyyo..............",
    ".....oyyyyo..............",
    ".....oooooo..............",
}};

const Part arrowDown{0, {
    ".....oooooo..............",
    ".....oyyyyo..............",
    ".....oyyyyo..............",
    ".....oyyyyo..............",
    "...oooyyyyooo............",
    "....oyyyyyyo.............",
    ".....oyyyyo..............",
    "......oyyo...............",
    ".......oo................",
}};

// ---------------------------------------------------------------- colours

const Rgb skin{232, 188, 150}, skinPale{210, 180, 160}, skinDark{190, 140, 104};
const Rgb eye{40, 30, 30}, boots{56, 40, 30};

Legend person(Rgb hair, Rgb coat, Rgb trousers, Rgb belt, Rgb skinColour = skin)
{
    return {{'h', hair}, {'s', skinColour}, {'e', eye}, {'c', coat}, {'d', shade(coat, 0.78)},
            {'p', trousers}, {'q', shade(trousers, 0.75)}, {'b', boots}, {'l', belt},
            {'k', shade(hair, 0.6)}, {'W', {224, 224, 216}}, {'w', {240, 240, 234}},
            {'r', {170, 40, 40}}, {'g', {226, 186, 60}}, {'m', {200, 204, 210}},
            {'t', {120, 84, 50}}, {'y', {226, 186, 60}}, {'f', {230, 230, 230}},
            {'a', {160, 166, 176}}, {'o', {70, 64, 60}}};
}

Legend with(Legend legend, std::initializer_list<std::pair<const char, Rgb>> changes)
{
    for (const auto& [key, value] : changes)
        legend[key] = value;
    return legend;
}

// The player and the people he meets.
const Legend player = person({92, 60, 38}, {70, 96, 140}, {70, 64, 60}, {50, 40, 34});
const Legend playerHurt = with(person({92, 60, 38}, {58, 74, 104}, {60, 56, 52}, {50, 40, 34}, skinPale),
                               {{'d', {130, 40, 40}}});
const Legend knight = with(person({92, 60, 38}, {160, 166, 176}, {120, 124, 132}, {186, 40, 48}),
                           {{'d', {186, 40, 48}}, {'b', {100, 104, 112}}});
const Legend soldier = with(person({92, 60, 38}, {128, 120, 80}, {112, 104, 70}, {80, 70, 44}),
                            {{'k', {96, 100, 84}}});
const Legend wife = person({120, 72, 40}, {80, 110, 160}, {0, 0, 0}, {0, 0, 0});
const Legend otherWoman = with(person({40, 28, 24}, {170, 44, 70}, {0, 0, 0}, {0, 0, 0}), {{'s', {236, 196, 164}}});
const Legend girl = person({214, 170, 80}, {230, 200, 90}, {0, 0, 0}, {0, 0, 0});
const Legend childL = person({150, 100, 50}, {214, 80, 70}, {60, 90, 150}, {0, 0, 0});
const Legend coatMan = with(person({50, 44, 40}, {58, 54, 56}, {40, 38, 40}, {40, 38, 40}), {{'k', {30, 28, 30}}});
// a tan leather jerkin and faded blue trousers: lighter than the coat man
// he walks behind, so the two stay apart
const Legend thug = with(person({0, 0, 0}, {156, 112, 70}, {92, 100, 124}, {90, 62, 36}, skinDark),
                         {{'e', {20, 16, 16}}, {'w', {214, 210, 200}}});
const Legend king = with(person({200, 200, 196}, {150, 30, 50}, {0, 0, 0}, {0, 0, 0}), {{'w', {246, 244, 236}}});
const Legend herald = with(person({140, 90, 50}, {60, 80, 160}, {226, 186, 60}, {50, 40, 34}),
                           {{'t', {60, 80, 160}}, {'k', {40, 50, 110}}, {'f', {236, 60, 60}}});
const Legend oldManL = person({220, 220, 214}, {110, 96, 84}, {80, 70, 60}, {60, 50, 40});
// darker than the men's khaki, a brown leather belt and strap, a grey-brown
// moustache that stands out from the eye
const Legend sergeant = with(person({70, 50, 36}, {84, 82, 52}, {72, 70, 46}, {110, 72, 40}),
                             {{'W', {150, 120, 96}}, {'k', {64, 62, 44}}, {'g', {226, 196, 90}},
                              {'y', {226, 196, 90}}});
const Legend companion1 = with(person({60, 40, 30}, {70, 120, 70}, {96, 84, 64}, {60, 46, 30}), {{'k', {90, 70, 50}}});
const Legend companion2 = with(person({170, 120, 60}, {130, 92, 56}, {80, 64, 50}, {60, 46, 30}), {{'m', {220, 220, 210}}});
const Legend companion3 = with(person({40, 30, 26}, {170, 60, 50}, {90, 80, 70}, {60, 46, 30}), {{'y', {200, 200, 200}}});
const Legend volunteer1 = person({110, 70, 40}, {150, 120, 80}, {90, 80, 64}, {70, 50, 34});
const Legend volunteer2 = with(person({200, 160, 90}, {110, 130, 90}, {100, 86, 70}, {70, 50, 34}), {{'k', {80, 70, 56}}});
const Legend volunteer3 = person({60, 50, 44}, {150, 90, 70}, {70, 70, 76}, {70, 50, 34});
const Legend fallenL = with(person({60, 50, 40}, {120, 124, 130}, {90, 84, 80}, {0, 0, 0}, skinPale),
                            {{'k', {72, 76, 86}}, {'r', {140, 30, 40}}});
const Legend dyingL = with(person({70, 50, 40}, {120, 124, 130}, {90, 84, 80}, {0, 0, 0}, skinPale),
                           {{'r', {150, 30, 30}}, {'o', {70, 62, 64}}});
const Legend monsterL = {{'g', {104, 124, 92}}, {'G', {72, 90, 70}}, {'n', {226, 214, 180}},
                         {'e', {220, 40, 30}}, {'y', {250, 200, 60}}, {'w', {236, 232, 210}},
                         {'m', {130, 150, 104}}};
const Legend clockL = {{'w', {110, 64, 32}}, {'d', {84, 46, 22}}, {'f', {236, 226, 196}}, {'k', {40, 30, 24}},
                       {'o', {214, 170, 80}}};
const Legend arrowL = {{'y', {255, 236, 140}}, {'o', {90, 60, 20}}};

const std::vector<Tile>& tiles()
{
    static const std::vector<Tile> table = {
        // the player: standing, walk 1, walk 2, looking down, looking up
        {0, {&legsStand, &torsoMan, &headMan}, player},
        {1, {&legsWalk1, &torsoWalk, &headMan}, player},
        {2, {&legsWalk2, &torsoMan, &headMan}, player},
        {3, {&legsStand, &torsoLookDown, &headManDown}, player},
        {4, {&legsStand, &torsoArch, &headManUp, &armPointUp}, player},
        // hurt
        {5, {&legsStand, &torsoMan, &headMan, &bandage}, playerHurt},
        {6, {&legsWalk1, &torsoWalk, &headMan, &bandage}, playerHurt},
        {7, {&legsWalk2, &torsoMan, &headMan, &bandage}, playerHurt},
        {8, {&skirtStand, &torsoWoman, &headWoman}, wife},
        {9, {&legsStand, &torsoMan, &tabard, &headMan, &featherHat, &scroll}, herald},
        {10, {&skirtStand, &torsoWoman, &headWoman, &pigtails}, girl},
        {12, {&monster}, monsterL},
        {13, {&rubble}, monsterL},
        {14, {&clockCase}, clockL},
        {15, {&legsWalk1, &coatSkirt, &torsoWalk, &armFist, &headScowl, &hatLow}, coatMan},
        {16, {&legsStand, &coatSkirt, &torsoMan, &armGlass, &headSmile, &hatBack}, coatMan},
        {17, {&fallen}, fallenL},
        {18, {&robe, &headMan, &beard, &crown}, king},
        {19, {&dying}, dyingL},
        {20, {&oldMan}, oldManL},
        {21, {&skirtStand, &torsoWoman, &headWoman}, wife},
        {22, {&skirtWalk1, &torsoWomanStep1, &headWoman}, wife},
        {23, {&skirtPass, &torsoWomanStep2, &headWoman}, wife},
        // the player as a knight
        {24, {&legsStand, &torsoMan, &knightHelm, &plume, &sword}, knight},
        {25, {&legsWalk1, &torsoMan, &knightHelm, &plume, &sword}, knight},
        {26, {&legsWalk2, &torsoMan, &knightHelm, &plume, &sword}, knight},
        // three volunteers, drawn side by side
        {27, {&legsStand, &torsoMan, &headMan, &pitchfork}, volunteer1},
        {28, {&legsStand, &torsoMan, &headMan, &cap, &spade}, volunteer2},
        {29, {&legsStand, &torsoBroad, &headMan, &beard, &axe}, volunteer3},
        {30, {&legsStand, &torsoBroad, &stripes, &headMan, &peakedCap, &moustache}, sergeant},
        {31, {&skirtStand, &torsoWoman, &headWoman}, otherWoman},
        // companions: spear, bow, shield
        {32, {&legsStand, &torsoMan, &headMan, &cap, &spear}, companion1},
        {33, {&legsWalk1, &torsoMan, &headMan, &cap, &spear}, companion1},
        {34, {&legsWalk2, &torsoMan, &headMan, &cap, &spear}, companion1},
        {35, {&legsStand, &torsoMan, &headMan, &bow}, companion2},
        {36, {&legsWalk1, &torsoMan, &headMan, &bow}, companion2},
        {37, {&legsWalk2, &torsoMan, &headMan, &bow}, companion2},
        {38, {&child}, childL},
        {40, {&legsStand, &torsoMan, &headMan, &beard, &shield}, companion3},
        {41, {&legsWalk1, &torsoMan, &headMan, &beard, &shield}, companion3},
        {42, {&legsWalk2, &torsoMan, &headMan, &beard, &shield}, companion3},
        // the thug, drawn larger
        {43, {&legsStand, &torsoThug, &shavedHead}, thug},
        {44, {&legsWalk1, &torsoThug, &shavedHead}, thug},
        {45, {&legsWalk2, &torsoThug, &shavedHead}, thug},
        {46, {&legsStand, &torsoThugFolded, &shavedHead}, thug},
        // the player in uniform
        {48, {&legsStand, &torsoMan, &headMan, &helmet}, soldier},
        {49, {&legsWalk1, &torsoWalk, &headMan, &helmet}, soldier},
        {50, {&legsWalk2, &torsoMan, &headMan, &helmet}, soldier},
        {51, {&skirtStand, &torsoWoman, &headWoman}, otherWoman},
        {52, {&skirtWalk1, &torsoWomanStep1, &headWoman}, otherWoman},
        {53, {&skirtPass, &torsoWomanStep2, &headWoman}, otherWoman},
        {56, {&arrowUp}, arrowL},
        {57, {&arrowDown}, arrowL},
    };
    return table;
}

void paint_part(Canvas& canvas, int left, int top, const Part& part, const Legend& legend, int tile)
{
    for (size_t r = 0; r < part.rows.size(); ++r) {
        const std::string& row = part.rows[r];
        if (row.size() != TILE_SIZE || part.top + int(r) >= TILE_SIZE)
            throw std::runtime_error("tile " + std::to_string(tile) + ": a grid row is not 25 wide or runs off the tile");
        for (int x = 0; x < TILE_SIZE; ++x) {
            char key = row[x];
            if (key == '.')
                continue;
            auto found = legend.find(key);
            if (found == legend.end())
                throw std::runtime_error("tile " + std::to_string(tile) + ": no colour for '" + std::string(1, key) + "'");
            canvas.pixel(left + x, top + part.top + int(r), found->second);
        }
    }
}

}  // namespace

bool tile_is_unused(int tile)
{
    for (const Tile& t : tiles())
        if (t.number == tile)
            return false;
    return true;
}

void paint_spritesheet(BITMAP* sheet)
{
    Canvas canvas(sheet);
    canvas.fill({255, 0, 255});
    for (const Tile& t : tiles()) {
        int left = TILE_SIZE * (t.number % 8), top = TILE_SIZE * (t.number / 8);
        for (const Part* part : t.parts)
            paint_part(canvas, left, top, *part, t.legend, t.number);
    }
}
