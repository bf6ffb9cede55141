// The generated data tree, read through the game's own libraries: every scene
// and the sprite sheet with load_pcx, the music with DUMB, the sounds with
// load_sample; the rules the engine puts on the pictures; and the generator
// giving the same bytes twice without touching the profile.
#include <allegro.h>
#include <dumb.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <cerrno>
#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <set>
#include <string>
#include <vector>

#include <unistd.h>

#include "test_support.h"
#include "world/room.h"

namespace fs = std::filesystem;

namespace {

const std::string DATA = KARVELLE_TEST_DATA_DIR;
const std::string GENERATOR = KARVELLE_TEST_DATA_DIR "/../tools/karvelle_assets";
const std::string CONTACT_SHEET = KARVELLE_TEST_DATA_DIR "/../tools/karvelle_contact_sheet";
const char* const FONT_FILE = "/usr/share/fonts/truetype/gentiumplus/GentiumPlus-Regular.ttf";
const char* const FONT_LICENCE = "/usr/share/doc/fonts-sil-gentiumplus/copyright";

// Every scene image the rooms name, and the one the timed swap loads.
const std::vector<std::string> SCENES = {
    "scene1", "scene2", "scene3", "scene4", "scene5", "scene6", "scene7", "scene8", "scene9", "scene10",
    "scene11", "scene12", "scene13", "scene14", "scene15", "p1s1", "p1s2", "p2s1", "p2s2", "p2s3",
    "p3s1", "p3s2", "p3s3", "p3s4", "p3s5", "p3s6", "p4s1", "p4s2", "p4s3", "p4s4",
    "p4s5", "p5s1", "p5s2", "p5s3", "p5s4", "p6s1", "p6s2", "p6s3", "p6s4", "p6s5",
    "p6s6", "p6s7", "p6s8", "p6s9", "p6s10", "p6s11", "p6s12", "p7s1", "p7s1a", "p7s2",
    "p7s3", "p8s1", "p8s2", "p8s3", "p8s4", "p8s5", "p8s6", "p8s7", "p8s8", "p8s9", "blank"};

const std::vector<int> UNUSED_TILES = {11, 39, 47, 54, 55, 58, 59, 60, 61, 62, 63};

struct Pixel {
    int r, g, b;
    bool magenta() const { return r == 255 && g == 0 && b == 255; }
    int luma() const { return (r * 30 + g * 59 + b * 11) / 100; }
};

Pixel at(BITMAP* bmp, int x, int y)
{
    int c = getpixel(bmp, x, y);
    return {getr(c), getg(c), getb(c)};
}

int distance(Pixel a, Pixel b) { return std::abs(a.r - b.r) + std::abs(a.g - b.g) + std::abs(a.b - b.b); }

BITMAP* load_scene(const std::string& name)
{
    PALETTE pal;
    return load_pcx((DATA + "/graphics/screens/" + name + ".pcx").c_str(), pal);
}

// Is there an edge (the top of the ground) in this column between rows lo and hi?
bool ground_edge(BITMAP* bmp, int x, int lo, int hi)
{
    for (int y = lo; y <= hi; ++y)
        if (distance(at(bmp, x, y), at(bmp, x, y - 1)) >= 30)
            return true;
    return false;
}

}  // namespace

TEST(DataScenesTest, EverySceneLoadsAt80x60WithoutMagenta)
{
    ensure_allegro();
    for (const std::string& name : SCENES) {
        BITMAP* bmp = load_scene(name);
        ASSERT_NE(bmp, nullptr) << name;
        EXPECT_EQ(bmp->w, 80) << name;
        EXPECT_EQ(bmp->h, 60) << name;
        int magenta = 0;
        for (int y = 0; y < bmp->h; ++y)
            for (int x = 0; x < bmp->w; ++x)
                magenta += at(bmp, x, y).magenta();
        EXPECT_EQ(magenta, 0) << name;
        destroy_bitmap(bmp);
    }
}

