// The TrueType layer: fitting a face to a line height, measuring and drawing.
#include <gtest/gtest.h>

#include <allegro.h>

#include <cerrno>
#include <cstdlib>
#include <filesystem>
#include <map>
#include <string>

#include "text/text.h"
#include "test_support.h"

#include FT_FREETYPE_H

namespace {


const char* font_path()
{
    static const char* gentium = "/usr/share/fonts/truetype/gentiumplus/GentiumPlus-Regular.ttf";
    static const char* dejavu = "/usr/share/fonts/truetype/dejavu/DejaVuSans.ttf";
    return std::filesystem::exists(gentium) ? gentium : dejavu;
}

FontFace* open_at(int height)
{
    ensure_allegro();
    text_init();
    FontFace* face = face_open_file(font_path());
    if (face) face_set_height(face, height);
    return face;
}

// A face's ascender + descender at one pixel size, read from FreeType directly.
struct ReferenceFace {
    FT_Library library = nullptr;
    FT_Face face = nullptr;
    ReferenceFace()
    {
        FT_Init_FreeType(&library);
        FT_New_Face(library, font_path(), 0, &face);
    }
    ~ReferenceFace()
    {
        FT_Done_Face(face);
        FT_Done_FreeType(library);
    }
    long total(int size)
    {
        FT_Set_Pixel_Sizes(face, 0, size);
        long a = face->size->metrics.ascender / 64 - (face->size->metrics.ascender % 64 < 0 ? 1 : 0);
        long d = face->size->metrics.descender / 64 - (face->size->metrics.descender % 64 < 0 ? 1 : 0);
        return std::labs(a) + std::labs(d);
    }
    int advance(int size, int character)
    {
        FT_Set_Pixel_Sizes(face, 0, size);
        FT_Load_Char(face, character, FT_LOAD_DEFAULT);
        return static_cast<int>(face->glyph->advance.x / 64);
    }
};

struct Table {
    std::map<int, int> totals;
    std::vector<int> probed;
};

int table_probe(void* data, int size)
{
    Table* table = static_cast<Table*>(data);
    table->probed.push_back(size);
    auto found = table->totals.find(size);
    return found == table->totals.end() ? -1 : found->second;
}

int fit(Table& table, int height) { return fit_pixel_size(height, table_probe, &table); }

BITMAP* filled(int w, int h, int colour)
{
    BITMAP* bitmap = create_bitmap(w, h);
    clear_to_color(bitmap, colour);
    return bitmap;
}

// A background where neighbouring pixels differ, so any stray write shows.
BITMAP* patterned(int w, int h)
{
    BITMAP* bitmap = create_bitmap(w, h);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) putpixel(bitmap, x, y, makecol((x * 7) & 255, (y * 5) & 255, (x + y) & 255));
    return bitmap;
}

int changed_pixels(BITMAP* a, BITMAP* b)
{
    int count = 0;
    for (int y = 0; y < a->h; ++y)
        for (int x = 0; x < a->w; ++x) count += getpixel(a, x, y) != getpixel(b, x, y);
    return count;
}

}  // namespace

TEST(TextFit, WorkedExamplesWithAStubbedFace)
{
    Table down{{{28, 33}, {27, 31}, {26, 30}, {25, 29}, {24, 27}}, {}};
    EXPECT_EQ(fit(down, 28), 24);
    EXPECT_EQ(down.probed, (std::vector<int>{28, 27, 26, 25, 24}));

    // Walking up past the height steps back one size and sets it again.
    Table upPast{{{28, 26}, {29, 27}, {30, 29}}, {}};
    EXPECT_EQ(fit(upPast, 28), 29);
    EXPECT_EQ(upPast.probed, (std::vector<int>{28, 29, 30, 29}));

    Table exact{{{28, 26}, {29, 28}}, {}};
    EXPECT_EQ(fit(exact, 28), 29);
}

