// karvelle_contact_sheet: every scene enlarged as the game draws it, with the
// player and the room's resident where the game puts them, labelled with its
// name and rooms; then the sprite sheet with tile numbers. With a second output,
// also every room of the walk as the game's own drawing shows it (rooms.cpp).
//
//   karvelle_contact_sheet DATA_DIR OUT.bmp [ROOMS.bmp]
#include <allegro.h>

#include <cerrno>
#include <cstdio>
#include <string>
#include <vector>

#include "contact_sheet/rooms.h"

namespace {

// The rooms each scene serves, with the first room's resident and features.
struct SceneUse {
    const char* name;
    const char* rooms;
    const char* what;
    int residentSprite = -1, residentX = 0;
    bool slope = false, clock = false;
    int up = 0, down = 0;
};

const std::vector<SceneUse> USES = {
    {"scene1", "0, 61", "home", 8, 240},
    {"scene2", "1", "outside, in town"},
    {"scene3", "2", "neighbour girl", 10, 200},
    {"scene4", "3", "path to centre", -1, 0, false, false, 3, 0},
    {"scene5", "4", "towards bridge"},
    {"scene6", "5", "towards bridge"},
    {"scene7", "6", "bridge, monster", 12, 145},
    {"scene14", "7", "away from bridge"},
    {"scene15", "8", "path to castle", -1, 0, false, false, 2, 0},
    {"scene8", "12", "more town"},
    {"scene9", "13", "to affair path", -1, 0, false, false, 0, 3},
    {"scene12", "14", "affair: town"},
    {"scene13", "15", "her house", },
    {"scene10", "25", "a pub is north", -1, 0, false, false, 3, 0},
    {"scene11", "26", "in pub", 16, 130, false, true, 2, 0},
    {"p1s1", "27", "loan sharks", 16, 210},
    {"p1s2", "28", "loanshark end", 15, 5},
    {"p2s1", "29", "outside pub"},
    {"p2s2", "30", "drunken home"},
    {"p2s3", "31, 11, 72", "home, evening", 8, 240},
    {"p3s1", "32", "barracks"},
    {"p3s2", "33", "sergeant", 30, 190},
    {"p3s3", "34", "truck"},
    {"p3s4", "35", "trenches"},
    {"p3s5", "36", "no man 1"},
    {"p3s6", "37", "no man 2"},
    {"p4s1", "20", "her bedroom", 31, 160},
    {"p4s2", "21", "leave at night"},
    {"p4s5", "22", "house exit"},
    {"p4s3", "23", "town, wife", 8, 260},
    {"p4s4", "24", "she follows"},
    {"p5s1", "16", "door to bedroom", 31, 220, false, false, 3, 0},
    {"p5s2", "17", "child", 38, 100},
    {"p5s3", "18", "dinner", 31, 250},
    {"p5s4", "19", "leave house"},
    {"p6s1", "45", "up mountain", -1, 0, true},
    {"p6s2", "46", "castle gate"},
    {"p6s3", "47", "hallway", 9, 150},
    {"p6s4", "48", "throne room", 18, 220},
    {"p6s5", "49", "crowds", 8, 220},
    {"p6s6", "50", "volunteers", 27, 150},
    {"p6s7", "51", "darker hill", -1, 0, true},
    {"p6s8", "52", "old man", 20, 220},
    {"p6s9", "53", "even darker"},
    {"p6s10", "54, 56", "again darker"},
    {"p6s11", "55", "dead soldiers", 19, 220},
    {"p6s12", "57", "cave mouth", 17, 190},
    {"p7s1", "38", "way home, dusk"},
    {"p7s1a", "38", "after the fade"},
    {"p7s2", "9", "on the way home"},
    {"p7s3", "10", "house, moon"},
    {"p8s1", "63", "girl, greyed", 10, 120},
    {"p8s2", "64", "maze: bridge", 12, 160, false, false, 2, 3},
    {"p8s3", "65", "maze: pub", 16, 210, false, false, 3, 2},
    {"p8s5", "66", "maze: mistress", 38, 210, false, false, 3, 2},
    {"p8s8", "67", "maze: loanshark", 46, 210, false, false, 3, 2},
    {"p8s4", "68", "maze: medieval", 18, 210, false, false, 3, 2},
    {"p8s7", "69", "maze: war", 30, 210, false, false, 3, 2},
    {"p8s6", "70", "maze: affair", 31, 210, false, false, 3, 2},
    {"p8s9", "71", "last street"},
    {"blank", "58, 59, 62", "cave"},
};

constexpr int CELL_W = 320, CELL_H = 240, LABEL_H = 12, COLUMNS = 8;

BITMAP* tiles[64];

void draw_tile(BITMAP* dest, int n, int x, int y)
{
    if (n == 12 || n == 13)
        stretch_sprite(dest, tiles[n], x, y - 44, 100, 100);
    else if (n >= 43 && n <= 46)
        stretch_sprite(dest, tiles[n], x, y - 14, 65, 65);
    else
        stretch_sprite(dest, tiles[n], x, y, 50, 50);
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc != 3 && argc != 4) {
        std::fprintf(stderr, "usage: karvelle_contact_sheet DATA_DIR OUT.bmp [ROOMS.bmp]\n");
        return 2;
    }
    std::string data = argv[1];
    install_allegro(SYSTEM_NONE, &errno, nullptr);
    set_color_depth(32);
    PALETTE pal;