TEST(DataScenesTest, FeetLandOnTheFloor)
{
    // On flat floors the ground begins above the feet (row 52) and below the
    // residents' heads; on the two slopes it follows the line of the walk.
    ensure_allegro();
    for (const std::string& name : SCENES) {
        BITMAP* bmp = load_scene(name);
        ASSERT_NE(bmp, nullptr) << name;
        bool slope = name == "p6s1" || name == "p6s7";
        int columns = 0;
        for (int x = 0; x < 80; ++x) {
            if (slope) {
                int line = int(52.25 - x / 5.5);
                columns += ground_edge(bmp, x, line - 1, line + 1);
            } else {
                columns += ground_edge(bmp, x, 44, 51);
            }
        }
        EXPECT_GE(columns, slope ? 76 : 56) << name << ": ground edge found in " << columns << " columns";
        destroy_bitmap(bmp);
    }
}

TEST(DataScenesTest, WaysDownOpenInTheirColumns)
{
    // A way down is an opening in front of the walk, rows 55-59 of its column:
    // it must stand out from the ground beside it.
    ensure_allegro();
    const std::vector<std::pair<std::string, int>> downs = {
        {"scene9", 3}, {"p8s2", 3}, {"p8s3", 2}, {"p8s4", 2}, {"p8s5", 2}, {"p8s6", 2}, {"p8s7", 2}, {"p8s8", 2}};
    for (const auto& [name, column] : downs) {
        BITMAP* bmp = load_scene(name);
        ASSERT_NE(bmp, nullptr) << name;
        long inside[3] = {}, outside[3] = {};
        int inCount = 0, outCount = 0;
        for (int y = 55; y < 60; ++y)
            for (int x = 0; x < 80; ++x) {
                Pixel p = at(bmp, x, y);
                int col = x / 20 + 1;
                bool centre = x % 20 >= 5 && x % 20 < 15;
                long* sum = col == column && centre ? inside : col != column ? outside : nullptr;
                if (!sum)
                    continue;
                sum[0] += p.r;
                sum[1] += p.g;
                sum[2] += p.b;
                ++(sum == inside ? inCount : outCount);
            }
        Pixel in{int(inside[0] / inCount), int(inside[1] / inCount), int(inside[2] / inCount)};
        Pixel out{int(outside[0] / outCount), int(outside[1] / outCount), int(outside[2] / outCount)};
        EXPECT_GT(distance(in, out), 45) << name;
        destroy_bitmap(bmp);
    }
}

TEST(DataScenesTest, EverySceneKeepsASmallPalette)
{
    // flat shapes, dithering and a few highlights: a scene is painted from a
    // palette of tens of colours, not shaded pixel by pixel (the maze rooms and
    // the loan sharks' room included)
    ensure_allegro();
    for (const std::string& name : SCENES) {
        BITMAP* bmp = load_scene(name);
        ASSERT_NE(bmp, nullptr) << name;
        std::set<int> colours;
        for (int y = 0; y < bmp->h; ++y)
            for (int x = 0; x < bmp->w; ++x)
                colours.insert(getpixel(bmp, x, y));
        EXPECT_LE(colours.size(), 120u) << name;
        destroy_bitmap(bmp);
    }
}

TEST(DataScenesTest, EchoesAreFlatAndSiblingsAreTheirOwnRooms)
{
    // The maze rooms are faded by blending, not by a checker laid over them:
    // few pixels stand alone without a neighbour of their own colour. And rooms
    // that follow one another are not one picture with a detail changed.
    ensure_allegro();
    auto lonely = [](BITMAP* bmp) {
        int count = 0;
        for (int y = 0; y < 60; ++y)
            for (int x = 0; x < 80; ++x) {
                bool alone = true;
                for (int dy = -1; dy <= 1 && alone; ++dy)
                    for (int dx = -1; dx <= 1 && alone; ++dx)
                        if ((dx || dy) && x + dx >= 0 && x + dx < 80 && y + dy >= 0 && y + dy < 60 &&
                            getpixel(bmp, x + dx, y + dy) == getpixel(bmp, x, y))
                            alone = false;
                count += alone;
            }
        return count;
    };
    for (int n = 2; n <= 8; ++n) {
        std::string name = "p8s" + std::to_string(n);
        BITMAP* bmp = load_scene(name);
        ASSERT_NE(bmp, nullptr) << name;
        EXPECT_LE(lonely(bmp), 480) << name;  // a tenth of the frame
        destroy_bitmap(bmp);
    }
    for (auto [a, b] : {std::pair{"scene9", "scene2"}, {"scene13", "scene12"}, {"p7s2", "p7s1a"}}) {
        BITMAP *one = load_scene(a), *two = load_scene(b);
        ASSERT_TRUE(one && two) << a;
        int same = 0;
        for (int y = 0; y < 60; ++y)
            for (int x = 0; x < 80; ++x)
                same += getpixel(one, x, y) == getpixel(two, x, y);
        EXPECT_LE(same * 100, 80 * 60 * 80) << a << " is " << same * 100 / (80 * 60) << " % " << b;
        destroy_bitmap(one);
        destroy_bitmap(two);
    }
}