TEST(TextFit, RefusedSizesAndTheBottomFail)
{
    Table refused{{{28, 26}}, {}};  // size 29 is refused
    EXPECT_EQ(fit(refused, 28), 0);

    Table tooTall{{{3, 9}, {2, 8}, {1, 7}}, {}};
    EXPECT_EQ(fit(tooTall, 3), 0);

    // A face whose lines never grow gives up rather than walking up forever.
    std::map<int, int> flat;
    for (int size = 1; size <= 20000; ++size) flat[size] = 1;
    Table stuck{flat, {}};
    EXPECT_EQ(fit(stuck, 5), 0);
}

TEST(TextFit, RealFaceSettlesOnTheLastSizeBelowTheHeight)
{
    ReferenceFace reference;
    for (int height : {20, 28, 102}) {
        FontFace* face = open_at(height);
        ASSERT_NE(face, nullptr);
        EXPECT_EQ(face_height(face), height);
        int size = face->pixelSize;
        long total = reference.total(size);
        if (total != height) {
            EXPECT_LT(total, height) << "height " << height;
            EXPECT_GT(reference.total(size + 1), height) << "height " << height;
        }
        reference.total(size);
        long ascender = reference.face->size->metrics.ascender;
        EXPECT_EQ(face->ascender, ascender / 64 - (ascender % 64 < 0 ? 1 : 0));
    }
}

TEST(TextFit, SameHeightAndBadHeightsChangeNothing)
{
    FontFace* face = open_at(28);
    ASSERT_NE(face, nullptr);
    face_text_width(face, "A");
    int size = face->pixelSize;
    int index = FT_Get_Char_Index(face->ftFace, 'A');
    ASSERT_TRUE(face->glyphCache[index].cached);

    EXPECT_EQ(face_set_height(face, 28), 0);
    EXPECT_TRUE(face->glyphCache[index].cached);
    EXPECT_EQ(face_set_height(face, 0), -1);
    EXPECT_EQ(face_set_height(face, -5), -1);
    EXPECT_EQ(face_height(face), 28);
    EXPECT_EQ(face->pixelSize, size);
    EXPECT_TRUE(face->glyphCache[index].cached);

    // A new height empties the cache.
    EXPECT_EQ(face_set_height(face, 40), 0);
    EXPECT_FALSE(face->glyphCache[index].cached);
}

TEST(TextFit, MissingFileAndNullFace)
{
    ensure_allegro();
    EXPECT_EQ(face_open_file("/nonexistent/font.ttf"), nullptr);
    EXPECT_EQ(face_text_width(nullptr, "abc"), 0);
    EXPECT_EQ(face_height(nullptr), 0);
    EXPECT_EQ(face_set_height(nullptr, 20), -1);
    BITMAP* bitmap = filled(20, 20, makecol(1, 2, 3));
    BITMAP* before = filled(20, 20, makecol(1, 2, 3));
    face_draw_text(bitmap, nullptr, "abc", 0, 0, makecol(255, 255, 255));
    EXPECT_EQ(changed_pixels(bitmap, before), 0);
    destroy_bitmap(bitmap);
    destroy_bitmap(before);
}

TEST(TextWidth, SumsAdvancesPlusSpacing)
{
    ReferenceFace reference;
    FontFace* face = open_at(28);
    ASSERT_NE(face, nullptr);
    EXPECT_EQ(face_text_width(face, ""), 0);
    int expected = reference.advance(face->pixelSize, 'W') + reference.advance(face->pixelSize, 'a') +
                   reference.advance(face->pixelSize, ' ') + reference.advance(face->pixelSize, 'y');
    EXPECT_EQ(face_text_width(face, "Wa y"), expected);
    face->charSpacing = 3;
    EXPECT_EQ(face_text_width(face, "Wa y"), expected + 4 * 3);
}

TEST(TextWidth, GlyphIndicesBeyondTheFaceAreSkipped)
{
    FontFace* face = open_at(28);
    ASSERT_NE(face, nullptr);
    FT_CharMap charmap = face->ftFace->charmap;
    face->ftFace->charmap = nullptr;  // character codes become glyph indices
    int one = face_text_width(face, "\x41");
    EXPECT_EQ(face_text_width(face, "\x41\xef\xbf\xbf"), one);  // U+FFFF is past the glyph count
    BITMAP* bitmap = filled(200, 60, 0);
    face_draw_text(bitmap, face, "\xef\xbf\xbf\x41", 0, 0, makecol(255, 255, 255));
    face->ftFace->charmap = charmap;
    destroy_bitmap(bitmap);
}

