// Writing a file as a whole or not at all: the new contents take the target's
// name only when they are all on the disk; a failure leaves the folder as it was.
#include "io/file_replace.h"
#include "support/temp_dir.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <optional>
#include <set>
#include <string>

#include <sched.h>
#include <sys/mount.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <sys/un.h>
#include <sys/wait.h>
#include <unistd.h>

namespace veldronix::io {
namespace {

using testing_support::readWhole;
using testing_support::TempDir;

namespace fs = std::filesystem;

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
        {"a folder in the way", dir.file("folder"), FileWriteError::IsDirectory},
        {"the folder itself", dir.path() + "/", FileWriteError::IsDirectory},
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

// A symbolic link is followed to the file it finally names, which is replaced
// in its own folder; every link stays as it was.
TEST(FileReplace, followsSymbolicLinksToTheFileTheyName)
{
    const TempDir dir;
    fs::create_directory(dir.file("a"));
    fs::create_directory(dir.file("b"));
    dir.write("b/plot.svg", "old");
    const struct {
        const char* name;
        std::string link;     // the path given
        std::string replaced; // the file that gets the new contents
    } cases[] = {
        {"relative, from the link's own folder", dir.file("a/rel"), dir.file("b/plot.svg")},
        {"absolute", dir.file("a/abs"), dir.file("b/plot.svg")},
        {"a chain of links", dir.file("a/chain"), dir.file("b/plot.svg")},
        {"a link to nothing yet", dir.file("a/dangling"), dir.file("b/new.svg")},
    };
    fs::create_symlink("../b/plot.svg", dir.file("a/rel"));
    fs::create_symlink(dir.file("b/plot.svg"), dir.file("a/abs"));
    fs::create_symlink("rel", dir.file("a/chain"));
    fs::create_symlink("../b/new.svg", dir.file("a/dangling"));
    for (const auto& c : cases) {
        const std::string contents = std::string("new through ") + c.name;
        EXPECT_EQ(replaceFile(c.link, contents), std::nullopt) << c.name;
        EXPECT_EQ(readWhole(c.replaced), contents) << c.name;
        EXPECT_TRUE(fs::is_symlink(c.link)) << c.name;
    }
    EXPECT_EQ(fs::read_symlink(dir.file("a/rel")), "../b/plot.svg");
    EXPECT_EQ(fs::read_symlink(dir.file("a/chain")), "rel");
    EXPECT_EQ(entriesOf(dir.file("a")), (std::set<std::string>{"abs", "chain", "dangling", "rel"}));
    EXPECT_EQ(entriesOf(dir.file("b")), (std::set<std::string>{"new.svg", "plot.svg"}));
}

// What is no regular file is refused, through links too, and left exactly as it was.
TEST(FileReplace, refusesFoldersFifosSocketsAndLinkCircles)
{
    const TempDir dir;
    fs::create_directory(dir.file("folder"));
    ASSERT_EQ(mkfifo(dir.file("fifo").c_str(), 0600), 0);
    const int listener = socket(AF_UNIX, SOCK_STREAM, 0);
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    const std::string socketPath = dir.file("socket");
    ASSERT_LT(socketPath.size(), sizeof address.sun_path);
    socketPath.copy(address.sun_path, socketPath.size());
    ASSERT_EQ(bind(listener, reinterpret_cast<const sockaddr*>(&address), sizeof address), 0);
    fs::create_symlink("fifo", dir.file("to-fifo"));
    fs::create_symlink("folder", dir.file("to-folder"));
    fs::create_symlink("circle-b", dir.file("circle-a"));
    fs::create_symlink("circle-a", dir.file("circle-b"));
    const std::set<std::string> before = entriesOf(dir.path());
    const struct {
        const char* name;
        FileWriteError error;
    } cases[] = {
        {"folder", FileWriteError::IsDirectory},   {"to-folder", FileWriteError::IsDirectory},
        {"fifo", FileWriteError::IsFifo},          {"to-fifo", FileWriteError::IsFifo},
        {"socket", FileWriteError::IsSocket},      {"circle-a", FileWriteError::TooManyLinks},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(replaceFile(dir.file(c.name), "new"), c.error) << c.name;
    }
    close(listener);
    EXPECT_EQ(entriesOf(dir.path()), before);
    EXPECT_TRUE(fs::is_fifo(dir.file("fifo")));
    EXPECT_TRUE(fs::is_socket(dir.file("socket")));
    EXPECT_TRUE(fs::is_empty(dir.file("folder")));
}

// A replaced file keeps its permission bits (a private file stays private) and,
// where the process may set them, its owner and group.
TEST(FileReplace, keepsTheModeOwnerAndGroupOfTheOldFile)
{
    const TempDir dir;
    const bool superuser = geteuid() == 0;
    for (const mode_t mode : {0600, 0640, 0444, 0755, superuser ? 04750 : 0700}) {
        const std::string path = dir.write("plot.svg", "old");
        ASSERT_EQ(chmod(path.c_str(), 0644), 0);
        const uid_t owner = superuser ? 4321 : geteuid();
        const gid_t group = superuser ? 8765 : getegid();
        ASSERT_EQ(chown(path.c_str(), owner, group), 0);
        ASSERT_EQ(chmod(path.c_str(), mode), 0);
        EXPECT_EQ(replaceFile(path, "new"), std::nullopt) << std::oct << mode;
        struct stat status {};
        ASSERT_EQ(stat(path.c_str(), &status), 0);
        EXPECT_EQ(status.st_mode & 07777, mode) << std::oct << mode;
        EXPECT_EQ(status.st_uid, owner);
        EXPECT_EQ(status.st_gid, group);
        EXPECT_EQ(readWhole(path), "new");
        ASSERT_EQ(chmod(path.c_str(), 0600), 0);
        fs::remove(path);
    }
    // A new file gets what the process's file-creation mask leaves of 0666.
    const mode_t mask = umask(022);
    EXPECT_EQ(replaceFile(dir.file("fresh.svg"), "new"), std::nullopt);
    umask(mask);
    struct stat fresh {};
    ASSERT_EQ(stat(dir.file("fresh.svg").c_str(), &fresh), 0);
    EXPECT_EQ(fresh.st_mode & 07777, 0644u);
}

// Any valid name takes a new file, the longest (255 bytes) too, whatever its
// characters: the temporary name beside it is cut to fit.
TEST(FileReplace, theLongestNamesTakeANewFile)
{
    const TempDir dir;
    std::string japanese;
    while (japanese.size() < 255) {
        japanese += "あ"; // three bytes: 85 of them are 255 bytes
    }
    for (const std::string& name : {std::string(251, 'p') + ".svg", japanese, std::string(200, 'q'),
                                    std::string(199, 'r') + "あ" + "s"}) {
        ASSERT_LE(name.size(), 255u);
        EXPECT_EQ(replaceFile(dir.file(name), "first"), std::nullopt) << name.size();
        EXPECT_EQ(replaceFile(dir.file(name), "second"), std::nullopt) << name.size();
        EXPECT_EQ(readWhole(dir.file(name)), "second") << name.size();
        EXPECT_EQ(entriesOf(dir.path()), std::set<std::string>{name});
        fs::remove(dir.file(name));
    }
}

// Runs check in a child process with a private mount namespace and a tmpfs
// mounted on folder, so that a device node made there is no device of the
// machine; the child's exit status is check's result. 77 means no namespace.
int inPrivateTmpfs(const std::string& folder, int (*check)(const std::string&))
{
    const pid_t child = fork();
    if (child == 0) {
        if (unshare(CLONE_NEWNS) != 0 || mount(nullptr, "/", nullptr, MS_REC | MS_PRIVATE, nullptr) != 0 ||
            mount("veldronix-test", folder.c_str(), "tmpfs", 0, "size=1m") != 0) {
            _exit(77);
        }
        _exit(check(folder));
    }
    int status = 0;
    while (waitpid(child, &status, 0) < 0) {
    }
    return WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
}

// A device node (the numbers of /dev/null: what a plot once replaced) and a
// link to it are refused and left as they were: the same node, nothing beside it.
int deviceIsLeftAlone(const std::string& folder)
{
    const std::string node = folder + "/null";
    const std::string link = folder + "/plot.svg";
    if (mknod(node.c_str(), S_IFCHR | 0666, makedev(1, 3)) != 0) {
        return 78;
    }
    if (symlink("null", link.c_str()) != 0) {
        return 10;
    }
    if (replaceFile(node, "<svg/>") != FileWriteError::IsDevice) {
        return 11;
    }
    if (replaceFile(link, "<svg/>") != FileWriteError::IsDevice) {
        return 12;
    }
    struct stat status {};
    if (lstat(node.c_str(), &status) != 0 || !S_ISCHR(status.st_mode) || status.st_rdev != makedev(1, 3)) {
        return 13;
    }
    return entriesOf(folder) == std::set<std::string>{"null", "plot.svg"} ? 0 : 14;
}

TEST(FileReplace, refusesADeviceInAPrivateMountNamespace)
{
    const TempDir dir;
    const int result = inPrivateTmpfs(dir.path(), deviceIsLeftAlone);
    if (result == 77) {
        GTEST_SKIP() << "no private mount namespace with a tmpfs (needs CAP_SYS_ADMIN): the device case is not run";
    }
    if (result == 78) {
        GTEST_SKIP() << "no device node can be made on the private tmpfs (needs CAP_MKNOD)";
    }
    EXPECT_EQ(result, 0) << "the check that failed, numbered in deviceIsLeftAlone";
    EXPECT_TRUE(entriesOf(dir.path()).empty()) << "the tmpfs and its node were this test's alone";
}

} // namespace
} // namespace veldronix::io