TEST(DataScenesTest, PubClockFaceIsPaleUnderTheHands)
{
    ensure_allegro();
    BITMAP* bmp = load_scene("scene11");
    ASSERT_NE(bmp, nullptr);
    const int marks[5][2] = {{14, 22}, {12, 21}, {11, 19}, {12, 17}, {13, 16}};
    for (auto& m : marks) {
        EXPECT_GT(at(bmp, m[0], m[1]).luma(), 170) << m[0] << "," << m[1];
        // the grey (137) marks and dark (37) hands must stand out from the face
        EXPECT_GT(distance(at(bmp, m[0], m[1]), {137, 137, 137}), 80);
    }
    // and the face is round: pale out to radius 4 in every direction
    for (int dy = -4; dy <= 4; ++dy)
        for (int dx = -4; dx <= 4; ++dx) {
            if (dx * dx + dy * dy <= 16 && (dx || dy)) {
                EXPECT_GT(at(bmp, 14 + dx, 19 + dy).luma(), 170) << dx << "," << dy;
            }
        }
    destroy_bitmap(bmp);
}

TEST(DataSpriteSheetTest, TilesSitOnMagenta)
{
    ensure_allegro();
    PALETTE pal;
    BITMAP* sheet = load_pcx((DATA + "/graphics/spritesheet.pcx").c_str(), pal);
    ASSERT_NE(sheet, nullptr);
    ASSERT_EQ(sheet->w, 200);
    ASSERT_EQ(sheet->h, 200);
    for (int n = 0; n < 64; ++n) {
        int left = 25 * (n % 8), top = 25 * (n / 8);
        int painted = 0, bottomRow = 0, topRows = 0;
        for (int y = 0; y < 25; ++y)
            for (int x = 0; x < 25; ++x)
                if (!at(sheet, left + x, top + y).magenta()) {
                    ++painted;
                    bottomRow += y == 24;
                    topRows += y < 10;
                }
        bool unused = std::find(UNUSED_TILES.begin(), UNUSED_TILES.end(), n) != UNUSED_TILES.end();
        if (unused) {
            EXPECT_EQ(painted, 0) << "tile " << n;
            continue;
        }
        EXPECT_GT(painted, 15) << "tile " << n;
        EXPECT_LT(painted, 25 * 25 * 3 / 4) << "tile " << n << " has too little background";
        for (auto [cx, cy] : {std::pair{0, 0}, {24, 0}, {0, 24}, {24, 24}})
            EXPECT_TRUE(at(sheet, left + cx, top + cy).magenta()) << "tile " << n << " corner " << cx << "," << cy;
        if (n == 56 || n == 57)  // hints float above the head or below the feet
            EXPECT_TRUE(bottomRow == 0 && topRows > 0) << "tile " << n;
        else  // figures stand on the tile's last row
            EXPECT_GT(bottomRow, 0) << "tile " << n;
    }
    destroy_bitmap(sheet);
}

TEST(DataFontTest, FontAndLicenceAreBesideTheImages)
{
    std::string font = file_text(DATA + "/graphics/font.ttf");
    ASSERT_GT(font.size(), 12u);
    EXPECT_EQ(font.substr(0, 4), std::string("\0\1\0\0", 4));  // a TrueType outline font
    EXPECT_NE(font.find("glyf"), std::string::npos);
    std::string licence = file_text(DATA + "/graphics/font-licence.txt");
    EXPECT_NE(licence.find("SIL OPEN FONT LICENSE"), std::string::npos);
}

