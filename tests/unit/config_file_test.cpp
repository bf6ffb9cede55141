// Which configuration files reach Allegro's parser: the ten bytes that spun it
// for ever do not, nor anything but a small regular file of plain text.
#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <string>

#include "platform/files.h"

namespace fs = std::filesystem;

namespace {

class ConfigFile : public ::testing::Test {
protected:
    std::string dir, path;
    void SetUp() override
    {
        char pattern[] = "/tmp/karvelle-config.XXXXXX";
        dir = mkdtemp(pattern);
        path = dir + "/config.ini";
    }
    void TearDown() override { fs::remove_all(dir); }
    void put(const std::string& text) { std::ofstream(path, std::ios::binary) << text; }
    // Whether the file is usable, and what was said on stderr.
    bool usable(std::string& said)
    {
        testing::internal::CaptureStderr();
        bool ok = config_file_usable(path.c_str());
        said = testing::internal::GetCapturedStderr();
        return ok;
    }
};

TEST_F(ConfigFile, TheBytesThatHungTheParserAreIgnoredWithOneLine)
{
    put("\xf5[{\xea\xfd\x80\x9a\x9a\x9e\x92");
    std::string said;
    EXPECT_FALSE(usable(said));
    EXPECT_EQ(said, "Karvelle: " + path + " is ignored, as it is not plain text; the defaults are used\n");
}

TEST_F(ConfigFile, PlainConfigurationsPass)
{
    std::string said;
    put("[graphics]\nfullscreen = 0\n");
    EXPECT_TRUE(usable(said));
    put("[graphics]\r\n\tfullscreen=1 ; café ✓ \xF0\x9F\x98\x80\r\n");
    EXPECT_TRUE(usable(said));
    put("");
    EXPECT_TRUE(usable(said));
    EXPECT_EQ(said, "");
}

TEST_F(ConfigFile, MissingSaysNothing)
{
    std::string said;
    EXPECT_FALSE(usable(said));
    EXPECT_EQ(said, "");
}

TEST_F(ConfigFile, SizeLimitIsSixtyFourKilobytes)
{
    std::string said;
    put(std::string(CONFIG_MAX_BYTES, ' '));
    EXPECT_TRUE(usable(said));
    put(std::string(CONFIG_MAX_BYTES + 1, ' '));
    EXPECT_FALSE(usable(said));
    EXPECT_NE(said.find("larger than 64 KB"), std::string::npos);
}

TEST_F(ConfigFile, FoldersAndFifosAreIgnoredWithoutWaiting)
{
    std::string said;
    fs::create_directory(path);
    EXPECT_FALSE(usable(said));
    EXPECT_NE(said.find("not a regular file"), std::string::npos);
    fs::remove(path);
    ASSERT_EQ(mkfifo(path.c_str(), 0600), 0);
    auto start = std::chrono::steady_clock::now();
    EXPECT_FALSE(usable(said));
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(2));
}

TEST(PlainText, ControlBytesAndBrokenUtf8AreNotText)
{
    EXPECT_TRUE(plain_text("a = 1\n"));
    EXPECT_TRUE(plain_text("\xC3\xA9\xE2\x9C\x93\xF4\x8F\xBF\xBF"));  // é ✓ U+10FFFF
    for (const char* bad : {"\x01", "a\x7F", "\xC0\x80", "\xC3", "\xE2\x9C",
                            "\xED\xA0\x80", "\xF0\x80\x80\x80", "\xF4\x90\x80\x80", "\xF5\x80\x80\x80", "\x80",
                            "\xC3\x28"}) {
        EXPECT_FALSE(plain_text(bad)) << bad;
    }
    EXPECT_FALSE(plain_text(std::string("a\0b", 3)));
}

}  // namespace
