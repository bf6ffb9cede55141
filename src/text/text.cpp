#include "text/text.h"

#include <allegro.h>
#include <allegro/internal/aintern.h>

#include <cstdlib>
#include <cstring>
#include <string>

#include FT_GLYPH_H

#include "platform/files.h"
#include "render/blend.h"

namespace {

FT_Library library = nullptr;
bool textReady = false;
// 0 when the program starts; start-up sets -1 (nothing painted behind text).
// Text is always drawn straight over the target, whatever this holds.
int textBackground = 0;

// Sizes beyond this are not worth trying: a face whose metrics never reach the
// wanted height would otherwise walk up forever.
constexpr int LARGEST_PIXEL_SIZE = 16384;

// Ascender plus descender at the size in force, each floored to whole pixels
// before its absolute value is taken.
int metrics_total(FT_Face face)
{
    long a = face->size->metrics.ascender >> 6;
    long d = face->size->metrics.descender >> 6;
    return static_cast<int>(std::labs(a) + std::labs(d));
}

int probe_freetype(void* data, int size)
{
    FT_Face face = static_cast<FT_Face>(data);
    if (FT_Set_Pixel_Sizes(face, 0, size) != 0) return -1;
    return metrics_total(face);
}

void empty_cache(FontFace* face)
{
    for (GlyphEntry& entry : face->glyphCache) entry = GlyphEntry{};
}

// The glyph index of a character, or -1 when the face has no such glyph.
int glyph_index(const FontFace* face, int character)
{
    if (!face->ftFace->charmap) return -1;
    long index = static_cast<long>(FT_Get_Char_Index(face->ftFace, character));
    if (index < 0 || index >= static_cast<long>(face->glyphCache.size())) return -1;
    return static_cast<int>(index);
}

void copy_bitmap(GlyphEntry& entry, FT_BitmapGlyph bitmapGlyph)
{
    const FT_Bitmap& bitmap = bitmapGlyph->bitmap;
    if (bitmap.pixel_mode != FT_PIXEL_MODE_GRAY) return;
    entry.hasBitmap = true;
    entry.width = static_cast<int>(bitmap.width);
    entry.rows = static_cast<int>(bitmap.rows);
    entry.left = bitmapGlyph->left;
    entry.top = bitmapGlyph->top;
    if (entry.width <= 0 || entry.rows <= 0 || !bitmap.buffer) {
        entry.width = entry.width > 0 ? entry.width : 0;
        entry.rows = entry.rows > 0 ? entry.rows : 0;
        return;
    }
    entry.pixels.resize(static_cast<size_t>(entry.width) * entry.rows);
    for (int r = 0; r < entry.rows; ++r) {
        const unsigned char* source = bitmap.buffer + static_cast<long>(r) * bitmap.pitch;
        std::memcpy(&entry.pixels[static_cast<size_t>(r) * entry.width], source, entry.width);
    }
    // Bitmaps with few gray levels are stretched to the full 0..255 range.
    int scale = bitmap.num_grays > 0 ? 256 / bitmap.num_grays : 0;
    if (scale >= 2)
        for (uint8_t& value : entry.pixels) value = static_cast<uint8_t>(value * scale);
}

void cache_glyph(FontFace* face, int index)
{
    GlyphEntry& entry = face->glyphCache[index];
    if (entry.cached) return;
    entry = GlyphEntry{};
    entry.cached = true;

    FT_GlyphSlot slot = face->ftFace->glyph;
    FT_Load_Glyph(face->ftFace, index, FT_LOAD_DEFAULT);
    FT_Glyph glyph = nullptr;
    if (FT_Get_Glyph(slot, &glyph) == 0 && glyph) {
        FT_Glyph copy = nullptr;
        if (FT_Glyph_Copy(glyph, &copy) == 0 && copy) {
            if (copy->format == FT_GLYPH_FORMAT_BITMAP ||
                FT_Glyph_To_Bitmap(&copy, FT_RENDER_MODE_NORMAL, nullptr, 1) == 0)
                if (copy->format == FT_GLYPH_FORMAT_BITMAP)
                    copy_bitmap(entry, reinterpret_cast<FT_BitmapGlyph>(copy));
            FT_Done_Glyph(copy);
        }
        FT_Done_Glyph(glyph);
    }
    entry.advanceX = static_cast<int>(slot->advance.x >> 6);
    entry.advanceY = static_cast<int>(slot->advance.y >> 6);
}

// The cached glyph of a character, or null when the face cannot show it.
const GlyphEntry* glyph_for(FontFace* face, int character)
{
    int index = glyph_index(face, character);
    if (index < 0) return nullptr;
    cache_glyph(face, index);
    return &face->glyphCache[index];
}

bool outside_clip(const BITMAP* bitmap, const FontFace* face, int x, int y)
{
    return y + face->height < bitmap->ct || y > bitmap->cb || x > bitmap->cr;
}

void advance_pen(const FontFace* face, const GlyphEntry& entry, int& x, int& y)
{
    if (entry.advanceX != 0) x += entry.advanceX + face->charSpacing;
    if (entry.advanceY != 0) y += entry.advanceY + face->charSpacing;
}

// One glyph, pixel by pixel through putpixel: opaque where the coverage is full,
// blended by the coverage elsewhere. putpixel clips to the target.
void draw_glyph_slow(BITMAP* bitmap, const FontFace* face, const GlyphEntry& entry, int x, int y, int colour)
{
    int top = y - entry.top + face->ascender;
    for (int r = 0; r < entry.rows; ++r)
        for (int k = 0; k < entry.width; ++k) {
            int v = entry.pixels[static_cast<size_t>(r) * entry.width + k];
            if (v == 0) continue;
            int px = x + entry.left + k, py = top + r;
            // Kept inside the clip rectangle even when the target's clipping is off.
            if (px < bitmap->cl || px >= bitmap->cr || py < bitmap->ct || py >= bitmap->cb) continue;
            if (v == 255) {
                solid_mode();
            } else {
                drawing_mode(DRAW_MODE_TRANS, nullptr, 0, 0);
                set_trans_blender(0, 0, 0, v);
            }
            putpixel(bitmap, px, py, colour);
        }
}

// The line cache. A line's mask is its glyphs in drawing order, each with the pen
// position it starts at and its runs of non-empty coverage, all relative to the
// line's top-left; so a line drawn from its mask gives the pixels, clipping and
// cut-off at the clip rectangle's right edge of the walk over its glyphs.
struct MaskRun {
    int dx, dy, length;
    bool solid;     // every pixel fully covered: the colour is simply written
    size_t offset;  // into the mask's coverage, for a run that is blended
};

struct MaskGlyph {
    int penX;
    size_t firstRun, endRun;
};

struct LineMask {
    uint64_t faceKey = 0;
    FT_CharMap charmap = nullptr;
    int charSpacing = 0;
    std::string text;
    int width = 0;  // as face_text_width measures it
    std::vector<MaskGlyph> glyphs;
    std::vector<MaskRun> runs;
    std::vector<uint8_t> coverage;
    uint64_t lastUse = 0;
};

std::vector<LineMask> lineCache;
uint64_t lineCacheClock = 0;
uint64_t nextLineCacheKey = 1;
int masksBuilt = 0;

void add_glyph_runs(LineMask& mask, const FontFace* face, const GlyphEntry& entry, int x, int y)
{
    const int left = x + entry.left;
    const int top = y - entry.top + face->ascender;
    for (int r = 0; r < entry.rows; ++r) {
        const uint8_t* row = &entry.pixels[static_cast<size_t>(r) * entry.width];
        for (int k = 0; k < entry.width;) {
            if (row[k] == 0) {
                ++k;
                continue;
            }
            // A run of full coverage, or one of partial coverage up to the next full or empty pixel.
            const bool solid = row[k] == 255;
            int end = k;
            while (end < entry.width && row[end] != 0 && (row[end] == 255) == solid) ++end;
            mask.runs.push_back({left + k, top + r, end - k, solid, mask.coverage.size()});
            if (!solid) mask.coverage.insert(mask.coverage.end(), row + k, row + end);
            k = end;
        }
    }
}

void build_line_mask(LineMask& mask, FontFace* face, const char* text)
{
    mask.faceKey = face->lineCacheKey;
    mask.charmap = face->ftFace->charmap;
    mask.charSpacing = face->charSpacing;
    mask.text = text;
    mask.width = 0;
    mask.glyphs.clear();
    mask.runs.clear();
    mask.coverage.clear();
    int x = 0, y = 0;
    const char* p = text;
    for (int c; (c = ugetxc(&p)) != 0;) {
        const GlyphEntry* entry = glyph_for(face, c);
        if (!entry) continue;
        MaskGlyph glyph{x, mask.runs.size(), mask.runs.size()};
        if (entry->hasBitmap && !entry->pixels.empty()) add_glyph_runs(mask, face, *entry, x, y);
        glyph.endRun = mask.runs.size();
        mask.glyphs.push_back(glyph);
        if (entry->advanceX != 0) mask.width += entry->advanceX + face->charSpacing;
        advance_pen(face, *entry, x, y);
    }
    ++masksBuilt;
}

// The mask of a line of text in a face, from the cache or built now.
const LineMask& line_mask(FontFace* face, const char* text)
{
    ++lineCacheClock;
    for (LineMask& mask : lineCache)
        if (mask.faceKey == face->lineCacheKey && mask.charSpacing == face->charSpacing &&
            mask.charmap == face->ftFace->charmap && mask.text == text) {
            mask.lastUse = lineCacheClock;
            return mask;
        }
    if (lineCache.capacity() < LINE_CACHE_SIZE) lineCache.reserve(LINE_CACHE_SIZE);
    LineMask* slot = nullptr;
    if (lineCache.size() < LINE_CACHE_SIZE) {
        slot = &lineCache.emplace_back();
    } else {
        slot = &lineCache.front();
        for (LineMask& mask : lineCache)
            if (mask.lastUse < slot->lastUse) slot = &mask;
    }
    build_line_mask(*slot, face, text);
    slot->lastUse = lineCacheClock;
    return *slot;
}

// A face at a new size: its lines are measured and drawn afresh.
void forget_lines_of(FontFace* face)
{
    const uint64_t old = face->lineCacheKey;
    std::erase_if(lineCache, [old](const LineMask& mask) { return mask.faceKey == old; });
    face->lineCacheKey = nextLineCacheKey++;
}

// The line written straight into the rows of a 32-bit memory bitmap, clipped to
// its clip rectangle, blended as putpixel does in translucent mode. Returns
// the last blend opacity used, or -1 when nothing was blended.
int draw_line_mask32(BITMAP* bitmap, const LineMask& mask, int x, int y, int colour)
{
    const uint32_t ink = static_cast<uint32_t>(colour);
    int lastAlpha = -1;
    for (const MaskGlyph& glyph : mask.glyphs) {
        if (x + glyph.penX > bitmap->cr) break;
        for (size_t n = glyph.firstRun; n < glyph.endRun; ++n) {
            const MaskRun& run = mask.runs[n];
            const int py = y + run.dy;
            if (py < bitmap->ct || py >= bitmap->cb) continue;
            const int px = x + run.dx;
            const int k0 = bitmap->cl - px > 0 ? bitmap->cl - px : 0;
            const int k1 = bitmap->cr - px < run.length ? bitmap->cr - px : run.length;
            if (k0 >= k1) continue;
            uint32_t* line = reinterpret_cast<uint32_t*>(bitmap->line[py]) + px;
            if (run.solid) {
                for (int k = k0; k < k1; ++k) line[k] = ink;
                continue;
            }
            const uint8_t* coverage = &mask.coverage[run.offset];
            for (int k = k0; k < k1; ++k) line[k] = blend_pixel32(ink, line[k], coverage[k]);
            lastAlpha = coverage[k1 - 1];
        }
    }
    return lastAlpha;
}

bool can_draw_fast(const BITMAP* bitmap)
{
    return bitmap_color_depth(const_cast<BITMAP*>(bitmap)) == 32 && is_memory_bitmap(const_cast<BITMAP*>(bitmap));
}

}  // namespace

