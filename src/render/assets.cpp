#include "render/assets.h"

#include <allegro.h>

#include <cstdio>
#include <memory>
#include <set>
#include <string>

#include "core/frame_stats.h"
#include "core/game_state.h"
#include "core/memory_packfile.h"
#include "platform/files.h"
#include "platform/paths.h"
#include "render/pcx_check.h"
#include "text/text.h"
#include "world/room.h"

RenderContext renderContext;

namespace {

const char* const FONT_FILE = "graphics/font.ttf";
const char* const SPRITE_SHEET_FILE = "graphics/spritesheet.pcx";
const char* const SCREENS_DIR = "graphics/screens/";

constexpr int TILE_SIZE = 25;
constexpr int SHEET_COLUMNS = 8;

// Receives the palette of every PCX file read; nothing else uses it.
PALETTE loadPalette;

// What has been reported already, so a failure shows one message box.
std::set<std::string> reported;
int failureCount = 0;

BITMAP* create_or_report(int width, int height, const char* name)
{
    BITMAP* bitmap = create_bitmap(width, height);
    if (!bitmap) report_missing((std::string("bitmap ") + name).c_str());
    return bitmap;
}

// The game draws the top-left 80x60 pixels of a scene and 200x200 of the sprite
// sheet: a picture far larger than the screen is refused before it is decoded,
// as decoding it would hold the frame that enters its room.
// Nor are lines much longer than the picture (an even length pads a byte), or a
// file larger than such a picture stored without runs.
constexpr long PICTURE_MAX_WIDTH = 640;
constexpr long PICTURE_MAX_HEIGHT = 480;
constexpr long PICTURE_MAX_DECODED = (PICTURE_MAX_WIDTH + 2) * PICTURE_MAX_HEIGHT * 3;
constexpr size_t PICTURE_MAX_FILE_BYTES = 128 + 2 * size_t(PICTURE_MAX_DECODED) + 1 + 768;

// A PCX file read once, without blocking, checked and decoded from those same
// bytes; null when it is missing, unreadable, too large or would be misread.
BITMAP* load_whole_pcx(const char* path)
{
    std::string data;
    const FileRead read = read_regular_file(path, PICTURE_MAX_FILE_BYTES, data);
    if (read == FileRead::TooLarge)
        std::fprintf(stderr, "Karvelle: %s is larger than a picture of %ldx%ld can be\n", path, PICTURE_MAX_WIDTH,
                     PICTURE_MAX_HEIGHT);
    if (read != FileRead::Read) return nullptr;
    const auto* bytes = reinterpret_cast<const unsigned char*>(data.data());
    long width = 0, height = 0, decoded = 0;
    if (pcx_sides(bytes, data.size(), width, height, decoded) &&
        (width > PICTURE_MAX_WIDTH || height > PICTURE_MAX_HEIGHT || decoded > PICTURE_MAX_DECODED)) {
        std::fprintf(stderr, "Karvelle: %s is %ldx%ld pixels%s; the game's pictures are at most %ldx%ld\n", path,
                     width, height, width <= PICTURE_MAX_WIDTH && height <= PICTURE_MAX_HEIGHT ? " in lines far longer" : "",
                     PICTURE_MAX_WIDTH, PICTURE_MAX_HEIGHT);
        return nullptr;
    }
    if (!pcx_problem(bytes, data.size()).empty()) return nullptr;
    PACKFILE* file = open_memory_packfile(data);
    if (!file) return nullptr;
    BITMAP* bitmap = load_pcx_pf(file, loadPalette);
    pack_fclose(file);
    return bitmap;
}

// The three faces share the font file's bytes, read once.
FontFace* open_font(const std::shared_ptr<const std::string>& bytes, int height)
{
    std::string path = data_path(FONT_FILE);
    FontFace* face = bytes ? face_open_memory(bytes) : nullptr;
    if (!face) {
        report_missing(path.c_str());
        return nullptr;
    }
    // A damaged file may open and still fail to size or to render a letter.
    if (face_set_height(face, height) != 0 || face_text_width(face, "A") <= 0) report_missing(path.c_str());
    return face;
}

void cut_sprite_tiles(RenderContext& context)
{
    std::string path = data_path(SPRITE_SHEET_FILE);
    BITMAP* sheet = load_whole_pcx(path.c_str());
    if (!sheet) report_missing(path.c_str());
    for (int row = 0; row < SHEET_COLUMNS; ++row)
        for (int column = 0; column < SHEET_COLUMNS; ++column) {
            int n = SHEET_COLUMNS * row + column;
            std::string name = "spriteTiles[" + std::to_string(n) + "]";
            BITMAP* tile = create_or_report(TILE_SIZE, TILE_SIZE, name.c_str());
            context.spriteTiles[n] = tile;
            if (!tile) continue;
            // A tile with nothing to cut from stays transparent.
            clear_to_color(tile, bitmap_mask_color(tile));
            if (sheet) blit(sheet, tile, TILE_SIZE * column, TILE_SIZE * row, 0, 0, TILE_SIZE, TILE_SIZE);
        }
    if (sheet) destroy_bitmap(sheet);
}

}  // namespace

