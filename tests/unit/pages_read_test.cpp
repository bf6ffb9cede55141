// The pages read, in their own file beside the profile: what is written reads
// back, code 2 counts once per form, and no crafted file in its place (a link to
// the profile, a FIFO, junk, a huge file) ever reaches the profile.
#include <gtest/gtest.h>

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <string>

#include "core/game_state.h"
#include "events/pages_read.h"
#include "frame/profile.h"
#include "test_support.h"

namespace fs = std::filesystem;

namespace {

class PagesRead : public ::testing::Test {
protected:
    TempDir folder{"pages-read"};
    std::string dir = folder.path, pages = dir + "/pages-read.dat", profile = dir + "/profile.dat";

    void SetUp() override { forget_pages_read(); }
    void TearDown() override { forget_pages_read(); }
};

TEST_F(PagesRead, WhatIsWrittenReadsBackAndCode2CountsOncePerForm)
{
    mark_page_read(11, 0);
    mark_page_read(2, 1);
    mark_page_read(2, 9);  // six or more endings: one form
    mark_page_read(0, 0);  // the title, the prompt and the end page are no pages to read
    mark_page_read(40, 0);
    mark_page_read(77, 0);
    ASSERT_TRUE(save_pages_read_if_changed_to(pages.c_str()));
    EXPECT_FALSE(save_pages_read_if_changed_to(pages.c_str())) << "nothing new to write";
    EXPECT_EQ(file_text(pages), "11\n2.1\n2.6\n");

    forget_pages_read();
    read_pages_read_from(pages.c_str());
    EXPECT_TRUE(page_was_read(11, 5)) << "a page of one form is read whatever the count";
    EXPECT_TRUE(page_was_read(2, 1));
    EXPECT_TRUE(page_was_read(2, 7));
    EXPECT_FALSE(page_was_read(2, 0)) << "code 2 with no ending found reads otherwise";
    EXPECT_FALSE(page_was_read(1, 0));

    // Another copy of the game read other pages meanwhile: both are kept.
    put_file(pages, "1\n11\n");
    mark_page_read(4, 0);
    ASSERT_TRUE(save_pages_read_if_changed_to(pages.c_str()));
    EXPECT_EQ(file_text(pages), "1\n11\n2.1\n2.6\n4\n");
}

TEST_F(PagesRead, ASaveInPlayNeverWaitsForAnotherCopysLock)
{
    const int held = open(dir.c_str(), O_RDONLY | O_DIRECTORY);
    ASSERT_EQ(flock(held, LOCK_EX), 0);
    mark_page_read(5, 0);
    EXPECT_FALSE(save_pages_read_if_changed_to(pages.c_str())) << "the lock is held";
    EXPECT_FALSE(fs::exists(pages));
    flock(held, LOCK_UN);
    EXPECT_TRUE(save_pages_read_if_changed_to(pages.c_str())) << "the next frame saves";
    EXPECT_EQ(file_text(pages), "5\n");
    close(held);
}

TEST_F(PagesRead, CraftedFilesAreReadAsFarAsTheyNamePagesAndNeverHarmTheProfile)
{
    const std::string endings = "1\n0\n0\n1\n0\n0\n0\n0\n";
    put_file(profile, endings);
    const struct { const char* text; const char* kept; } cases[] = {
        {"", ""},
        {"junk\n\x01\xff\n-3\n0\n40\n42\n43\n2.7\n2.-1\n2\n11.0\n 5\n9x\n1e1\n+4\n", ""},
        {"3\r\n2.0\r\n12\n12\n", "12\n2.0\n3\n"},
        {"99999999999999999999\n41\n", "41\n"},
    };
    for (const auto& c : cases) {
        put_file(pages, c.text);
        forget_pages_read();
        read_pages_read_from(pages.c_str());
        EXPECT_EQ(pages_read_text(), c.kept) << c.text;
    }

    // A file too large to be a list of pages counts nothing, and is replaced.
    put_file(pages, std::string(200000, '1'));
    read_pages_read_from(pages.c_str());
    EXPECT_EQ(pages_read_text(), "");
    mark_page_read(1, 0);
    EXPECT_TRUE(write_pages_read_to(pages.c_str()));
    EXPECT_EQ(file_text(pages), "1\n");

    // A link to the profile in its place is neither read nor written through.
    fs::remove(pages);
    fs::create_symlink(profile, pages);
    testing::internal::CaptureStderr();
    read_pages_read_from(pages.c_str());
    EXPECT_FALSE(page_was_read(1, 0)) << "the profile's \"1\" is no page read";
    mark_page_read(1, 0);
    EXPECT_FALSE(write_pages_read_to(pages.c_str()));
    EXPECT_NE(testing::internal::GetCapturedStderr(), "");
    EXPECT_TRUE(fs::is_symlink(pages));

    // A FIFO is not waited for.
    fs::remove(pages);
    ASSERT_EQ(mkfifo(pages.c_str(), 0600), 0);
    testing::internal::CaptureStderr();
    read_pages_read_from(pages.c_str());
    mark_page_read(6, 0);
    EXPECT_FALSE(write_pages_read_to(pages.c_str()));
    testing::internal::GetCapturedStderr();

    // The profile is untouched, and still reads as it was.
    EXPECT_EQ(file_text(profile), endings);
    game = GameState{};
    read_profile_from(profile.c_str());
    EXPECT_TRUE(game.endingsFound[1] && game.endingsFound[4]);
    EXPECT_EQ(game.endingsCount, 2);
}

}  // namespace