int fit_pixel_size(int height, int (*probe)(void*, int), void* data)
{
    int n = height;
    int direction = 0;
    for (;;) {
        int total = probe(data, n);
        if (total < 0) return 0;
        if (total == height) return n;
        if (direction == 0) {
            direction = total < height ? +1 : -1;
        } else if (direction > 0 && total > height) {
            probe(data, n - 1);
            return n - 1;
        } else if (direction < 0 && total < height) {
            return n;
        }
        n += direction;
        if (n <= 0 || n > LARGEST_PIXEL_SIZE) return 0;
    }
}

int text_init()
{
    if (textReady) return 0;
    FT_Error error = FT_Init_FreeType(&library);
    if (error != 0) return error;
    textReady = true;
    return 0;
}

int text_set_background(int colour)
{
    int previous = textBackground;
    textBackground = colour;
    return previous;
}

FontFace* face_open_file(const char* path)
{
    if (!path) return nullptr;
    auto bytes = std::make_shared<std::string>();
    if (read_regular_file(path, FONT_MAX_BYTES, *bytes) != FileRead::Read) return nullptr;
    return face_open_memory(bytes);
}

FontFace* face_open_memory(std::shared_ptr<const std::string> bytes)
{
    if (!bytes || bytes->empty() || text_init() != 0) return nullptr;
    FontFace* face = new FontFace{};
    face->fileBytes = std::move(bytes);
    const auto* data = reinterpret_cast<const FT_Byte*>(face->fileBytes->data());
    if (FT_New_Memory_Face(library, data, FT_Long(face->fileBytes->size()), 0, &face->ftFace) != 0) {
        delete face;
        return nullptr;
    }
    // Text is looked up by Unicode code point: a face without that map would
    // draw whichever glyphs the codes happen to number.
    if (FT_Select_Charmap(face->ftFace, FT_ENCODING_UNICODE) != 0) {
        FT_Done_Face(face->ftFace);
        delete face;
        return nullptr;
    }
    face->glyphCache.resize(face->ftFace->num_glyphs > 0 ? face->ftFace->num_glyphs : 0);
    face->lineCacheKey = nextLineCacheKey++;
    if (FT_IS_SCALABLE(face->ftFace))
        face_set_height(face, 8);
    else if (face->ftFace->num_fixed_sizes > 0 && face->ftFace->available_sizes)
        face_set_height(face, face->ftFace->available_sizes[0].height);
    face->charSpacing = 0;
    return face;
}