TEST(TextDraw, CoverageZeroSkipsFullIsOpaqueOthersBlend)
{
    FontFace* face = open_at(102);
    ASSERT_NE(face, nullptr);
    const int x = 10, y = 5;
    BITMAP* bitmap = filled(200, 150, makecol(0, 0, 0));
    face_draw_text(bitmap, face, "O", x, y, makecol(255, 255, 255));

    const GlyphEntry& glyph = face->glyphCache[FT_Get_Char_Index(face->ftFace, 'O')];
    ASSERT_TRUE(glyph.hasBitmap);
    int seen[3] = {};
    for (int r = 0; r < glyph.rows; ++r)
        for (int k = 0; k < glyph.width; ++k) {
            int v = glyph.pixels[r * glyph.width + k];
            int pixel = getpixel(bitmap, x + glyph.left + k, y - glyph.top + face->ascender + r);
            // Allegro's translucent mode mixes with weight (v + 1) / 256.
            int channel = v == 0 ? 0 : v == 255 ? 255 : 255 * (v + 1) / 256;
            ASSERT_EQ(getr(pixel), channel) << "coverage " << v;
            ASSERT_EQ(getg(pixel), channel) << "coverage " << v;
            ASSERT_EQ(getb(pixel), channel) << "coverage " << v;
            ++seen[v == 0 ? 0 : v == 255 ? 2 : 1];
        }
    EXPECT_GT(seen[0], 0);
    EXPECT_GT(seen[1], 0);
    EXPECT_GT(seen[2], 0);
    destroy_bitmap(bitmap);
}

TEST(TextDraw, TextOutsideTheClipRectangleDrawsNothing)
{
    FontFace* face = open_at(28);
    ASSERT_NE(face, nullptr);
    BITMAP* bitmap = patterned(100, 100);
    BITMAP* before = patterned(100, 100);
    set_clip_rect(bitmap, 20, 20, 79, 79);
    int white = makecol(255, 255, 255);
    face_draw_text(bitmap, face, "Hello", 30, 20 - 28 - 1, white);  // entirely above
    face_draw_text(bitmap, face, "Hello", 30, 81, white);           // starts below
    face_draw_text(bitmap, face, "Hello", 81, 30, white);           // starts to the right
    EXPECT_EQ(changed_pixels(bitmap, before), 0);

    // Partly inside: only pixels within the clip rectangle change.
    face_draw_text(bitmap, face, "Hello world", 0, 10, white);
    int inside = 0;
    for (int y = 0; y < 100; ++y)
        for (int x = 0; x < 100; ++x) {
            bool changed = getpixel(bitmap, x, y) != getpixel(before, x, y);
            bool clipped = x >= 20 && x < 80 && y >= 20 && y < 80;
            if (!clipped) {
                ASSERT_FALSE(changed) << x << "," << y;
            }
            inside += changed;
        }
    EXPECT_GT(inside, 0);
    destroy_bitmap(bitmap);
    destroy_bitmap(before);
}

TEST(TextDraw, StaysInsideASubBitmapEvenWithClippingOff)
{
    FontFace* face = open_at(102);
    ASSERT_NE(face, nullptr);
    for (bool fast : {true, false}) {
        BITMAP* parent = patterned(200, 200);
        BITMAP* before = patterned(200, 200);
        BITMAP* window = create_sub_bitmap(parent, 75, 75, 50, 50);
        set_clip_state(window, FALSE);
        if (fast)
            face_draw_text(window, face, "WOW", -30, -40, makecol(255, 255, 255));
        else
            face_draw_text_slow(window, face, "WOW", -30, -40, makecol(255, 255, 255));
        int inside = 0;
        for (int y = 0; y < 200; ++y)
            for (int x = 0; x < 200; ++x) {
                bool changed = getpixel(parent, x, y) != getpixel(before, x, y);
                bool within = x >= 75 && x < 125 && y >= 75 && y < 125;
                if (!within) {
                    ASSERT_FALSE(changed) << x << "," << y;
                }
                inside += changed;
            }
        EXPECT_GT(inside, 0);
        destroy_bitmap(window);
        destroy_bitmap(parent);
        destroy_bitmap(before);
    }
}

