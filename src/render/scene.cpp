#include "render/scene.h"

#include <allegro.h>

#include <cstdlib>

#include "core/game_state.h"
#include "render/blend.h"
#include "render/calm.h"
#include "render/ending_shadow.h"
#include "render/lookup_tables.h"
#include "render/present.h"
#include "world/exit_columns.h"
#include "world/followers.h"
#include "world/room.h"

int plasmaPhase = 0;

namespace {

constexpr int LOW_W = 320, LOW_H = 240;
constexpr int SCENE_W = 80, SCENE_H = 60;
constexpr int FLAT_GROUND_Y = 160;
constexpr int SHADOW_CELL = 4;

// The value of a mod 360, in 0..359.
int wrap_degrees(int a)
{
    int m = a % 360;
    return m < 0 ? m + 360 : m;
}

// The pub clock, painted into the scene image itself in scene pixels.
void draw_clock_hands(BITMAP* scene)
{
    static const int marks[5][2] = {{14, 22}, {12, 21}, {11, 19}, {12, 17}, {13, 16}};
    const int cx = 14, cy = 19;
    int grey = makecol(137, 137, 137);
    int dark = makecol(37, 37, 37);
    for (const auto& mark : marks) line(scene, cx, cy, mark[0], mark[1], grey);
    line(scene, cx, cy, 14, 16, dark);
    int hand = game.clockHand;
    if (hand >= 0 && hand < 5) line(scene, cx, cy, marks[hand][0], marks[hand][1], dark);
}

int plasma_term(int angle, int v) { return static_cast<int>(CosineTable[wrap_degrees(angle)] * 40 + v); }

void draw_plasma(BITMAP* scene)
{
    if (plasma_advances()) ++plasmaPhase;
    const int c = plasmaPhase;
    for (int i = 0; i < SCENE_H; ++i)
        for (int j = 0; j < SCENE_W; ++j) {
            int v = plasma_term(6 * j + c, 120);
            v = plasma_term(6 * i + 2 * c, v);
            v = plasma_term(11 * j - c, v);
            v = plasma_term(5 * i - c / 6, v);
            v = plasma_term(8 * j - 2 * c, v);
            v = plasma_term(i / 4 - 3 * c, v);
            if (v < 0) v = 0;
            if (v > 255) v = 255;
            putpixel(scene, j, i, ColourRamp[v]);
        }
}

int ground_line(const Room& room)
{
    int groundY = FLAT_GROUND_Y;
    if (room.groundMode == 1) groundY = static_cast<int>(160 - static_cast<int>(game.playerX) / 5.5);
    if (room.drunkenWalk) {
        int index = wrap_degrees(static_cast<int>(3 * game.playerX));
        groundY = 160 - static_cast<int>(4 * SineTable[index]);
    }
    return groundY;
}

void draw_player(const Room& room, int px)
{
    int frame = game.playerFrame;
    if (game.isKnight) {
        draw_tile(frame + 24, px, game.groundY);
        if (!game.hasCompanions) return;
        static const int companions[3][2] = {{32, 50}, {35, 100}, {40, 150}};
        for (const auto& companion : companions) {
            int x = static_cast<int>(game.playerX - companion[1]);
            int y = room.groundMode == 1 ? static_cast<int>(160 - x / 5.5) : game.groundY;
            draw_tile(frame + companion[0], x, y);
        }
    } else if (game.inUniform) {
        draw_tile(frame + 48, px, game.groundY);
    } else if (game.isInjured) {
        draw_tile(frame + 5, px, game.groundY);
    } else {
        draw_tile(frame, px, game.groundY);
    }
}

void draw_exit_hints(const Room& room, int px)
{
    int bob = game.pulse255 / 64;
    int column = column_of(game.playerX);
    if (room.hasUpExit && column == room.upExitColumn) draw_tile(56, px + 10, game.groundY - bob - 20);
    if (room.hasDownExit && column == room.downExitColumn) draw_tile(57, px + 10, game.groundY + bob + 52);
}

// A flickering shadow: black cells of 4x4 units, each at its own random opacity.
void shade_cells(BITMAP* target, int x0, int y0, int columns, int rows)
{
    int black = makecol(0, 0, 0);
    for (int r = 0; r < rows; ++r)
        for (int c = 0; c < columns; ++c) {
            int x = x0 + SHADOW_CELL * c, y = y0 + SHADOW_CELL * r;
            blend_rect(target, x, y, x + 3, y + 3, black, cell_opacity(x / SHADOW_CELL, y / SHADOW_CELL));
        }
}

void top_band(BITMAP* target) { shade_cells(target, 0, 0, 80, 40); }
void right_strip(BITMAP* target) { shade_cells(target, 240, 0, 30, 60); }
void bottom_band(BITMAP* target) { shade_cells(target, 0, 220, 80, 5); }

// Rooms that darken as endings are found; a room whose two groups are both found is clear.
void draw_ending_shadows(BITMAP* target)
{
    calm_begin_frame();
    switch (ending_shadow(game.currentRoom, game.endingsFound)) {
    case EndingShadow::TopBand: top_band(target); break;
    case EndingShadow::RightStrip: right_strip(target); break;
    case EndingShadow::BottomBand: bottom_band(target); break;
    case EndingShadow::FarRight: shade_cells(target, 260, 0, 15, 60); break;
    case EndingShadow::WideRight: shade_cells(target, 200, 0, 30, 60); break;
    case EndingShadow::Home: shade_cells(target, 240, 0, 20, 60); break;
    case EndingShadow::None: break;
    }
}

}  // namespace

