// The profile as a file among others: a FIFO or a read-only file in its place, a
// link to it, a link planted where a temporary file used to go, a second copy of
// the game saving in between, and the save the moment an ending is recorded.
#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <string>

#include "events/endings.h"
#include "core/game_state.h"
#include "frame/profile.h"
#include "test_support.h"

namespace fs = std::filesystem;

namespace {

class ProfileFiles : public ::testing::Test {
protected:
    std::string dir, path;

    void SetUp() override
    {
        char pattern[] = "/tmp/karvelle-profile-files.XXXXXX";
        dir = mkdtemp(pattern);
        path = dir + "/profile.dat";
        game = GameState{};
        read_profile_from(path.c_str());
    }
    void TearDown() override { fs::remove_all(dir); }

    std::string stderr_of(const std::function<void()>& action)
    {
        testing::internal::CaptureStderr();
        action();
        return testing::internal::GetCapturedStderr();
    }
};

TEST_F(ProfileFiles, AFifoIsNeitherWaitedForNorReplaced)
{
    ASSERT_EQ(mkfifo(path.c_str(), 0600), 0);
    auto start = std::chrono::steady_clock::now();
    std::string said = stderr_of([&] { read_profile_from(path.c_str()); });
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(2));
    EXPECT_EQ(game.eventCode, 0);
    EXPECT_NE(said.find("not a regular file"), std::string::npos) << said;
    game.endingsFound[4] = true;
    said = stderr_of([&] { EXPECT_FALSE(write_profile_to(path.c_str())); });
    EXPECT_EQ(said, "") << "told once, when read";
    EXPECT_TRUE(fs::is_fifo(path));
}

TEST_F(ProfileFiles, ALinkIsUpdatedAtItsTarget)
{
    fs::create_directory(dir + "/saves");
    put_file(dir + "/saves/mine.dat", "0\n1\n0\n0\n0\n0\n0\n0\n");
    fs::create_symlink("saves/mine.dat", path);
    read_profile_from(path.c_str());
    EXPECT_EQ(game.eventCode, 40);
    game.endingsFound[6] = true;
    ASSERT_TRUE(write_profile_to(path.c_str()));
    EXPECT_TRUE(fs::is_symlink(path));
    EXPECT_EQ(file_text(dir + "/saves/mine.dat"), "0\n1\n0\n0\n0\n1\n0\n0\n");
}

TEST_F(ProfileFiles, ALinkPlantedBesideTheProfileIsNotFollowed)
{
    put_file(dir + "/precious", "keep me");
    fs::create_symlink(dir + "/precious", path + ".tmp");
    game.endingsFound[1] = true;
    ASSERT_TRUE(write_profile_to(path.c_str()));
    EXPECT_EQ(file_text(dir + "/precious"), "keep me");
    EXPECT_EQ(file_text(path), "1\n0\n0\n0\n0\n0\n0\n0\n");
    // Nothing but the profile, the planted link and its target is left behind.
    EXPECT_EQ(std::distance(fs::directory_iterator(dir), fs::directory_iterator()), 3);
}

TEST_F(ProfileFiles, TheNewProfileKeepsTheOldPermissions)
{
    put_file(path, "0\n0\n0\n0\n0\n0\n0\n0\n");
    chmod(path.c_str(), 0640);
    game.endingsFound[2] = true;
    ASSERT_TRUE(write_profile_to(path.c_str()));
    EXPECT_EQ(fs::status(path).permissions() & fs::perms::all,
              fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
}

TEST_F(ProfileFiles, AReadOnlyProfileIsLeftAsItIs)
{
    put_file(path, "1\n0\n0\n0\n0\n0\n0\n0\n");
    chmod(path.c_str(), 0444);
    read_profile_from(path.c_str());
    game.endingsFound[7] = true;
    std::string said = stderr_of([&] {
        EXPECT_FALSE(write_profile_to(path.c_str()));
        EXPECT_FALSE(write_profile_to(path.c_str()));
    });
    EXPECT_EQ(file_text(path), "1\n0\n0\n0\n0\n0\n0\n0\n");
    EXPECT_NE(said.find("read-only"), std::string::npos);
    EXPECT_EQ(std::count(said.begin(), said.end(), '\n'), 1) << "told once: " << said;
}

TEST_F(ProfileFiles, EndingsAnotherCopySavedAreKept)
{
    put_file(path, "1\n0\n0\n0\n0\n0\n0\n0\n");
    read_profile_from(path.c_str());
    // Another copy of the game finds ending 5 and saves; this one then finds 3.
    put_file(path, "1\n0\n0\n0\n1\n0\n0\n0\n");
    game.endingsFound[3] = true;
    ASSERT_TRUE(write_profile_to(path.c_str()));
    EXPECT_EQ(file_text(path), "1\n0\n1\n0\n1\n0\n0\n0\n");
}

TEST_F(ProfileFiles, ClearingWithNStillWins)
{
    put_file(path, "1\n1\n0\n0\n0\n0\n0\n0\n");
    read_profile_from(path.c_str());
    clear_endings();
    put_file(path, "1\n1\n0\n0\n1\n0\n0\n0\n");
    ASSERT_TRUE(write_profile_to(path.c_str()));
    EXPECT_EQ(file_text(path), "0\n0\n0\n0\n0\n0\n0\n0\n");
}

TEST_F(ProfileFiles, AllEightWipedAtStartUpStayWiped)
{
    put_file(path, "1\n1\n1\n1\n1\n1\n1\n1\n");
    read_profile_from(path.c_str());
    ASSERT_TRUE(write_profile_to(path.c_str()));
    EXPECT_EQ(file_text(path), "0\n0\n0\n0\n0\n0\n0\n0\n");
}

TEST_F(ProfileFiles, AnEndingIsSavedTheMomentItIsRecorded)
{
    put_file(path, "0\n0\n1\n0\n0\n0\n0\n0\n");
    read_profile_from(path.c_str());
    EXPECT_FALSE(save_profile_if_changed_to(path.c_str())) << "nothing new";
    game.endingsFound[7] = true;
    EXPECT_TRUE(save_profile_if_changed_to(path.c_str()));
    EXPECT_EQ(file_text(path), "0\n0\n1\n0\n0\n0\n1\n0\n");
    fs::remove(path);
    EXPECT_FALSE(save_profile_if_changed_to(path.c_str())) << "saved once per change";
    EXPECT_FALSE(fs::exists(path));
}

}  // namespace
