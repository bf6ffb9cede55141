// The icon: the man of the game, in his blue coat, walking right along a path
// under a dusk sky with a low sun. The small picture is drawn pixel by pixel at
// 16x16; the large one paints the sky and the ground at 32x32 (and again at
// 48x48) and sets the player's own walking sprite on it; the 32 pixel icon and
// every larger one but 48 are the 32-pixel picture. Each is enlarged by whole pixels only, so every size stays
// crisp. A pale frame keeps the edge on dark panels as well as light ones.
#include "art/icon.h"

#include <zlib.h>

#include <cstdint>
#include <cstdio>
#include <fstream>
#include <map>
#include <stdexcept>

#include "art/tiles.h"

namespace {

struct Rgba {
    uint8_t r, g, b, a;
};

using Grid = std::vector<std::string>;

const std::map<char, Rgba> LEGEND = {
    {'.', {0, 0, 0, 0}},        {'K', {222, 208, 184, 255}}, // outside; the frame, pale to hold on dark panels
    {'A', {48, 62, 116, 255}},  {'B', {96, 80, 136, 255}},   // the sky from the top
    {'C', {214, 124, 92, 255}}, {'Y', {252, 218, 124, 255}}, // the glow, the sun
    {'y', {255, 244, 200, 255}},                             // the sun's core
    {'H', {62, 52, 90, 255}},   {'G', {74, 100, 60, 255}},   // far hills, grass
    {'g', {54, 76, 46, 255}},   {'P', {172, 140, 98, 255}},  // darker grass, the path
    {'Q', {140, 110, 76, 255}},                              // the path's edge
    {'h', {92, 60, 38, 255}},   {'s', {232, 188, 150, 255}}, // the man: hair, skin
    {'e', {40, 30, 30, 255}},   {'c', {70, 96, 140, 255}},   // eye, coat
    {'d', {55, 75, 109, 255}},  {'p', {70, 64, 60, 255}},    // coat shade, trousers
    {'q', {52, 48, 45, 255}},   {'b', {56, 40, 30, 255}},    // trouser shade, boots
    {'l', {50, 40, 34, 255}},                                // belt
};

const Grid SMALL = {
    ".KKKKKKKKKKKKKK.",
    "KAAAAAAAAAAAAAAK",
    "KAAAAAAAAAAAAAAK",
    "KAAAAAhhAAAAAAAK",
    "KBBBBBhseBBBBBBK",
    "KBBBBBBssBBBYBBK",
    "KBBBBccccBBYyYBK",
    "KCCCCcdccCCCYCCK",
    "KCCCCcdcsCHCCHHK",
    "KHHCCccccHHHHHHK",
    "KGGGGGpppGGGGGGK",
    "KGGGGppGppGGgGGK",
    "KgGGGpGGGpGGGGgK",
    "KPPPbbPPPbbPPPPK",
    "KPPQPPPPPPPPQPPK",
    ".KKKKKKKKKKKKKK.",
};

// The scene, n pixels square (32, or 48 for the one size that 32 does not
// divide): bands of sky mixed on a checkerboard where they meet, the sun low on
// the right, hills, grass and the path, all laid out at n/32 of the 32-pixel
// drawing; the walker is set on it later.
Grid large_picture(int n)
{
    Grid grid(size_t(n), std::string(size_t(n), 'A'));
    auto set = [&](int x, int y, char c) {
        if (x >= 0 && x < n && y >= 0 && y < n) grid[size_t(y)][size_t(x)] = c;
    };
    auto at = [&](int v) { return v * n / 32; };  // a row or column of the 32-pixel drawing
    for (int y = 0; y < n; ++y)
        for (int x = 0; x < n; ++x) {
            char sky = y < at(9) ? 'A' : y < at(14) ? 'B' : 'C';
            if ((y == at(9) || y == at(14)) && (x + y) % 2 == 0) sky = y == at(9) ? 'A' : 'B';
            set(x, y, sky);
        }
    for (int y = at(10); y <= at(20); ++y)
        for (int x = at(19); x <= n - 1; ++x) {
            int dx = x - at(25), dy = y - at(15), d = dx * dx + dy * dy;
            if (d * 1024 <= 5 * n * n) set(x, y, 'y');
            else if (d * 1024 <= 13 * n * n) set(x, y, 'Y');
        }
    // Far hills: a slow rise and fall over the horizon.
    const int hillTop[32] = {19, 19, 18, 18, 17, 17, 17, 18, 18, 19, 19, 19, 18, 18, 17, 17,
                             16, 16, 16, 17, 17, 18, 18, 18, 19, 19, 18, 18, 17, 17, 18, 18};
    for (int x = 0; x < n; ++x)
        for (int y = at(hillTop[x * 32 / n]); y < at(21); ++y) set(x, y, 'H');
    for (int y = at(21); y < n; ++y)
        for (int x = 0; x < n; ++x) set(x, y, y < at(25) ? ((x * 7 + y * 3) % 11 == 0 ? 'g' : 'G') : 'P');
    for (int x = 0; x < n; ++x) set(x, at(25), 'Q');
    for (int x : {5, 13, 22, 28}) set(at(x), at(28), 'Q');
    // The frame, with its corners cut round.
    for (int i = 0; i < n; ++i) {
        set(i, 0, 'K');
        set(i, n - 1, 'K');
        set(0, i, 'K');
        set(n - 1, i, 'K');
    }
    for (int x : {0, n - 1})
        for (int y : {0, n - 1}) set(x, y, '.');
    return grid;
}

void put32(std::string& out, uint32_t value)
{
    for (int shift = 24; shift >= 0; shift -= 8) out += char((value >> shift) & 0xff);
}

void chunk(std::string& out, const char* type, const std::string& data)
{
    put32(out, uint32_t(data.size()));
    std::string body = std::string(type, 4) + data;
    out += body;
    put32(out, uint32_t(crc32(0, reinterpret_cast<const Bytef*>(body.data()), uInt(body.size()))));
}

using Image = std::vector<std::vector<Rgba>>;

// The grid in its legend's colours.
Image colours_of(const Grid& grid)
{
    Image image;
    for (const std::string& row : grid) {
        if (row.size() != grid.size()) throw std::runtime_error("an icon row is not as wide as the icon is tall");
        std::vector<Rgba>& line = image.emplace_back();
        for (char c : row) {
            auto found = LEGEND.find(c);
            if (found == LEGEND.end()) throw std::runtime_error("no colour for '" + std::string(1, c) + "'");
            line.push_back(found->second);
        }
    }
    return image;
}

// The player's walking tile (1) taken from the sprite sheet itself, so the man
// on the icon is always the man of the game; its top-left corner goes at left, top.
void set_walker(Image& image, int left, int top)
{
    BITMAP* sheet = create_bitmap_ex(32, SHEET_SIZE, SHEET_SIZE);
    if (!sheet) throw std::runtime_error("no memory for the sprite sheet");
    paint_spritesheet(sheet);
    const int tile = 1, sheetX = tile % 8 * TILE_SIZE, sheetY = tile / 8 * TILE_SIZE;
    for (int y = 0; y < TILE_SIZE; ++y)
        for (int x = 0; x < TILE_SIZE; ++x) {
            int c = getpixel(sheet, sheetX + x, sheetY + y);
            if (c == makecol32(255, 0, 255)) continue;
            int row = top + y, column = left + x;
            if (row < 0 || row >= int(image.size()) || column < 0 || column >= int(image[row].size())) continue;
            image[row][column] = {uint8_t(getr32(c)), uint8_t(getg32(c)), uint8_t(getb32(c)), 255};
        }
    destroy_bitmap(sheet);
}

// The image enlarged by `scale` whole pixels as an RGBA PNG.
std::string png(const Image& image, int scale)
{
    int size = int(image.size()) * scale;
    std::string raw;
    for (int y = 0; y < size; ++y) {
        raw += '\0';  // no filter
        for (int x = 0; x < size; ++x) {
            const Rgba& c = image[y / scale][x / scale];
            raw += {char(c.r), char(c.g), char(c.b), char(c.a)};
        }
    }
    uLongf packedSize = compressBound(uLong(raw.size()));
    std::string packed(packedSize, '\0');
    if (compress2(reinterpret_cast<Bytef*>(packed.data()), &packedSize, reinterpret_cast<const Bytef*>(raw.data()),
                  uLong(raw.size()), 9) != Z_OK)
        throw std::runtime_error("cannot compress an icon");
    packed.resize(packedSize);

    std::string header;
    put32(header, uint32_t(size));
    put32(header, uint32_t(size));
    header += {8, 6, 0, 0, 0};  // 8 bits a channel, RGBA, deflate, no filter, no interlace
    std::string out = "\x89PNG\r\n\x1a\n";
    chunk(out, "IHDR", header);
    chunk(out, "IDAT", packed);
    chunk(out, "IEND", "");
    return out;
}

// The image enlarged by `scale` as C++ source: an array of 0xAARRGGBB pixels
// from the top left, named `name`.
std::string argb_array(const Image& image, int scale, const std::string& name)
{
    int size = int(image.size()) * scale;
    std::string out = "constexpr uint32_t " + name + "[" + std::to_string(size * size) + "] = {";
    char word[16];
    for (int y = 0; y < size; ++y) {
        out += "\n   ";
        for (int x = 0; x < size; ++x) {
            const Rgba& c = image[y / scale][x / scale];
            std::snprintf(word, sizeof word, " 0x%02x%02x%02x%02x,", c.a, c.r, c.g, c.b);
            out += word;
        }
    }
    return out + "\n};\n";
}

}  // namespace

