#include "io/csv_reader.h"

#include <cerrno>
#include <string_view>

namespace veldronix::io {
namespace {

constexpr std::size_t bufferSize = 1 << 16;
constexpr int endOfStream = -1;

bool endsField(int c)
{
    return c == ',' || c == '\n' || c == '\r' || c == endOfStream;
}

} // namespace

CsvReader::CsvReader(std::FILE* stream) : stream_(stream), buffer_(bufferSize) {}

bool CsvReader::fill()
{
    if (ended_) {
        return false;
    }
    errno = 0;
    size_ = std::fread(buffer_.data(), 1, buffer_.size(), stream_);
    position_ = 0;
    if (size_ == 0) {
        ended_ = true;
        readFailed_ = std::ferror(stream_) != 0;
        readError_ = readFailed_ ? (errno != 0 ? errno : EIO) : 0;
        return false;
    }
    return true;
}

int CsvReader::peek()
{
    if (rereadPosition_ < reread_.size()) {
        return static_cast<unsigned char>(reread_[rereadPosition_]);
    }
    if (position_ == size_ && !fill()) {
        return endOfStream;
    }
    return static_cast<unsigned char>(buffer_[position_]);
}

int CsvReader::get()
{
    const int c = peek();
    if (rereadPosition_ < reread_.size()) {
        ++rereadPosition_;
    } else if (c != endOfStream) {
        ++position_;
    }
    return c;
}

void CsvReader::skipByteOrderMark()
{
    // The first read holds the stream's first bytes, up to the buffer's size
    // (fread waits for all it asks for): the mark is dropped only whole; a
    // partial one is data.
    static constexpr unsigned char bom[] = {0xEF, 0xBB, 0xBF};
    if (peek() == bom[0] && size_ - position_ >= 3 && static_cast<unsigned char>(buffer_[position_ + 1]) == bom[1] &&
        static_cast<unsigned char>(buffer_[position_ + 2]) == bom[2]) {
        position_ += 3;
    }
}

bool CsvReader::next(CsvRecord& record)
{
    if (atStart_) {
        atStart_ = false;
        skipByteOrderMark();
    }
    // Empty lines between records carry nothing.
    for (;;) {
        const int c = peek();
        if (c == '\n') {
            get();
            ++line_;
        } else if (c == '\r') {
            get();
            if (peek() == '\n') {
                get();
            }
            ++line_;
        } else {
            break;
        }
    }
    if (peek() == endOfStream) {
        return false;
    }

    record.line = line_;
    record.problem.clear();
    auto noteProblem = [&](const char* text) {
        if (record.problem.empty()) {
            record.problem = text;
        }
    };
    // The fields' strings are kept from record to record, so that a long batch
    // reuses their storage.
    std::size_t count = 0;
    for (;;) {
        if (count == record.fields.size()) {
            record.fields.emplace_back();
        }
        std::string& field = record.fields[count++];
        field.clear();
        int c = get();
        if (c == '"') {
            // A quoted field runs to the next lone quote, across line breaks.
            const std::size_t openLine = line_;
            std::size_t firstBreak = std::string::npos; // where the field's first line ends
            std::string afterFirstLine;                 // the bytes after it as they stand in the stream
            for (;;) {
                c = get();
                if (c == endOfStream) {
                    // No closing quote: the field ends with its first line, and
                    // what the quote would swallow is read again as records.
                    if (record.problem.empty()) {
                        record.problem =
                            "a quoted field opened on line " + std::to_string(openLine) + " has no closing quote";
                    }
                    if (firstBreak != std::string::npos) {
                        field.resize(firstBreak);
                        reread_ = std::move(afterFirstLine) + reread_.substr(rereadPosition_);
                        rereadPosition_ = 0;
                        line_ = openLine + 1;
                        record.fields.resize(count);
                        return true;
                    }
                    break;
                }
                if (firstBreak != std::string::npos) {
                    afterFirstLine.push_back(static_cast<char>(c));
                }
                if (c == '"') {
                    if (peek() != '"') {
                        break;
                    }
                    get();
                    if (firstBreak != std::string::npos) {
                        afterFirstLine.push_back('"');
                    }
                } else if (c == '\n' || (c == '\r' && peek() != '\n')) {
                    ++line_;
                    if (firstBreak == std::string::npos) {
                        firstBreak = field.find_first_of("\r\n");
                        firstBreak = firstBreak == std::string::npos ? field.size() : firstBreak;
                    }
                }
                field.push_back(static_cast<char>(c));
            }
            c = get();
            while (!endsField(c)) {
                noteProblem("text follows the closing quote of a field");
                field.push_back(static_cast<char>(c));
                c = get();
            }
        } else {
            while (!endsField(c)) {
                if (c == '"') {
                    noteProblem("a quote inside an unquoted field");
                }
                field.push_back(static_cast<char>(c));
                c = get();
            }
        }
        if (c == ',') {
            continue;
        }
        if (c == '\r' && peek() == '\n') {
            get();
        }
        if (c != endOfStream) {
            ++line_;
        }
        break;
    }
    record.fields.resize(count);
    return true;
}

} // namespace veldronix::io
