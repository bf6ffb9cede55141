#include "contact_sheet/rooms.h"

#include <allegro.h>

#include <string>
#include <vector>

#include "core/game_state.h"
#include "frame/game_setup.h"
#include "render/lookup_tables.h"
#include "render/render_context.h"
#include "render/scene.h"
#include "world/room.h"

namespace {

constexpr int SHOT_W = 640, SHOT_H = 480, LABEL_H = 14, COLUMNS = 4;

// Where the player stands: in the column of a way up or down so its hint shows,
// else a little in from the left, clear of most residents.
double player_x(const Room& room)
{
    int column = room.hasUpExit ? room.upExitColumn : room.hasDownExit ? room.downExitColumn : 0;
    return column > 0 ? (column - 1) * 80.0 + 20.0 : 60.0;
}

// The figure he is at that point of the story: a soldier at the war, a knight
// on the hero's road.
void dress_player(const Room& room)
{
    game.inUniform = room.sceneImage.rfind("p3s", 0) == 0;
    game.isKnight = room.sceneImage.rfind("p6s", 0) == 0;
}

}  // namespace

BITMAP* draw_room_sheet(const std::string& dataDir, BITMAP* const tiles[64])
{
    construct_game_state();
    fill_lookup_tables();
    fill_colour_ramp();
    reset_room_table();
    build_world();

    std::vector<int> rooms;
    for (int i = 0; i < ROOM_COUNT; ++i)
        if (!room_at(i).description.empty())
            rooms.push_back(i);
    if (rooms.empty())
        return nullptr;

    RenderContext& context = renderContext;
    context = RenderContext{};
    context.lowResBuffer = create_bitmap(320, 240);
    context.backBuffer = create_bitmap(SHOT_W, SHOT_H);
    for (int n = 0; n < SPRITE_TILE_COUNT; ++n)
        context.spriteTiles[n] = tiles[n];

    const int rows = (int(rooms.size()) + COLUMNS - 1) / COLUMNS;
    BITMAP* out = create_bitmap(COLUMNS * SHOT_W, rows * (SHOT_H + LABEL_H));
    clear_to_color(out, makecol(40, 40, 40));
    PALETTE pal;
    for (size_t k = 0; k < rooms.size(); ++k) {
        int index = rooms[k];
        Room& room = room_at(index);
        std::string file = dataDir + "/graphics/screens/" + room.sceneImage + ".pcx";
        context.sceneBitmap = load_pcx(file.c_str(), pal);
        game.currentRoom = index;
        game.playerX = player_x(room);
        game.playerFrame = 0;
        game.fadeState = Idle;
        dress_player(room);
        clear_bitmap(context.backBuffer);
        draw_scene(context);
        int x = int(k % COLUMNS) * SHOT_W, y = int(k / COLUMNS) * (SHOT_H + LABEL_H);
        blit(context.backBuffer, out, 0, 0, x, y, SHOT_W, SHOT_H);
        std::string label = std::to_string(index) + " " + room.sceneImage + "  " + room.description;
        if (!context.sceneBitmap)
            label += "  (no scene image)";
        textout_ex(out, font, label.c_str(), x + 4, y + SHOT_H + 3, makecol(230, 230, 230), -1);
        if (context.sceneBitmap)
            destroy_bitmap(context.sceneBitmap);
        context.sceneBitmap = nullptr;
    }
    destroy_bitmap(context.lowResBuffer);
    destroy_bitmap(context.backBuffer);
    context = RenderContext{};
    return out;
}
