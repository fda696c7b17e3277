// The suites' temporary folder: its own, and gone with all it holds when its
// owner goes, even what a test left without permissions; nothing outside it.
#include "support/temp_dir.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

namespace {

namespace fs = std::filesystem;
using veldronix::testing_support::readWhole;
using veldronix::testing_support::TempDir;

TEST(TempDir, isANewFolderForItsOwnerAlone)
{
    const TempDir one;
    const TempDir two;
    ASSERT_NE(one.path(), "");
    EXPECT_NE(one.path(), two.path());
    EXPECT_TRUE(fs::is_directory(one.path()));
    EXPECT_TRUE(fs::is_empty(one.path()));
    EXPECT_EQ(fs::status(one.path()).permissions(), fs::perms::owner_all);
    EXPECT_EQ(one.file("a b"), one.path() + "/a b");
}

TEST(TempDir, writesWholeFilesAndReadsThemBack)
{
    const TempDir dir;
    const std::string text("line\r\n\0\xff", 8);
    const std::string path = dir.write("プロット.txt", text);
    EXPECT_EQ(path, dir.file("プロット.txt"));
    EXPECT_EQ(readWhole(path), text);
    dir.write("プロット.txt", "");
    EXPECT_EQ(readWhole(path), "");
    EXPECT_EQ(readWhole(dir.file("missing")), "");
}

TEST(TempDir, removesAllItHoldsEvenWithoutPermissions)
{
    std::string path;
    {
        const TempDir dir;
        path = dir.path();
        fs::create_directories(dir.file("a/b/c"));
        dir.write("a/b/c/deep", "x");
        dir.write("a/locked-file", "x");
        fs::permissions(dir.file("a/locked-file"), fs::perms::none);
        // A folder that can be neither read nor written nor searched, with a file in it.
        fs::create_directory(dir.file("shut"));
        dir.write("shut/inside", "x");
        fs::permissions(dir.file("shut"), fs::perms::none);
        fs::permissions(dir.file("a/b"), fs::perms::owner_read | fs::perms::owner_exec);
    }
    EXPECT_FALSE(fs::exists(path));
}

TEST(TempDir, removesLinksButNotWhatTheyPointTo)
{
    const TempDir outside;
    outside.write("kept", "keep me");
    std::string path;
    {
        const TempDir dir;
        path = dir.path();
        fs::create_directory_symlink(outside.path(), dir.file("to-folder"));
        fs::create_symlink(outside.file("kept"), dir.file("to-file"));
    }
    EXPECT_FALSE(fs::exists(path));
    EXPECT_EQ(readWhole(outside.file("kept")), "keep me");
    EXPECT_EQ(fs::status(outside.path()).permissions(), fs::perms::owner_all);
}

} // namespace
