// Every drawing resource the game keeps for its whole run.
#pragma once

struct BITMAP;
struct FontFace;

constexpr int SPRITE_TILE_COUNT = 64;
constexpr int VIDEO_PAGE_COUNT = 3;

struct RenderContext {
    FontFace* dialogueFont = nullptr;  // 28 pixels
    FontFace* titleFont = nullptr;     // 102 pixels
    FontFace* smallFont = nullptr;     // 20 pixels
    BITMAP* lowResBuffer = nullptr;    // 320 x 240 play field
    BITMAP* backBuffer = nullptr;      // 640 x 480
    BITMAP* pages[VIDEO_PAGE_COUNT] = {};  // video pages; any may be null under X11
    int pageIndex = 0;
    BITMAP* sceneBitmap = nullptr;     // 80 x 60
    BITMAP* spriteTiles[SPRITE_TILE_COUNT] = {};
};

// The one render context of the game, created by load_assets.
extern RenderContext renderContext;