TEST(TextDraw, DirectPathMatchesPixelByPixelPath)
{
    for (int height : {20, 28, 102}) {
        FontFace* face = open_at(height);
        ASSERT_NE(face, nullptr);
        const char* text = "The quick brown fox, 42 jumps! Wg";
        struct Placement { int x, y; } placements[] = {{5, 5}, {-13, -height / 2}, {300, 150}};
        for (Placement at : placements) {
            BITMAP* direct = patterned(640, 200);
            BITMAP* slow = patterned(640, 200);
            set_clip_rect(direct, 3, 2, 600, 190);
            set_clip_rect(slow, 3, 2, 600, 190);
            int colour = makecol(250, 128, 20);
            face_draw_text(direct, face, text, at.x, at.y, colour);
            face_draw_text_slow(slow, face, text, at.x, at.y, colour);
            EXPECT_EQ(changed_pixels(direct, slow), 0) << "height " << height << " at " << at.x << "," << at.y;
            destroy_bitmap(direct);
            destroy_bitmap(slow);
        }
    }
}

namespace {

// The backdrop of the title and prompt: 4x4 cells of varied greys.
BITMAP* cells(int w, int h)
{
    BITMAP* bitmap = create_bitmap(w, h);
    srand(9);
    for (int y = 0; y < h; y += 4)
        for (int x = 0; x < w; x += 4) {
            int g = rand() % 60;
            rectfill(bitmap, x, y, x + 3, y + 3, makecol(g, g, g));
        }
    return bitmap;
}

// Draws text through the line cache and through the glyph walk onto two copies of
// the same background; returns the number of pixels that differ.
int cached_against_walk(BITMAP* (*background)(int, int), FontFace* face, const char* text, int x, int y,
                        int colour)
{
    BITMAP* cached = background(640, 200);
    BITMAP* walked = background(640, 200);
    set_clip_rect(cached, 3, 2, 600, 190);
    set_clip_rect(walked, 3, 2, 600, 190);
    face_draw_text(cached, face, text, x, y, colour);
    face_draw_text_slow(walked, face, text, x, y, colour);
    int differing = changed_pixels(cached, walked);
    destroy_bitmap(cached);
    destroy_bitmap(walked);
    return differing;
}

}  // namespace

TEST(TextLineCache, CachedLinesMatchTheGlyphWalkAtEverySizeColourAndBackground)
{
    const int colours[] = {makecol(0, 0, 0), makecol(255, 255, 255), makecol(218, 219, 236), makecol(250, 128, 20)};
    for (int height : {20, 28, 102}) {
        FontFace* face = open_at(height);
        ASSERT_NE(face, nullptr);
        for (BITMAP* (*background)(int, int) : {patterned, cells})
            for (int colour : colours)
                for (const char* text : {"KARVELLE", "[Press Space to Begin]", "Wg, 42 jumps! \"Oh\"..."}) {
                    // The first draw builds the line's mask, the second reads it from the cache.
                    for (int pass = 0; pass < 2; ++pass) {
                        ASSERT_EQ(cached_against_walk(background, face, text, 20, 40 - height / 2, colour), 0)
                            << text << " height " << height << " pass " << pass;
                        // Cut at the left, top and right edges of the clip rectangle.
                        ASSERT_EQ(cached_against_walk(background, face, text, -17, -height / 2, colour), 0)
                            << text << " height " << height;
                        ASSERT_EQ(cached_against_walk(background, face, text, 560, 170, colour), 0)
                            << text << " height " << height;
                    }
                }
    }
}