    BITMAP* sheet = load_pcx((data + "/graphics/spritesheet.pcx").c_str(), pal);
    if (!sheet) {
        std::fprintf(stderr, "no sprite sheet in %s\n", data.c_str());
        return 1;
    }
    for (int n = 0; n < 64; ++n) {
        tiles[n] = create_bitmap(25, 25);
        blit(sheet, tiles[n], 25 * (n % 8), 25 * (n / 8), 0, 0, 25, 25);
    }

    const int rows = (int(USES.size()) + COLUMNS - 1) / COLUMNS;
    const int sheetTop = rows * (CELL_H + LABEL_H) + 8;
    BITMAP* out = create_bitmap(COLUMNS * CELL_W, sheetTop + 400 + 24);
    clear_to_color(out, makecol(40, 40, 40));
    BITMAP* field = create_bitmap(CELL_W, CELL_H);

    for (size_t i = 0; i < USES.size(); ++i) {
        const SceneUse& u = USES[i];
        BITMAP* scene = load_pcx((data + "/graphics/screens/" + u.name + ".pcx").c_str(), pal);
        clear_bitmap(field);
        if (scene) {
            if (u.clock) {  // the clock as the game draws it, hand at the first hour mark
                int grey = makecol(137, 137, 137), dark = makecol(37, 37, 37);
                const int marks[5][2] = {{14, 22}, {12, 21}, {11, 19}, {12, 17}, {13, 16}};
                for (auto& m : marks)
                    line(scene, 14, 19, m[0], m[1], grey);
                line(scene, 14, 19, 14, 16, dark);
                line(scene, 14, 19, 14, 22, dark);
            }
            stretch_sprite(field, scene, 0, 0, 320, 240);
            destroy_bitmap(scene);
        } else {
            textout_ex(field, font, "missing", 10, 10, makecol(255, 80, 80), -1);
        }
        if (u.clock)
            draw_tile(field, 14, 232, 126);
        if (u.residentSprite == 27) {
            draw_tile(field, 29, u.residentX + 80, 144);
            draw_tile(field, 28, u.residentX + 40, 148);
            draw_tile(field, 27, u.residentX, 152);
        } else if (u.residentSprite >= 0) {
            draw_tile(field, u.residentSprite, u.residentX, 152);
        }
        int px = 100;
        int groundY = u.slope ? int(160 - px / 5.5) : 160;
        draw_tile(field, 0, px, groundY);
        if (u.slope)  // a second figure further up the hill shows the line
            draw_tile(field, 0, 240, int(160 - 240 / 5.5));

        int x = int(i % COLUMNS) * CELL_W, y = int(i / COLUMNS) * (CELL_H + LABEL_H);
        blit(field, out, 0, 0, x, y, CELL_W, CELL_H);
        std::string label = std::string(u.name) + " " + u.rooms + " " + u.what;
        if (u.up)
            label += " U" + std::to_string(u.up);
        if (u.down)
            label += " D" + std::to_string(u.down);
        textout_ex(out, font, label.c_str(), x + 2, y + CELL_H + 2, makecol(230, 230, 230), -1);
    }

    // the sprite sheet, twice its size, on grey, with tile numbers
    BITMAP* big = create_bitmap(400, 400);
    clear_to_color(big, makecol(110, 110, 120));
    for (int n = 0; n < 64; ++n) {
        int x = 50 * (n % 8), y = 50 * (n / 8);
        rect(big, x, y, x + 49, y + 49, makecol(90, 90, 100));
        stretch_sprite(big, tiles[n], x, y, 50, 50);
        textout_ex(big, font, std::to_string(n).c_str(), x + 2, y + 2, makecol(255, 255, 255), -1);
    }
    blit(big, out, 0, 0, 8, sheetTop + 16, 400, 400);
    textout_ex(out, font, "spritesheet.pcx (2x)", 8, sheetTop + 4, makecol(230, 230, 230), -1);
    // the same at the size figures have in a scene, on a scene
    stretch_blit(sheet, out, 0, 0, 200, 200, 430, sheetTop + 16, 400, 400);

    if (save_bmp(argv[2], out, pal) != 0) {
        std::fprintf(stderr, "could not write %s\n", argv[2]);
        return 1;
    }
    if (argc == 4) {
        BITMAP* rooms = draw_room_sheet(data, tiles);
        if (!rooms || save_bmp(argv[3], rooms, pal) != 0) {
            std::fprintf(stderr, "could not write %s\n", argv[3]);
            return 1;
        }
    }
    return 0;
}
