#include <gtest/gtest.h>

#include <cstdlib>

#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

#include <csignal>
#include <cstdio>
#include <filesystem>
#include <cstring>
#include <fstream>
#include <random>
#include <sstream>
#include <string>

#include "core/game_state.h"
#include "frame/profile.h"

namespace {

class ProfileTest : public ::testing::Test {
protected:
    std::string dir;
    std::string path;

    void SetUp() override
    {
        char pattern[] = "/tmp/karvelle-profile.XXXXXX";
        dir = mkdtemp(pattern);
        path = dir + "/profile.dat";
        game = GameState{};
        read_profile_from(path.c_str());  // nothing there: forget any earlier unreadable profile
    }
    void TearDown() override
    {
        chmod(dir.c_str(), 0700);
        std::filesystem::remove_all(dir);
    }
    int files_in_dir()
    {
        int count = 0;
        for (auto& entry : std::filesystem::directory_iterator(dir)) count += entry.exists() || entry.is_symlink();
        return count;
    }
    void write_file(const std::string& text)
    {
        std::ofstream(path, std::ios::binary) << text;
    }
    std::string read_file()
    {
        std::ifstream in(path, std::ios::binary);
        std::stringstream text;
        text << in.rdbuf();
        return text.str();
    }
    std::string found()
    {
        std::string s;
        for (int n = 1; n <= 8; ++n) s += game.endingsFound[n] ? '1' : '0';
        return s;
    }
};

}  // namespace

TEST_F(ProfileTest, SomeEndingsOpenTheContinuePrompt)
{
    write_file("1\n0\n0\n1\n0\n0\n0\n0\n");
    read_profile_from(path.c_str());
    EXPECT_EQ(found(), "10010000");
    EXPECT_EQ(game.endingsCount, 2);
    EXPECT_EQ(game.eventCode, 40);
}

TEST_F(ProfileTest, AllEightAreWipedButTheCountStays)
{
    write_file("1\n1\n1\n1\n1\n1\n1\n1\n");
    read_profile_from(path.c_str());
    EXPECT_EQ(found(), "00000000");
    EXPECT_EQ(game.endingsCount, 8);
    EXPECT_EQ(game.eventCode, 0);
    ASSERT_TRUE(write_profile_to(path.c_str()));
    EXPECT_EQ(read_file(), "0\n0\n0\n0\n0\n0\n0\n0\n");
}

TEST_F(ProfileTest, NoneFoundEmptyOrMissingGiveTheTitle)
{
    for (const char* text : {"0\n0\n0\n0\n0\n0\n0\n0\n", ""}) {
        write_file(text);
        game.eventCode = 99;
        read_profile_from(path.c_str());
        EXPECT_EQ(found(), "00000000");
        EXPECT_EQ(game.eventCode, 0);
    }
    std::remove(path.c_str());
    game = GameState{};
    game.endingsFound[3] = true;
    read_profile_from(path.c_str());
    EXPECT_EQ(found(), "00000000");
    EXPECT_EQ(game.endingsCount, 0);
    EXPECT_EQ(game.eventCode, 0);
}

TEST_F(ProfileTest, WhiteSpaceBetweenValuesIsSkipped)
{
    for (const char* text : {"0 1 0 1 0 0 0 0", "0\r\n1\r\n0\r\n1\r\n0\r\n0\r\n0\r\n0\r\n", "\t0\n\n 1 0\t1 0 0 0 0"}) {
        write_file(text);
        read_profile_from(path.c_str());
        EXPECT_EQ(found(), "01010000") << text;
        EXPECT_EQ(game.eventCode, 40);
    }
}

TEST_F(ProfileTest, ABadValueReadsAsNotFoundAndTheRestCount)
{
    struct Case { const char* text; const char* expected; };
    for (Case c : {Case{"1\n2\n1\n1\n1\n1\n1\n1\n", "10111111"}, {"1\n1\n-1\n1\n", "11010000"},
                   {"1\n1\nx\n1\n", "11010000"}, {"1\n1\n99999999999999999999\n1\n", "11010000"},
                   {"1\n1\n1", "11100000"}, {"0\n1x\n1\n", "00100000"}, {"1 1 0 1 2 1 1 1", "11010111"}}) {
        write_file(c.text);
        read_profile_from(path.c_str());
        EXPECT_EQ(found(), c.expected) << c.text;
    }
}

TEST_F(ProfileTest, ABadEntryLosesNoEndingAfterItWhenWrittenBack)
{
    write_file("1 1 0 1 2 1 1 1");
    read_profile_from(path.c_str());
    EXPECT_EQ(game.eventCode, 40);
    EXPECT_TRUE(write_profile_to(path.c_str()));
    EXPECT_EQ(read_file(), "1\n1\n0\n1\n0\n1\n1\n1\n");
}

TEST_F(ProfileTest, RandomBytesNeverSetEntriesOutsideOneToEight)
{
    std::mt19937 random(12345);
    for (int round = 0; round < 300; ++round) {
        std::string text(random() % 64, '\0');
        for (char& c : text) c = char(random() % 256);
        write_file(text);
        read_profile_from(path.c_str());
        EXPECT_FALSE(game.endingsFound[0]);
        EXPECT_FALSE(game.endingsFound[9]);
        EXPECT_TRUE(game.eventCode == 0 || game.eventCode == 40);
    }
}

