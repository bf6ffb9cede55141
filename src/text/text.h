// TrueType text on Allegro bitmaps: faces fitted to a line height, a glyph cache
// of anti-aliased coverage, and drawing by blending the colour over the target.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include <ft2build.h>
#include FT_FREETYPE_H

struct BITMAP;

struct GlyphEntry {
    bool cached = false;
    bool hasBitmap = false;
    int width = 0, rows = 0;
    int left = 0, top = 0;
    int advanceX = 0, advanceY = 0;
    std::vector<uint8_t> pixels;  // width x rows coverage, row-major; empty when 0 x 0
};

struct FontFace {
    FT_Face ftFace = nullptr;
    // The font file's bytes, which the face reads from for as long as it lives.
    std::shared_ptr<const std::string> fileBytes;
    int height = 0;
    int pixelSize = 0;
    int ascender = 0;
    int charSpacing = 0;
    std::vector<GlyphEntry> glyphCache;
    // Names the face at its current size in the line cache; a new size gets a new one.
    uint64_t lineCacheKey = 0;
};

int text_init();
int text_set_background(int colour);
// A face from a font file, read whole without blocking (a FIFO or a device is
// refused), or from bytes already read; several faces may share the bytes. Null
// when FreeType cannot read it or it has no Unicode character map.
FontFace* face_open_file(const char* path);
FontFace* face_open_memory(std::shared_ptr<const std::string> bytes);
// The largest font file read.
constexpr size_t FONT_MAX_BYTES = 64u << 20;
int face_set_height(FontFace* face, int height);
int face_height(const FontFace* face);
int face_text_width(FontFace* face, const char* text);
void face_draw_text(BITMAP* bitmap, FontFace* face, const char* text, int x, int y, int colour);

// Lines are drawn from a cache: each line's coverage, glyph after glyph and run
// after run of non-empty pixels, is kept per face, size, spacing and text until
// the text changes (the least recently used of LINE_CACHE_SIZE lines goes).
// Drawing blends the runs over the target; measuring reads the kept width.
constexpr size_t LINE_CACHE_SIZE = 32;
// How many line masks have been built since the program started.
int text_line_masks_built();

// The same text drawn pixel by pixel through putpixel, switching between solid and
// translucent drawing per pixel, walking the glyphs. face_draw_text writes 32-bit
// memory bitmaps directly from its line cache, with exactly these pixels, and
// uses this path for every other bitmap.
void face_draw_text_slow(BITMAP* bitmap, FontFace* face, const char* text, int x, int y, int colour);

// The pixel size at which a face's lines are `height` pixels tall. `probe` sets a
// size and returns its ascender + descender in whole pixels, or -1 when the size
// is refused. Returns 0 when no size fits.
int fit_pixel_size(int height, int (*probe)(void* data, int size), void* data);