void report_missing(const char* what)
{
    std::string name = what ? what : "";
    game.quitRequested = true;
    ++failureCount;
    if (!reported.insert(name).second) return;
    bool isBitmap = name.rfind("bitmap ", 0) == 0;
    allegro_message("Cannot %s %s\n", isBitmap ? "create" : "load", name.c_str());
}

bool data_failed()
{
    return failureCount > 0;
}

void forget_missing_reports() { reported.clear(); }

bool load_assets(RenderContext& context)
{
    int failuresBefore = failureCount;

    auto fontBytes = std::make_shared<std::string>();
    std::string fontPath = data_path(FONT_FILE);
    if (read_regular_file(fontPath.c_str(), FONT_MAX_BYTES, *fontBytes) != FileRead::Read) fontBytes.reset();
    context.dialogueFont = open_font(fontBytes, 28);
    context.titleFont = open_font(fontBytes, 102);
    context.smallFont = open_font(fontBytes, 20);

    context.sceneBitmap = create_or_report(80, 60, "sceneBitmap");
    const Room& first = room_at(0);
    load_room_images(first.sceneImage.c_str(), first.midLayer.c_str(), first.backLayer.c_str());

    cut_sprite_tiles(context);

    context.lowResBuffer = create_or_report(320, 240, "lowResBuffer");
    context.backBuffer = create_or_report(640, 480, "backBuffer");
    create_video_pages(context);
    context.pageIndex = 0;

    return failureCount == failuresBefore;
}

void load_room_images(const char* sceneImage, const char* midLayer, const char* backLayer)
{
    // Only the scene image is drawn; the middle and back layers are never loaded.
    load_scene_image(sceneImage);
}

void load_scene_image(const char* name)
{
    BITMAP* scene = renderContext.sceneBitmap;
    if (!scene) return;
    frame_stats_event(FRAME_SCENE_READ);
    clear_to_color(scene, 0);
    std::string path = data_path(SCREENS_DIR + std::string(name ? name : "") + ".pcx");
    BITMAP* image = load_whole_pcx(path.c_str());
    if (!image) {
        report_missing(path.c_str());
        return;
    }
    // blit clips to both bitmaps: the image's top-left 80x60 pixels, black beyond a smaller one.
    blit(image, scene, 0, 0, 0, 0, 160, 120);
    destroy_bitmap(image);
}

void create_video_pages(RenderContext& context)
{
    for (BITMAP*& page : context.pages) page = nullptr;
    // Without a display there is nothing to make video pages from.
    if (!screen || !gfx_driver) return;
    // A larger display shows the frame enlarged, straight on the screen.
    if (SCREEN_W != 640 || SCREEN_H != 480) return;
    bool complete = true;
    for (BITMAP*& page : context.pages) {
        page = create_video_bitmap(640, 480);
        if (!page) complete = false;
    }
    // Pages are all or nothing: with fewer than three, frames go straight to the screen.
    if (!complete) destroy_video_pages(context);
}

void destroy_video_pages(RenderContext& context)
{
    for (BITMAP*& page : context.pages) {
        if (page) destroy_bitmap(page);
        page = nullptr;
    }
}
