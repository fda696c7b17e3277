// A fresh folder of a test's own, and whole files read and written in it.
#pragma once

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <string_view>
#include <system_error>

#include <stdlib.h>

namespace veldronix::testing_support {

// Everything in the file at path; "" when it cannot be read.
inline std::string readWhole(const std::filesystem::path& path)
{
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

// A new folder under the temporary folder (TMPDIR where set), made for its owner
// alone and removed with everything in it when the owner goes: also what a test
// left without write permission, and without a shell.
class TempDir {
public:
    TempDir()
    {
        std::error_code error;
        const std::filesystem::path base = std::filesystem::temp_directory_path(error);
        std::string pattern = (error ? std::filesystem::path("/tmp") : base) / "veldronix-test-XXXXXX";
        if (mkdtemp(pattern.data()) == nullptr) {
            ADD_FAILURE() << "cannot make a temporary folder from " << pattern;
            return;
        }
        path_ = pattern;
    }
    ~TempDir() { remove(); }
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;

    // The folder; "" when it could not be made.
    const std::string& path() const { return path_; }
    // The path of an entry of the folder.
    std::string file(std::string_view name) const { return path_ + "/" + std::string(name); }
    // Writes text as the whole file name in the folder; returns its path.
    std::string write(std::string_view name, std::string_view text) const
    {
        const std::string target = file(name);
        std::ofstream out(target, std::ios::binary | std::ios::trunc);
        out.write(text.data(), static_cast<std::streamsize>(text.size()));
        if (!out.flush()) {
            ADD_FAILURE() << "cannot write " << target;
        }
        return target;
    }

private:
    void remove() const
    {
        if (path_.empty()) {
            return; // nothing was made: nothing of anyone else's is removed
        }
        std::error_code error;
        std::filesystem::remove_all(path_, error);
        if (!error) {
            return;
        }
        // A folder without write or search permission keeps its entries: give the
        // owner back all rights below the folder (links are not followed), then again.
        std::filesystem::permissions(path_, std::filesystem::perms::owner_all, std::filesystem::perm_options::add,
                                     error);
        for (auto it = std::filesystem::recursive_directory_iterator(
                 path_, std::filesystem::directory_options::skip_permission_denied, error);
             !error && it != std::filesystem::recursive_directory_iterator(); it.increment(error)) {
            if (it->is_directory(error) && !it->is_symlink(error)) {
                std::filesystem::permissions(it->path(), std::filesystem::perms::owner_all,
                                             std::filesystem::perm_options::add, error);
            }
            error.clear();
        }
        error.clear();
        std::filesystem::remove_all(path_, error);
        if (error) {
            ADD_FAILURE() << "cannot remove the temporary folder " << path_ << ": " << error.message();
        }
    }

    std::string path_;
};

} // namespace veldronix::testing_support