int face_set_height(FontFace* face, int height)
{
    if (!face || !face->ftFace) return -1;
    if (height == face->height) return 0;
    if (height <= 0) return -1;
    int size = fit_pixel_size(height, probe_freetype, face->ftFace);
    if (size <= 0) {
        FT_Set_Pixel_Sizes(face->ftFace, 0, face->pixelSize);
        return -1;
    }
    empty_cache(face);
    forget_lines_of(face);
    face->height = height;
    face->pixelSize = size;
    face->ascender = static_cast<int>(face->ftFace->size->metrics.ascender >> 6);
    return 0;
}

int face_height(const FontFace* face) { return face ? face->height : 0; }

int face_text_width(FontFace* face, const char* text)
{
    if (!face || !face->ftFace || !text) return 0;
    return line_mask(face, text).width;
}

void face_draw_text_slow(BITMAP* bitmap, FontFace* face, const char* text, int x, int y, int colour)
{
    if (!bitmap || !face || !face->ftFace || !text) return;
    if (outside_clip(bitmap, face, x, y)) return;
    acquire_bitmap(bitmap);
    const char* p = text;
    for (int c; x <= bitmap->cr && (c = ugetxc(&p)) != 0;) {
        const GlyphEntry* entry = glyph_for(face, c);
        if (!entry) continue;
        if (entry->hasBitmap && !entry->pixels.empty()) draw_glyph_slow(bitmap, face, *entry, x, y, colour);
        advance_pen(face, *entry, x, y);
    }
    release_bitmap(bitmap);
    solid_mode();
}

void face_draw_text(BITMAP* bitmap, FontFace* face, const char* text, int x, int y, int colour)
{
    if (!bitmap || !face || !face->ftFace || !text) return;
    if (!can_draw_fast(bitmap)) {
        face_draw_text_slow(bitmap, face, text, x, y, colour);
        return;
    }
    if (outside_clip(bitmap, face, x, y)) return;
    const LineMask& mask = line_mask(face, text);
    acquire_bitmap(bitmap);
    const int lastAlpha = draw_line_mask32(bitmap, mask, x, y, colour);
    // Leave the blender as the pixel-by-pixel path would.
    if (lastAlpha >= 0) set_trans_blender(0, 0, 0, lastAlpha);
    release_bitmap(bitmap);
    solid_mode();
}

int text_line_masks_built() { return masksBuilt; }