void draw_tile(int tile, int x, int y)
{
    BITMAP* target = renderContext.lowResBuffer;
    if (!target || tile < 0 || tile >= SPRITE_TILE_COUNT) return;
    BITMAP* sprite = renderContext.spriteTiles[tile];
    if (!sprite) return;
    if (tile == 12 || tile == 13)
        stretch_sprite(target, sprite, x, y - 44, 100, 100);
    else if (tile >= 43 && tile <= 46)
        stretch_sprite(target, sprite, x, y - 14, 65, 65);
    else
        stretch_sprite(target, sprite, x, y, 50, 50);
}

void draw_scene(RenderContext& context)
{
    BITMAP* low = context.lowResBuffer;
    if (!low) return;
    Room& room = current_room();

    acquire_bitmap(low);
    clear_bitmap(low);

    if (BITMAP* scene = context.sceneBitmap) {
        if (room.hasClock) draw_clock_hands(scene);
        if (game.currentRoom == 62) draw_plasma(scene);
        // A masked draw: scene pixels of the mask colour stay black.
        stretch_sprite(low, scene, 0, 0, LOW_W, LOW_H);
    }

    if (room.hasClock) draw_tile(14, 232, 126);

    if (room.hasResident) {
        if (room.residentSprite == 27) {
            draw_tile(29, room.residentX + 80, 144);
            draw_tile(28, room.residentX + 40, 148);
            draw_tile(27, room.residentX, 152);
        } else {
            draw_tile(room.residentSprite, room.residentX, 152);
        }
    }

    game.groundY = ground_line(room);
    int px = static_cast<int>(game.playerX);
    draw_player(room, px);
    draw_exit_hints(room, px);

    if (room.followerMode == 1 || room.followerMode == 2) {
        follower_step();
        draw_tile(room.followerSprite + room.followerFrame, room.followerX, game.groundY);
    }

    draw_ending_shadows(low);

    if (settings.calm) {
        draw_calm_flash(low, LOW_W, LOW_H);
    } else if (game.flashFrames > 0) {
        rectfill(low, 0, 0, LOW_W, LOW_H, makecol(game.flashRed, game.flashGreenBlue, game.flashGreenBlue));
        game.flashFrames -= 1;
    }

    draw_fade_overlay(low, LOW_W, LOW_H);

    if (context.backBuffer) enlarge_2x(low, context.backBuffer);
    draw_diagnostic_line(context);

    release_bitmap(low);
    show_frame(context);
}
