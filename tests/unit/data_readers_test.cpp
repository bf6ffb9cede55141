// The data readers that parse what they read once: sound effects decoded from
// the bytes read (and refused with no frames or a rate out of range), fonts
// opened from memory (and refused without a Unicode character map), and files
// that are not regular files refused at once instead of waited on; the file in
// memory they read from.
#include <gtest/gtest.h>

#include <allegro.h>
#include <sys/stat.h>
#include <unistd.h>

#include <chrono>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

#include "audio/sound.h"
#include "core/memory_packfile.h"
#include "text/text.h"
#include "test_support.h"

namespace {

using Clock = std::chrono::steady_clock;

// A PCM WAV of `frames` frames, with the data chunk's size field and the rate as given.
std::string wav(uint32_t frames, int bits, uint32_t rate, uint32_t dataSize)
{
    std::string bytes;
    auto u32 = [&](uint32_t v) { for (int i = 0; i < 4; ++i) bytes += char((v >> (8 * i)) & 0xff); };
    auto u16 = [&](uint16_t v) { for (int i = 0; i < 2; ++i) bytes += char((v >> (8 * i)) & 0xff); };
    uint32_t frameBytes = uint32_t(bits / 8);
    bytes += "RIFF";
    u32(36 + frames * frameBytes);
    bytes += "WAVEfmt ";
    u32(16);
    u16(1);
    u16(1);
    u32(rate);
    u32(rate * frameBytes);
    u16(uint16_t(frameBytes));
    u16(uint16_t(bits));
    bytes += "data";
    u32(dataSize);
    for (uint32_t i = 0; i < frames * frameBytes; ++i) bytes += char(i * 37);
    return bytes;
}

class DataReaders : public ::testing::Test {
protected:
    void SetUp() override
    {
        ensure_allegro();
        char pattern[] = "/tmp/karvelle-readers.XXXXXX";
        ASSERT_NE(mkdtemp(pattern), nullptr);
        folder = pattern;
    }
    void TearDown() override { std::filesystem::remove_all(folder); }

    std::string write(const std::string& name, const std::string& bytes)
    {
        std::string path = folder + "/" + name;
        std::ofstream(path, std::ios::binary) << bytes;
        return path;
    }

