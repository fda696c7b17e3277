#include "io/csv_writer.h"

namespace veldronix::io {
namespace {

// Records are handed to the stream in pieces of about this size, not one by one.
constexpr std::size_t flushThreshold = 1 << 16;

bool isBlank(char c)
{
    return c == ' ' || c == '\t';
}

bool needsQuotes(std::string_view text)
{
    if (!text.empty() && (isBlank(text.front()) || isBlank(text.back()))) {
        return true;
    }
    for (const char c : text) {
        if (c == ',' || c == '"' || c == '\r' || c == '\n') {
            return true;
        }
    }
    return false;
}

void appendField(std::string& out, std::string_view text)
{
    if (!needsQuotes(text)) {
        out += text;
        return;
    }
    out += '"';
    // The text up to each quote and the quote itself, then the quote again.
    for (std::size_t quote; (quote = text.find('"')) != std::string_view::npos; text.remove_prefix(quote + 1)) {
        out += text.substr(0, quote + 1);
        out += '"';
    }
    out += text;
    out += '"';
}

} // namespace

std::string csvField(std::string_view text)
{
    std::string out;
    appendField(out, text);
    return out;
}

CsvWriter::CsvWriter(std::FILE* stream) : stream_(stream)
{
    buffer_.reserve(2 * flushThreshold);
}

CsvWriter::~CsvWriter()
{
    flush();
}

void CsvWriter::field(std::string_view text)
{
    if (!atRecordStart_) {
        buffer_ += ',';
    }
    atRecordStart_ = false;
    appendField(buffer_, text);
}

void CsvWriter::endRecord()
{
    buffer_ += "\r\n";
    atRecordStart_ = true;
    if (buffer_.size() >= flushThreshold) {
        flush();
    }
}

bool CsvWriter::flush()
{
    if (!buffer_.empty() && !failed_) {
        failed_ = std::fwrite(buffer_.data(), 1, buffer_.size(), stream_) != buffer_.size();
    }
    buffer_.clear();
    if (!failed_) {
        failed_ = std::fflush(stream_) != 0;
    }
    return !failed_;
}

} // namespace veldronix::io
