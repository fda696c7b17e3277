// Why a file was not written, in both languages: a sentence of its own for
// every error io/ reports, and one for a value of no kind.
#include "report/texts_ja.h"
#include "report/file_write_reason.h"
#include "report/texts_en.h"

#include <gtest/gtest.h>

#include <set>
#include <string_view>

namespace veldronix {
namespace {

using io::FileWriteError;

TEST(FileWriteReason, EachErrorHasItsSentenceInEachLanguage)
{
    const struct {
        FileWriteError error;
        std::string_view english;
        std::string_view japanese;
    } cases[] = {
        {FileWriteError::CannotCreate, "cannot create a file in its folder", "ファイルを作成できません。"},
        {FileWriteError::WriteFailed, "writing failed", "データを書き込めませんでした。元のファイルはそのままです。"},
        {FileWriteError::CannotReplace,
         "cannot take that name: a folder or a file that may not be replaced is in the way",
         "ファイルを置き換えられません。元のファイルはそのままです。"},
        {FileWriteError::IsDirectory, "it is a folder, not a file; it was left as it was",
         "フォルダーです。ファイルではないので、そのままにしました。"},
        {FileWriteError::IsDevice, "it is a device, not a file; it was left as it was",
         "デバイスです。ファイルではないので、そのままにしました。"},
        {FileWriteError::IsFifo, "it is a FIFO (named pipe), not a file; it was left as it was",
         "名前付きパイプ(FIFO)です。ファイルではないので、そのままにしました。"},
        {FileWriteError::IsSocket, "it is a socket, not a file; it was left as it was",
         "ソケットです。ファイルではないので、そのままにしました。"},
        {FileWriteError::NotAFile, "it is not a regular file; it was left as it was",
         "通常のファイルではないので、そのままにしました。"},
        {FileWriteError::TooManyLinks, "its symbolic links go round in a circle or nest too deep",
         "シンボリックリンクが循環しているか、深すぎます。"},
        // A value io/ does not make: the English says nothing it cannot know,
        // the Japanese that the file was not replaced.
        {static_cast<FileWriteError>(99), "cannot write the file",
         "ファイルを置き換えられません。元のファイルはそのままです。"},
    };
    std::set<std::string_view> english;
    for (const auto& c : cases) {
        EXPECT_EQ(report::fileWriteReason(c.error, report::texts::en::fileWrite), c.english);
        EXPECT_EQ(report::fileWriteReason(c.error, report::texts::ja::fileWrite), c.japanese);
        english.insert(c.english);
    }
    EXPECT_EQ(english.size(), std::size(cases)); // no two errors read alike
}

} // namespace
} // namespace veldronix