    std::string folder;
};

TEST_F(DataReaders, SoundEffectsWithoutFramesOrWithOddRatesAreRefused)
{
    std::string problem;
    SAMPLE* good = load_checked_sample(write("good.wav", wav(500, 16, 22050, 1000)).c_str(), problem);
    ASSERT_NE(good, nullptr) << problem;
    EXPECT_EQ(good->len, 500u);
    EXPECT_EQ(good->freq, 22050);
    destroy_sample(good);

    struct Case {
        const char* name;
        std::string bytes;
        const char* why;
    } cases[] = {
        {"empty data chunk", wav(0, 16, 22050, 0), "no frames"},
        {"8-bit empty data chunk", wav(0, 8, 22050, 0), "no frames"},
        {"16-bit size 0xFFFFFFFF", wav(100, 16, 22050, 0xFFFFFFFF), "no frames"},
        {"rate 0", wav(100, 16, 0, 200), "rate of 0 Hz"},
        {"rate 1", wav(100, 16, 1, 200), "rate of 1 Hz"},
        {"rate 999", wav(100, 16, 999, 200), "rate of 999 Hz"},
        {"rate 192001", wav(100, 16, 192001, 200), "rate of 192001 Hz"},
        {"rate 2^31", wav(100, 16, 0x80000000u, 200), "outside"},
    };
    for (const Case& c : cases) {
        problem.clear();
        EXPECT_EQ(load_checked_sample(write("bad.wav", c.bytes).c_str(), problem), nullptr) << c.name;
        EXPECT_NE(problem.find(c.why), std::string::npos) << c.name << ": " << problem;
    }
    problem.clear();
    SAMPLE* edge = load_checked_sample(write("edge.wav", wav(10, 8, 1000, 10)).c_str(), problem);
    EXPECT_NE(edge, nullptr) << "1000 Hz is in range: " << problem;
    if (edge) destroy_sample(edge);
}

TEST_F(DataReaders, AFifoIsRefusedAtOnce)
{
    std::string path = folder + "/fifo";
    ASSERT_EQ(mkfifo(path.c_str(), 0600), 0);
    auto started = Clock::now();
    std::string problem;
    EXPECT_EQ(load_checked_sample(path.c_str(), problem), nullptr);
    EXPECT_EQ(problem, "not a regular file");
    EXPECT_EQ(face_open_file(path.c_str()), nullptr);
    EXPECT_LT(Clock::now() - started, std::chrono::seconds(2)) << "waited on the FIFO";
}

// The game's font with every character map marked as Microsoft Symbol, so it
// has no Unicode map left.
std::string without_unicode_map(std::string font)
{
    auto u16 = [&](size_t at) { return unsigned((uint8_t(font[at]) << 8) | uint8_t(font[at + 1])); };
    auto u32 = [&](size_t at) { return (uint32_t(u16(at)) << 16) | u16(at + 2); };
    unsigned tables = u16(4);
    for (unsigned t = 0; t < tables; ++t) {
        size_t record = 12 + 16 * size_t(t);
        if (font.compare(record, 4, "cmap") != 0) continue;
        size_t cmap = u32(record + 8);
        unsigned maps = u16(cmap + 2);
        for (unsigned m = 0; m < maps; ++m) {
            size_t entry = cmap + 4 + 8 * size_t(m);
            font[entry] = 0;
            font[entry + 1] = 3;  // Microsoft
            font[entry + 2] = 0;
            font[entry + 3] = 0;  // Symbol
        }
    }
    return font;
}

TEST_F(DataReaders, AFontWithoutAUnicodeMapIsRefused)
{
    std::string path = std::string(KARVELLE_TEST_DATA_DIR) + "/graphics/font.ttf";
    std::ifstream in(path, std::ios::binary);
    std::string font(std::istreambuf_iterator<char>(in), {});
    ASSERT_GT(font.size(), 1000u);
    FontFace* face = face_open_file(write("good.ttf", font).c_str());
    ASSERT_NE(face, nullptr);
    EXPECT_EQ(face_set_height(face, 28), 0);
    EXPECT_GT(face_text_width(face, "Karvelle"), 0);

    std::string crafted = without_unicode_map(font);
    ASSERT_NE(crafted, font) << "the font has no character map to change";
    EXPECT_EQ(face_open_file(write("symbol.ttf", crafted).c_str()), nullptr);
    EXPECT_EQ(face_open_memory(std::make_shared<const std::string>(crafted)), nullptr);
}

TEST_F(DataReaders, FacesShareTheBytesReadOnce)
{
    std::string path = std::string(KARVELLE_TEST_DATA_DIR) + "/graphics/font.ttf";
    std::ifstream in(path, std::ios::binary);
    auto bytes = std::make_shared<const std::string>(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    FontFace* small = face_open_memory(bytes);
    FontFace* large = face_open_memory(bytes);
    ASSERT_NE(small, nullptr);
    ASSERT_NE(large, nullptr);
    bytes.reset();  // the faces keep them
    EXPECT_EQ(face_set_height(small, 20), 0);
    EXPECT_EQ(face_set_height(large, 102), 0);
    EXPECT_LT(face_text_width(small, "The End"), face_text_width(large, "The End"));
}

// The readers skip chunks with pack_fseek, which goes on from where the file stands.
TEST_F(DataReaders, TheMemoryFileSeeksFromWhereItStands)
{
    const std::string bytes = "abcdefghij";
    PACKFILE* file = open_memory_packfile(bytes);
    ASSERT_NE(file, nullptr);
    std::string read;
    for (int skip : {0, 3, 2, 0}) {
        EXPECT_EQ(pack_fseek(file, skip), 0);
        read += char(pack_getc(file));
    }
    EXPECT_EQ(read, "aehi");
    EXPECT_EQ(pack_fseek(file, -1), -1) << "no way back";
    EXPECT_EQ(pack_fseek(file, 100), 0);
    EXPECT_TRUE(pack_feof(file)) << "a seek past the end stops there";
    pack_fclose(file);
}

}  // namespace