namespace {

int count_loops(void* data)
{
    ++*static_cast<int*>(data);
    return 0;
}

}  // namespace

TEST(DataMusicTest, ModulesLoadPlayAndLoop)
{
    dumb_register_stdfiles();
    for (const char* name : {"possibilities.it", "impossibilities.it"}) {
        DUH* duh = dumb_load_it((DATA + "/music/" + name).c_str());
        ASSERT_NE(duh, nullptr) << name;
        double seconds = duh_get_length(duh) / 65536.0;
        EXPECT_GE(seconds, 60.0) << name;
        EXPECT_LE(seconds, 120.0) << name;

        const int rate = 11025;
        DUH_SIGRENDERER* sr = duh_start_sigrenderer(duh, 0, 2, 0);
        ASSERT_NE(sr, nullptr);
        int loops = 0;
        dumb_it_set_loop_callback(duh_get_it_sigrenderer(sr), count_loops, &loops);
        std::vector<short> buffer(size_t(rate) * 2);
        int loudest = 0;
        double rendered = 0;
        // through one whole pass and a few seconds into the next
        while (rendered < seconds + 3.0) {
            long got = duh_render(sr, 16, 0, 1.0f, 65536.0f / rate, rate, buffer.data());
            ASSERT_EQ(got, rate) << name << " stopped at " << rendered << " s";
            for (short s : buffer)
                loudest = std::max(loudest, std::abs(int(s)));
            rendered += 1.0;
        }
        EXPECT_GT(loudest, 2000) << name << " is silent";
        EXPECT_LT(loudest, 32767) << name << " clips";
        EXPECT_EQ(loops, 1) << name << " did not go back to its start once";
        duh_end_sigrenderer(sr);
        unload_duh(duh);
    }
}

TEST(DataSoundTest, EffectsLoadWithTheirLengths)
{
    ensure_allegro();
    struct Expect {
        const char* file;
        double minSeconds, maxSeconds;
    };
    for (Expect e : {Expect{"destroy.wav", 0.3, 0.99}, Expect{"dragon.wav", 2.0, 3.0}, Expect{"war1.wav", 0.2, 0.69},
                     Expect{"war2.wav", 1.0, 5.0}}) {
        SAMPLE* s = load_sample((DATA + "/sound/" + e.file).c_str());
        ASSERT_NE(s, nullptr) << e.file;
        double seconds = double(s->len) / s->freq;
        EXPECT_GE(seconds, e.minSeconds) << e.file;
        EXPECT_LE(seconds, e.maxSeconds) << e.file;
        ASSERT_EQ(s->bits, 16);
        // loud somewhere, and quiet at the end (each effect fades out)
        const unsigned short* data = static_cast<const unsigned short*>(s->data);
        int loudest = 0, tail = 0;
        for (unsigned long i = 0; i < s->len; ++i) {
            int v = std::abs(int(data[i]) - 32768);  // Allegro keeps samples unsigned
            loudest = std::max(loudest, v);
            if (i > s->len * 95 / 100)
                tail = std::max(tail, v);
        }
        EXPECT_GT(loudest, 8000) << e.file;
        EXPECT_LT(tail, loudest / 4) << e.file;
        destroy_sample(s);
    }
}

TEST(DataSoundTest, TheWalkingCuesAreShortAndSoft)
{
    // A footstep every third of a second and the held-still cue must not cover a
    // word: short, and well below the effects' level, yet heard.
    ensure_allegro();
    struct Expect {
        const char* file;
        double maxSeconds;
    };
    for (Expect e : {Expect{"footstep.wav", 0.15}, Expect{"held.wav", 0.4}}) {
        SAMPLE* s = load_sample((DATA + "/sound/" + e.file).c_str());
        ASSERT_NE(s, nullptr) << e.file;
        EXPECT_LE(double(s->len) / s->freq, e.maxSeconds) << e.file;
        ASSERT_EQ(s->bits, 16);
        const unsigned short* data = static_cast<const unsigned short*>(s->data);
        int loudest = 0;
        for (unsigned long i = 0; i < s->len; ++i) loudest = std::max(loudest, std::abs(int(data[i]) - 32768));
        EXPECT_GT(loudest, 4000) << e.file << " is too quiet to hear";
        EXPECT_LT(loudest, 13000) << e.file << " is not soft";
        destroy_sample(s);
    }
}