TEST(TextLineCache, KeepsALineUntilItsTextOrFaceChanges)
{
    FontFace* face = open_at(28);
    ASSERT_NE(face, nullptr);
    const int white = makecol(255, 255, 255);
    BITMAP* bitmap = filled(400, 60, 0);

    int built = text_line_masks_built();
    face_draw_text(bitmap, face, "Good morning.", 5, 5, white);
    EXPECT_EQ(face_text_width(face, "Good morning."), face_text_width(face, "Good morning."));
    face_draw_text(bitmap, face, "Good morning.", 5, 5, white);
    EXPECT_EQ(text_line_masks_built(), built + 1) << "drawn and measured from one mask";

    // New text, new mask: its pixels are its own, not the old line's.
    face_draw_text(bitmap, face, "Good evening.", 5, 5, white);
    EXPECT_EQ(text_line_masks_built(), built + 2);
    EXPECT_EQ(cached_against_walk(patterned, face, "Good evening.", 5, 5, white), 0);

    // Spacing and size are part of a line's look.
    const int plain = face_text_width(face, "Good evening.");
    face->charSpacing = 2;
    EXPECT_EQ(face_text_width(face, "Good evening."), plain + 13 * 2);
    EXPECT_EQ(cached_against_walk(patterned, face, "Good evening.", 5, 5, white), 0);
    face->charSpacing = 0;
    ASSERT_EQ(face_set_height(face, 40), 0);
    const int before = text_line_masks_built();
    EXPECT_GT(face_text_width(face, "Good evening."), plain);
    EXPECT_EQ(text_line_masks_built(), before + 1);
    EXPECT_EQ(cached_against_walk(patterned, face, "Good evening.", 5, 5, white), 0);
    destroy_bitmap(bitmap);
}

TEST(TextLineCache, HoldsALimitedNumberOfLinesAndForgetsTheLeastUsed)
{
    FontFace* face = open_at(20);
    ASSERT_NE(face, nullptr);
    face_text_width(face, "kept in use");
    int built = text_line_masks_built();
    for (size_t n = 0; n < LINE_CACHE_SIZE + 8; ++n) {
        face_text_width(face, ("line " + std::to_string(n)).c_str());
        face_text_width(face, "kept in use");
    }
    EXPECT_EQ(text_line_masks_built(), built + static_cast<int>(LINE_CACHE_SIZE) + 8);
    face_text_width(face, "line 0");  // long since pushed out
    EXPECT_EQ(text_line_masks_built(), built + static_cast<int>(LINE_CACHE_SIZE) + 9);
    EXPECT_EQ(cached_against_walk(cells, face, "line 0", 30, 30, makecol(200, 200, 200)), 0);
}

TEST(TextLineCache, ALineStopsAtTheFirstCharacterStartingRightOfTheClip)
{
    FontFace* face = open_at(102);
    ASSERT_NE(face, nullptr);
    // A letter whose ink begins left of its pen position would reach back inside.
    const char* letters[] = {"j", "f", "y", "J", "/", "_"};
    const char* reaching = nullptr;
    int reach = 1;  // pixels of ink left of the pen
    for (const char* letter : letters) {
        face_text_width(face, letter);
        const GlyphEntry& glyph = face->glyphCache[FT_Get_Char_Index(face->ftFace, letter[0])];
        if (glyph.hasBitmap && -glyph.left > reach && glyph.width > -glyph.left) {
            reaching = letter;
            reach = -glyph.left;
        }
    }
    if (!reaching) { GTEST_SKIP() << "no letter with a negative left bearing in this font"; }
    // "A" starts inside; the pen stands right of the edge when the letter comes.
    const std::string line = std::string("A") + reaching;
    const int x = 151 - face_text_width(face, "A");
    for (bool cached : {true, false}) {
        BITMAP* both = patterned(300, 200);
        BITMAP* first = patterned(300, 200);
        set_clip_rect(both, 0, 0, 149, 199);  // the right edge is 150, exclusive
        set_clip_rect(first, 0, 0, 149, 199);
        if (cached) {
            face_draw_text(both, face, line.c_str(), x, 10, makecol(255, 255, 255));
            face_draw_text(first, face, "A", x, 10, makecol(255, 255, 255));
        } else {
            face_draw_text_slow(both, face, line.c_str(), x, 10, makecol(255, 255, 255));
            face_draw_text_slow(first, face, "A", x, 10, makecol(255, 255, 255));
        }
        EXPECT_EQ(changed_pixels(both, first), 0) << line << (cached ? " cached" : " walked");
        destroy_bitmap(both);
        destroy_bitmap(first);
    }
}
