// The PCX check against Allegro's own reader: the crafted headers that once
// overflowed load_pcx are refused before it sees them, files it reads right are
// accepted (runs that end a row, bytes before the palette), and a bounded fuzz of
// the generated pictures never crashes, hangs or accepts a misread picture.
// KARVELLE_FUZZ_PCX sets the number of mutants per picture (default 200).
#include <gtest/gtest.h>

#include <allegro.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>
#include <string>
#include <vector>

#include "render/pcx_check.h"
#include "test_support.h"

namespace {

using Bytes = std::vector<unsigned char>;

// An 8-bit PCX file: header, the given (already packed) rows and, unless
// `palette` is false, `beforePalette`, the marker 12 and 256 colours.
Bytes make_pcx(int width, int height, int bytesPerLine, int planes, const Bytes& packed, bool palette = true,
               const Bytes& beforePalette = {})
{
    Bytes b(128, 0);
    b[0] = 10, b[1] = 5, b[2] = 1, b[3] = 8;
    auto word = [&](int at, int v) {
        b[at] = v & 0xFF;
        b[at + 1] = (v >> 8) & 0xFF;
    };
    word(8, width - 1);
    word(10, height - 1);
    b[65] = planes;
    word(66, bytesPerLine);
    b.insert(b.end(), packed.begin(), packed.end());
    if (palette) {
        b.insert(b.end(), beforePalette.begin(), beforePalette.end());
        b.push_back(12);
        for (int i = 0; i < 256; ++i) b.insert(b.end(), {(unsigned char)i, (unsigned char)(255 - i), 40});
    }
    return b;
}

// `count` bytes of `value` in runs of at most 63.
Bytes runs(size_t count, unsigned char value)
{
    Bytes b;
    for (; count > 0; count -= std::min<size_t>(count, 63)) b.insert(b.end(), {(unsigned char)(0xC0 | std::min<size_t>(count, 63)), value});
    return b;
}

// `height` rows of `width` bytes of `value`, each row packed on its own.
Bytes rows(int height, size_t width, unsigned char value)
{
    Bytes b, row = runs(width, value);
    for (int y = 0; y < height; ++y) b.insert(b.end(), row.begin(), row.end());
    return b;
}

std::string problem(const Bytes& b) { return pcx_problem(b.data(), b.size()); }

enum class Read { Refused, Right, Wrong, Crashed, Hung };

// Checks the file as the game does and, when accepted, reads it with load_pcx in
// a child process; the picture must come back with the sides its header gives.
Read try_pcx(const Bytes& bytes, const std::string& path, double& seconds)
{
    { std::ofstream(path, std::ios::binary).write(reinterpret_cast<const char*>(bytes.data()), bytes.size()); }
    auto start = std::chrono::steady_clock::now();
    pid_t child = fork();
    if (child == 0) {
        if (!pcx_complete(path.c_str())) _exit(10);
        ensure_allegro();
        PALETTE palette;
        BITMAP* image = load_pcx(path.c_str(), palette);
        int width = (bytes[8] | bytes[9] << 8) - (bytes[4] | bytes[5] << 8) + 1;
        int height = (bytes[10] | bytes[11] << 8) - (bytes[6] | bytes[7] << 8) + 1;
        _exit(image && image->w == width && image->h == height ? 11 : 12);
    }
    int status = 0;
    for (;;) {
        if (waitpid(child, &status, WNOHANG) == child) break;
        seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
        if (seconds > 20) {
            kill(child, SIGKILL);
            waitpid(child, &status, 0);
            return Read::Hung;
        }
        usleep(2000);
    }
    seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    if (!WIFEXITED(status)) return Read::Crashed;
    switch (WEXITSTATUS(status)) {
    case 10: return Read::Refused;
    case 11: return Read::Right;
    case 12: return Read::Wrong;
    }
    return Read::Crashed;
}

class PcxCheck : public ::testing::Test {
protected:
    std::string dir, path;
    double seconds = 0;
    void SetUp() override
    {
        ensure_allegro();
        char pattern[] = "/tmp/karvelle-pcx.XXXXXX";
        dir = mkdtemp(pattern);
        path = dir + "/picture.pcx";
    }
    void TearDown() override { std::filesystem::remove_all(dir); }
    Read read(const Bytes& b) { return try_pcx(b, path, seconds); }
};

TEST_F(PcxCheck, HugeHeadersAreRefusedBeforeTheReader)
{
    // 6 KB saying 65536x65536 (and 65536x21846) with one byte a line, and 1.3 KB
    // saying 12000x12000: the reader overflowed or took seconds and a gigabyte.
    Bytes filler = runs(63 * 3000, 1);
    EXPECT_EQ(read(make_pcx(65536, 65536, 1, 1, filler)), Read::Refused);
    EXPECT_EQ(read(make_pcx(65536, 21846, 1, 1, filler)), Read::Refused);
    Bytes small = runs(63 * 600, 1);
    EXPECT_EQ(read(make_pcx(12000, 12000, 12000, 1, small)), Read::Refused);
    EXPECT_EQ(problem(make_pcx(12000, 12000, 12000, 1, small)), "sides out of range");
}

TEST_F(PcxCheck, EdgesOfTheSides)
{
    EXPECT_EQ(read(make_pcx(4096, 2, 4096, 1, rows(2, 4096, 3))), Read::Right);
    EXPECT_EQ(problem(make_pcx(4097, 2, 4097, 1, rows(2, 4097, 3))), "sides out of range");
    EXPECT_EQ(read(make_pcx(2, 4096, 2, 1, rows(4096, 2, 3))), Read::Right);
    EXPECT_EQ(problem(make_pcx(2, 4097, 2, 1, rows(4097, 2, 3))), "sides out of range");
    EXPECT_EQ(problem(make_pcx(0, 5, 2, 1, rows(5, 2, 3))), "sides out of range");
    // A line of fewer bytes than the picture is wide leaves pixels unset.
    EXPECT_EQ(problem(make_pcx(8, 2, 7, 1, rows(2, 7, 3))), "lines shorter than the picture");
    EXPECT_EQ(problem(make_pcx(8, 2, 8, 1, rows(2, 8, 3))), "");
    // More rows than the data can describe at 63 bytes a run.
    EXPECT_EQ(problem(make_pcx(4096, 4096, 4096, 1, runs(63 * 1000, 3))), "more picture than data");
}

TEST_F(PcxCheck, FilesTheReaderReadsRightAreAccepted)
{
    // A run longer than its row ends with the row, as load_pcx reads it; the
    // earlier check counted it into the next row and then wanted the palette.
    Bytes rowRun = make_pcx(4, 2, 4, 1, {0xC8, 5, 7, 7, 7, 7});
    EXPECT_EQ(problem(rowRun), "");
    EXPECT_EQ(read(rowRun), Read::Right);
    // Bytes between the picture and the palette marker are skipped by the reader.
    Bytes padded = make_pcx(4, 2, 4, 1, {5, 5, 5, 5, 7, 7, 7, 7}, true, {1, 2, 3});
    EXPECT_EQ(problem(padded), "");
    EXPECT_EQ(read(padded), Read::Right);
    // A 24-bit picture as Allegro itself saves it.
    BITMAP* image = create_bitmap(30, 20);
    clear_to_color(image, makecol(10, 200, 30));
    save_pcx(path.c_str(), image, nullptr);
    destroy_bitmap(image);
    EXPECT_TRUE(pcx_complete(path.c_str()));
}

TEST_F(PcxCheck, FilesTheReaderWouldMisreadAreRefused)
{
    Bytes good = make_pcx(4, 2, 4, 1, {5, 5, 5, 5, 7, 7, 7, 7});
    EXPECT_EQ(problem(make_pcx(4, 2, 4, 1, {5, 5, 5, 5, 7, 7, 7, 7}, false)), "no palette");
    EXPECT_EQ(problem(Bytes(good.begin(), good.end() - 1)), "no palette");
    EXPECT_EQ(problem(Bytes(good.begin(), good.begin() + 134)), "cut short");
    EXPECT_EQ(problem(make_pcx(4, 2, 4, 1, {5, 5, 5, 5, 7, 7, 7, 0xC3}, false)), "cut short");
    Bytes twoBits = good;
    twoBits[3] = 2;
    EXPECT_EQ(problem(twoBits), "a colour format the reader does not know");
    Bytes fourPlanes = good;
    fourPlanes[65] = 4;
    EXPECT_EQ(problem(fourPlanes), "a colour format the reader does not know");
    EXPECT_FALSE(pcx_complete((dir + "/none.pcx").c_str()));
    ASSERT_EQ(mkfifo((dir + "/fifo.pcx").c_str(), 0600), 0);
    EXPECT_FALSE(pcx_complete((dir + "/fifo.pcx").c_str()));
}

Bytes read_file(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    return Bytes(std::istreambuf_iterator<char>(in), {});
}

TEST_F(PcxCheck, MutatedPicturesNeverCrashHangOrMisread)
{
    const char* value = std::getenv("KARVELLE_FUZZ_PCX");
    const int perPicture = value && std::atoi(value) > 0 ? std::atoi(value) : 200;
    std::mt19937 random(8122026);
    static const int edges[] = {0, 1, 2, 0x7F, 0x80, 0xFF, 0x1000, 0x1001, 0x7FFF, 0xFFFF};
    int tried = 0, refused = 0, right = 0, wrong = 0, crashed = 0, hung = 0;
    double longest = 0;
    for (const char* name : {"graphics/screens/scene1.pcx", "graphics/spritesheet.pcx"}) {
        Bytes original = read_file(std::string(KARVELLE_TEST_DATA_DIR) + "/" + name);
        ASSERT_GT(original.size(), 128u) << "build the data first";
        for (int i = 0; i < perPicture; ++i) {
            Bytes b = original;
            switch (random() % 4) {
            case 0: {  // a header word set to an edge value
                int at = 2 * (random() % 64);
                int v = edges[random() % std::size(edges)];
                b[at] = v & 0xFF;
                b[at + 1] = (v >> 8) & 0xFF;
                break;
            }
            case 1:  // bytes flipped anywhere
                for (int n = 1 + random() % 8; n > 0; --n) b[random() % b.size()] ^= 1 << (random() % 8);
                break;
            case 2:  // run bytes turned into longer or empty runs
                for (int n = 1 + random() % 8; n > 0; --n) b[128 + random() % (b.size() - 128)] = 0xC0 | (random() % 64);
                break;
            default:  // cut short
                b.resize(random() % b.size());
                break;
            }
            double s = 0;
            Read r = try_pcx(b, path, s);
            ++tried;
            longest = std::max(longest, s);
            refused += r == Read::Refused;
            right += r == Read::Right;
            wrong += r == Read::Wrong;
            crashed += r == Read::Crashed;
            hung += r == Read::Hung;
            EXPECT_TRUE(r == Read::Refused || r == Read::Right) << name << " mutant " << i << ": " << int(r);
        }
    }
    std::printf("pcx fuzz: %d tried, %d refused, %d read right, %d misread, %d crashed, %d hung; longest %.3f s\n",
                tried, refused, right, wrong, crashed, hung, longest);
    EXPECT_GT(right, tried / 10);
}

}  // namespace
