// Writing a file as a whole or not at all: the new contents take the target's
// name only when they are all on the disk; a failure leaves the folder as it was.
#include "io/file_replace.h"
#include "support/temp_dir.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <optional>
#include <set>
#include <string>

#include <unistd.h>

namespace veldronix::io {
namespace {

using testing_support::readWhole;
using testing_support::TempDir;

// The names of the entries of a folder.
std::set<std::string> entriesOf(const std::string& folder)
{
    std::set<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(folder)) {
        names.insert(entry.path().filename().string());
    }
    return names;
}

TEST(FileReplace, writesANewFileWhole)
{
    const TempDir dir;
    const std::string contents = "<svg>\n" + std::string(3 << 20, 'x') + std::string("\0\xff</svg>\n", 9); // over 3 MiB
    EXPECT_EQ(replaceFile(dir.file("プロット.svg"), contents), std::nullopt);
    EXPECT_EQ(readWhole(dir.file("プロット.svg")), contents);
    EXPECT_EQ(entriesOf(dir.path()), std::set<std::string>{"プロット.svg"});
}

TEST(FileReplace, replacesAnOldFileAndLeavesNoPartBehind)
{
    const TempDir dir;
    dir.write("plot.svg", "an old plot, longer than the new one");
    EXPECT_EQ(replaceFile(dir.file("plot.svg"), "new"), std::nullopt);
    EXPECT_EQ(readWhole(dir.file("plot.svg")), "new");
    EXPECT_EQ(replaceFile(dir.file("plot.svg"), ""), std::nullopt);
    EXPECT_TRUE(std::filesystem::exists(dir.file("plot.svg")));
    EXPECT_EQ(readWhole(dir.file("plot.svg")), "");
    EXPECT_EQ(entriesOf(dir.path()), std::set<std::string>{"plot.svg"});
}

// A file that already has the name of the new file beside the target (another
// run's) is passed over, never written or removed.
TEST(FileReplace, passesOverATakenNameBesideTheTarget)
{
    const TempDir dir;
    const std::string taken = "plot.svg.part-" + std::to_string(getpid()) + "-0";
    dir.write(taken, "another run's");
    EXPECT_EQ(replaceFile(dir.file("plot.svg"), "mine"), std::nullopt);
    EXPECT_EQ(readWhole(dir.file("plot.svg")), "mine");
    EXPECT_EQ(readWhole(dir.file(taken)), "another run's");
    EXPECT_EQ(entriesOf(dir.path()), (std::set<std::string>{"plot.svg", taken}));
}

TEST(FileReplace, failuresLeaveTheFolderAsItWas)
{
    const TempDir dir;
    dir.write("plain", "x");
    std::filesystem::create_directory(dir.file("folder"));
    dir.write("folder/inside", "kept");
    const struct {
        const char* name;
        std::string path;
        FileWriteError error;
    } cases[] = {
        {"no name", "", FileWriteError::CannotCreate},
        {"a NUL in the name", dir.file(std::string("a\0b", 3)), FileWriteError::CannotCreate},
        {"a missing folder", dir.file("missing/plot.svg"), FileWriteError::CannotCreate},
        {"a file as the folder", dir.file("plain/plot.svg"), FileWriteError::CannotCreate},
        {"a folder in the way", dir.file("folder"), FileWriteError::CannotReplace},
        {"the folder itself", dir.path() + "/", FileWriteError::CannotReplace},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(replaceFile(c.path, "new"), c.error) << c.name;
        EXPECT_EQ(entriesOf(dir.path()), (std::set<std::string>{"folder", "plain"})) << c.name;
    }
    EXPECT_EQ(readWhole(dir.file("plain")), "x");
    EXPECT_EQ(entriesOf(dir.file("folder")), std::set<std::string>{"inside"});
}

TEST(FileReplace, aFolderThatTakesNoNewFileKeepsTheOldOne)
{
    if (geteuid() == 0) {
        GTEST_SKIP() << "the superuser writes in any folder";
    }
    const TempDir dir;
    std::filesystem::create_directory(dir.file("shut"));
    dir.write("shut/plot.svg", "old");
    std::filesystem::permissions(dir.file("shut"),
                                 std::filesystem::perms::owner_read | std::filesystem::perms::owner_exec);
    EXPECT_EQ(replaceFile(dir.file("shut/plot.svg"), "new"), FileWriteError::CannotCreate);
    EXPECT_EQ(readWhole(dir.file("shut/plot.svg")), "old");
    EXPECT_EQ(entriesOf(dir.file("shut")), std::set<std::string>{"plot.svg"});
}

} // namespace
} // namespace veldronix::io