TEST(DataGeneratorTest, SameBytesOnEveryRunAndProfileLeftAlone)
{
    fs::path base = fs::temp_directory_path() / ("karvelle-data-test-" + std::to_string(getpid()));
    fs::remove_all(base);
    fs::path a = base / "a", b = base / "b";
    fs::create_directories(a);
    put_file(a / "profile.dat", "1\n0\n1\n0\n0\n0\n0\n0\n");
    auto stamp = fs::last_write_time(a / "profile.dat");
    for (const fs::path& dir : {a, b}) {
        std::string command = GENERATOR + " " + dir.string() + " " + FONT_FILE + " " + FONT_LICENCE;
        ASSERT_EQ(std::system(command.c_str()), 0) << command;
    }
    EXPECT_EQ(file_text(a / "profile.dat"), "1\n0\n1\n0\n0\n0\n0\n0\n");
    EXPECT_EQ(fs::last_write_time(a / "profile.dat"), stamp);

    int files = 0;
    for (const auto& entry : fs::recursive_directory_iterator(b)) {
        if (!entry.is_regular_file())
            continue;
        ++files;
        fs::path twin = a / fs::relative(entry.path(), b);
        ASSERT_TRUE(fs::exists(twin)) << twin;
        EXPECT_TRUE(file_text(entry.path()) == file_text(twin)) << entry.path() << " differs between runs";
    }
    EXPECT_EQ(files, 61 + 1 + 2 + 2 + 4 + 2);  // ... and the two cues of the voice's walk
    fs::remove_all(base);
}

TEST(DataContactSheetTest, EveryRoomIsDrawnAtTheGamesSize)
{
    // The second sheet: one 640x480 screen per room of the walk, four to a row
    // with a label strip under each, each showing its own scene at the game's
    // eight screen pixels to a scene pixel.
    ensure_allegro();
    reset_room_table();
    build_world();
    std::vector<std::string> scenes;
    for (int i = 0; i < ROOM_COUNT; ++i)
        if (!room_at(i).description.empty())
            scenes.push_back(room_at(i).sceneImage);
    reset_room_table();
    ASSERT_GT(scenes.size(), 60u);

    fs::path dir = fs::temp_directory_path() / ("karvelle-sheet-test-" + std::to_string(getpid()));
    fs::create_directories(dir);
    std::string command = CONTACT_SHEET + " " + DATA + " " + (dir / "sheet.bmp").string() + " " +
                          (dir / "rooms.bmp").string() + " 2>/dev/null";
    ASSERT_EQ(std::system(command.c_str()), 0) << command;
    PALETTE pal;
    BITMAP* rooms = load_bmp((dir / "rooms.bmp").string().c_str(), pal);
    ASSERT_NE(rooms, nullptr);
    const int cellW = 640, cellH = 480 + 14;
    EXPECT_EQ(rooms->w, 4 * cellW);
    EXPECT_EQ(rooms->h, int((scenes.size() + 3) / 4) * cellH);
    for (size_t k = 0; k < scenes.size(); ++k) {
        if (scenes[k] == "blank")  // the cave, and the room the plasma covers
            continue;
        BITMAP* scene = load_scene(scenes[k]);
        ASSERT_NE(scene, nullptr) << scenes[k];
        int x0 = int(k % 4) * cellW, y0 = int(k / 4) * cellH;
        for (int sx : {4, 40}) {  // (the right of the last path's first room lies in shadow)
            EXPECT_LE(distance(at(rooms, x0 + 8 * sx + 4, y0 + 4), at(scene, sx, 0)), 6)
                << "cell " << k << " (" << scenes[k] << ") column " << sx;
        }
        destroy_bitmap(scene);
    }
    destroy_bitmap(rooms);
    fs::remove_all(dir);
}