TEST_F(ProfileTest, WriterWritesEightLinesAndReadsBack)
{
    game.endingsFound[3] = true;
    game.endingsFound[8] = true;
    ASSERT_TRUE(write_profile_to(path.c_str()));
    EXPECT_EQ(read_file(), "0\n0\n1\n0\n0\n0\n0\n1\n");
    game = GameState{};
    read_profile_from(path.c_str());
    EXPECT_EQ(found(), "00100001");
}

TEST_F(ProfileTest, AFailedWriteLeavesTheOldProfile)
{
    write_file("1\n1\n0\n0\n0\n0\n0\n0\n");
    // A file-size limit of four bytes fails the write half way, whoever runs the
    // test, as a full disk would.
    struct rlimit old{};
    getrlimit(RLIMIT_FSIZE, &old);
    auto oldHandler = signal(SIGXFSZ, SIG_IGN);
    struct rlimit tiny = {4, old.rlim_max};
    setrlimit(RLIMIT_FSIZE, &tiny);
    game.endingsFound[5] = true;
    bool written = write_profile_to(path.c_str());
    setrlimit(RLIMIT_FSIZE, &old);
    signal(SIGXFSZ, oldHandler);
    EXPECT_FALSE(written);
    EXPECT_EQ(read_file(), "1\n1\n0\n0\n0\n0\n0\n0\n");
    EXPECT_EQ(files_in_dir(), 1) << "the temporary file stays behind";
}

TEST_F(ProfileTest, AProfileThatIsADirectoryIsNeverReplaced)
{
    ASSERT_EQ(mkdir(path.c_str(), 0700), 0);
    read_profile_from(path.c_str());
    EXPECT_EQ(game.eventCode, 0);
    game.endingsFound[2] = true;
    EXPECT_FALSE(write_profile_to(path.c_str()));
    struct stat info{};
    ASSERT_EQ(stat(path.c_str(), &info), 0);
    EXPECT_TRUE(S_ISDIR(info.st_mode));
}

TEST_F(ProfileTest, AnUnreadableProfileIsNotOverwritten)
{
    write_file("1\n1\n1\n0\n0\n0\n0\n0\n");
    chmod(path.c_str(), 0200);
    if (access(path.c_str(), R_OK) == 0) GTEST_SKIP() << "running as a user who can read anything";
    read_profile_from(path.c_str());
    EXPECT_FALSE(write_profile_to(path.c_str()));
    chmod(path.c_str(), 0600);
    EXPECT_EQ(read_file(), "1\n1\n1\n0\n0\n0\n0\n0\n");
}

namespace {

// What the reader must make of a profile, written another way: values are the
// words of a C++ stream; one that is not a whole number equal to 1 is not found,
// and the words after it still count.
std::string model_of(const std::string& text, int& eventCode)
{
    std::istringstream in(text);
    std::string found = "00000000";
    std::string word;
    for (int n = 0; n < 8 && in >> word; ++n) {
        size_t digits = word[0] == '+' || word[0] == '-' ? 1 : 0;
        bool number = digits < word.size() && word.find_first_not_of("0123456789", digits) == std::string::npos;
        std::string magnitude = number ? word.substr(word.find_first_not_of('0', digits) == std::string::npos
                                                         ? word.size()
                                                         : word.find_first_not_of('0', digits))
                                       : "";
        found[n] = number && word[0] != '-' && magnitude == "1" ? '1' : '0';
    }
    int count = 0;
    for (char c : found) count += c == '1';
    eventCode = count == 0 || count > 7 ? 0 : 40;
    if (eventCode == 0) found = "00000000";
    return found;
}

}  // namespace

// A million by default; KARVELLE_FUZZ_PROFILES sets another number.
TEST(ProfileFuzzTest, GeneratedProfilesReadAsTheModelSays)
{
    const char* wanted = std::getenv("KARVELLE_FUZZ_PROFILES");
    const int rounds = wanted && std::atoi(wanted) > 0 ? std::atoi(wanted) : 1000000;
    // Pieces a profile is made of, good and bad, drawn at random.
    const std::vector<std::string> pieces = {"0", "1", "0", "1", "\n", "\r\n", " ", "\t", "\v", "2", "-", "+", "x",
                                             "00", "01", "10", "-0", "+1", "99999999999999999999999", std::string(1, '\0'),
                                             "\xff", "1\n", "0\n", ".", "1e3", "\f"};
    std::mt19937 random(20261208);
    char buffer[512];
    for (int round = 0; round < rounds; ++round) {
        std::string text;
        int length = random() % 24;
        for (int i = 0; i < length; ++i) text += pieces[random() % pieces.size()];
        if (text.size() > sizeof buffer) text.resize(sizeof buffer);
        std::memcpy(buffer, text.data(), text.size());

        FILE* file = text.empty() ? std::fopen("/dev/null", "r") : fmemopen(buffer, text.size(), "r");
        ASSERT_NE(file, nullptr);
        game.endingsFound[0] = game.endingsFound[9] = false;
        read_profile_stream(file);
        std::fclose(file);

        int expectedCode;
        std::string expected = model_of(text, expectedCode);
        std::string actual;
        for (int n = 1; n <= 8; ++n) actual += game.endingsFound[n] ? '1' : '0';
        ASSERT_EQ(actual, expected) << "profile bytes: " << ::testing::PrintToString(text);
        ASSERT_EQ(game.eventCode, expectedCode) << ::testing::PrintToString(text);
        ASSERT_FALSE(game.endingsFound[0] || game.endingsFound[9]);
    }
}