const std::vector<int>& icon_sizes()
{
    static const std::vector<int> sizes = {16, 32, 48, 64, 128, 256};
    return sizes;
}

bool write_icons(const std::string& folder)
{
    const Image small = colours_of(SMALL);
    Image large = colours_of(large_picture(32));
    set_walker(large, 3, 5);
    // 48 is painted at its own size, the man walking a longer stretch of path
    Image middle = colours_of(large_picture(48));
    set_walker(middle, 9, 18);
    for (int size : icon_sizes()) {
        // 16 from the 16-pixel drawing, 48 its own, 32 and up from the 32-pixel painting
        const Image& image = size == 16 ? small : size == 48 ? middle : large;
        std::ofstream out(folder + "/karvelle-" + std::to_string(size) + ".png", std::ios::binary | std::ios::trunc);
        out << png(image, size / int(image.size()));
        if (!out) return false;
    }
    // The game's window shows the same pictures as the 16 and 32 pixel icons.
    std::ofstream source(folder + "/window_icon.inc", std::ios::trunc);
    source << "// Made by karvelle_assets --icons: the window's icon at 16 and 32 pixels.\n"
           << argb_array(small, 16 / int(small.size()), "WINDOW_ICON_16")
           << argb_array(large, 32 / int(large.size()), "WINDOW_ICON_32");
    return bool(source);
}
