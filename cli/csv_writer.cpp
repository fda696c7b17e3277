#include "cli/csv_writer.h"

#include <cstdint>
#include <cstring>

namespace veldronix::cli {
namespace {

constexpr std::size_t flushThreshold = 1 << 16;

bool isBlank(char c)
{
    return c == ' ' || c == '\t';
}

constexpr std::uint64_t everyByte(char c)
{
    return 0x0101010101010101ULL * static_cast<unsigned char>(c);
}

// Whether any of the eight bytes of word equals c (exact: no false reports).
constexpr bool holdsByte(std::uint64_t word, char c)
{
    const std::uint64_t x = word ^ everyByte(c);
    return ((x - everyByte(1)) & ~x & everyByte(static_cast<char>(0x80))) != 0;
}

bool isSpecial(char c)
{
    return c == ',' || c == '"' || c == '\r' || c == '\n';
}

bool needsQuotes(std::string_view text)
{
    if (text.empty()) {
        return false;
    }
    if (isBlank(text.front()) || isBlank(text.back())) {
        return true;
    }
    // Eight bytes at a time: a batch writes a dozen fields a row, millions of
    // rows a run, and the summary alone is some two hundred bytes.
    std::size_t i = 0;
    for (; i + 8 <= text.size(); i += 8) {
        std::uint64_t word;
        std::memcpy(&word, text.data() + i, sizeof word);
        if (holdsByte(word, ',') || holdsByte(word, '"') || holdsByte(word, '\r') || holdsByte(word, '\n')) {
            return true;
        }
    }
    for (; i < text.size(); ++i) {
        if (isSpecial(text[i])) {
            return true;
        }
    }
    return false;
}

// Writes the field's text at out, which has room for twice the text and two
// quotes; returns the end of what was written.
char* writeField(char* out, std::string_view text)
{
    if (text.empty()) {
        return out; // an empty view may have no storage to copy from
    }
    if (!needsQuotes(text)) {
        std::memcpy(out, text.data(), text.size());
        return out + text.size();
    }
    *out++ = '"';
    for (std::size_t quote; (quote = text.find('"')) != std::string_view::npos; text.remove_prefix(quote + 1)) {
        std::memcpy(out, text.data(), quote + 1);
        out += quote + 1;
        *out++ = '"';
    }
    std::memcpy(out, text.data(), text.size());
    out += text.size();
    *out++ = '"';
    return out;
}

// The most a field's text can take in a record: every character a doubled
// quote, two enclosing quotes and the separator before it.
std::size_t roomFor(std::string_view text)
{
    return 2 * text.size() + 3;
}

} // namespace

std::string csvField(std::string_view text)
{
    std::string out(roomFor(text), '\0');
    out.resize(static_cast<std::size_t>(writeField(out.data(), text) - out.data()));
    return out;
}

CsvWriter::CsvWriter(std::FILE* stream) : stream_(stream), buffer_(flushThreshold + 4096) {}

CsvWriter::~CsvWriter()
{
    flush();
}

void CsvWriter::field(std::string_view text)
{
    // The buffer grows only for a field longer than all before it.
    if (buffer_.size() - used_ < roomFor(text)) {
        buffer_.resize(used_ + roomFor(text) + 4096);
    }
    char* out = buffer_.data() + used_;
    if (!atRecordStart_) {
        *out++ = ',';
    }
    atRecordStart_ = false;
    used_ = static_cast<std::size_t>(writeField(out, text) - buffer_.data());
}

void CsvWriter::endRecord()
{
    if (buffer_.size() - used_ < 2) {
        buffer_.resize(used_ + 4096);
    }
    buffer_[used_++] = '\r';
    buffer_[used_++] = '\n';
    atRecordStart_ = true;
    if (used_ >= flushThreshold) {
        flush();
    }
}

bool CsvWriter::flush()
{
    if (used_ != 0 && !failed_) {
        failed_ = std::fwrite(buffer_.data(), 1, used_, stream_) != used_;
    }
    used_ = 0;
    if (!failed_) {
        failed_ = std::fflush(stream_) != 0;
    }
    return !failed_;
}

} // namespace veldronix::cli
