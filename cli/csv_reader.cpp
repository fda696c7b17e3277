#include "cli/csv_reader.h"

#include "cli/replace_text.h"

#include <array>

namespace veldronix::cli {
namespace {

constexpr std::size_t bufferSize = 1 << 16;
constexpr int endOfStream = -1;

} // namespace

// One byte past the data read is kept for a line feed that stops the plain-line scan.
CsvReader::CsvReader(std::FILE* stream) : stream_(stream), buffer_(bufferSize + 1) {}

bool CsvReader::fill()
{
    if (ended_) {
        return false;
    }
    size_ = std::fread(buffer_.data(), 1, bufferSize, stream_);
    position_ = 0;
    buffer_[size_] = '\n'; // the sentinel of takePlainLine
    if (size_ == 0) {
        ended_ = true;
        readFailed_ = std::ferror(stream_) != 0;
        return false;
    }
    return true;
}

int CsvReader::peek()
{
    if (position_ == size_ && !fill()) {
        return endOfStream;
    }
    return static_cast<unsigned char>(buffer_[position_]);
}

int CsvReader::get()
{
    const int c = peek();
    if (c != endOfStream) {
        ++position_;
    }
    return c;
}

bool CsvReader::takePlainLine(CsvRecord& record)
{
    // The bytes that end a plain run: the buffer's sentinel line feed stops every scan.
    static constexpr auto stops = [] {
        std::array<bool, 256> table{};
        table[static_cast<unsigned char>(',')] = true;
        table[static_cast<unsigned char>('"')] = true;
        table[static_cast<unsigned char>('\r')] = true;
        table[static_cast<unsigned char>('\n')] = true;
        return table;
    }();
    const char* const end = buffer_.data() + size_;
    const char* at = buffer_.data() + position_;
    std::size_t count = 0;
    for (;;) {
        const char* const start = at;
        while (!stops[static_cast<unsigned char>(*at)]) {
            ++at;
        }
        const char stop = *at;
        bool lineEnd = false;
        if (stop == '\n') {
            lineEnd = true;
        } else if (stop == '\r' && at + 1 != end && at[1] == '\n') {
            lineEnd = true;
        } else if (stop != ',') {
            return false; // a quote, a lone CR
        }
        if (at == end) {
            return false; // the line goes on in the next read
        }
        if (count == record.fields.size()) {
            record.fields.emplace_back();
        }
        replaceText(record.fields[count++], std::string_view(start, static_cast<std::size_t>(at - start)));
        if (lineEnd) {
            at += stop == '\r' ? 2 : 1;
            break;
        }
        ++at;
    }
    record.fields.resize(count);
    position_ = static_cast<std::size_t>(at - buffer_.data());
    ++line_;
    return true;
}

template <typename NoteProblem>
int CsvReader::takeUnquoted(std::string& field, NoteProblem&& noteProblem)
{
    // Whole runs of the buffer at once: nearly every byte of a batch is here.
    for (;;) {
        if (position_ == size_ && !fill()) {
            return endOfStream;
        }
        const char* const start = buffer_.data() + position_;
        const char* const end = buffer_.data() + size_;
        const char* stop = start;
        while (stop != end && *stop != ',' && *stop != '\n' && *stop != '\r' && *stop != '"') {
            ++stop;
        }
        field.append(start, stop);
        position_ = static_cast<std::size_t>(stop - buffer_.data());
        if (stop == end) {
            continue;
        }
        ++position_;
        if (*stop != '"') {
            return static_cast<unsigned char>(*stop);
        }
        noteProblem("a quote inside an unquoted field");
        field.push_back('"');
    }
}

bool CsvReader::next(CsvRecord& record)
{
    if (atStart_) {
        atStart_ = false;
        // The mark is dropped only whole; a partial one is data.
        static constexpr unsigned char bom[] = {0xEF, 0xBB, 0xBF};
        if (peek() == bom[0] && size_ - position_ >= 3 && static_cast<unsigned char>(buffer_[position_ + 1]) == bom[1] &&
            static_cast<unsigned char>(buffer_[position_ + 2]) == bom[2]) {
            position_ += 3;
        }
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
    if (takePlainLine(record)) {
        return true;
    }
    std::size_t count = 0;
    auto startField = [&]() -> std::string& {
        if (count == record.fields.size()) {
            record.fields.emplace_back();
        }
        std::string& field = record.fields[count++];
        field.clear();
        return field;
    };
    auto noteProblem = [&](const char* text) {
        if (record.problem.empty()) {
            record.problem = text;
        }
    };

    std::string* field = &startField();
    for (;;) {
        int c = get();
        if (c == '"' && field->empty()) {
            // A quoted field runs to the next lone quote, across line breaks.
            for (;;) {
                c = get();
                if (c == endOfStream) {
                    noteProblem("a quoted field has no closing quote");
                    break;
                }
                if (c == '"') {
                    if (peek() != '"') {
                        break;
                    }
                    get();
                } else if (c == '\n' || (c == '\r' && peek() != '\n')) {
                    ++line_;
                }
                field->push_back(static_cast<char>(c));
            }
            c = get();
            while (c != ',' && c != '\n' && c != '\r' && c != endOfStream) {
                noteProblem("text follows the closing quote of a field");
                field->push_back(static_cast<char>(c));
                c = get();
            }
        } else {
            if (c != ',' && c != '\n' && c != '\r' && c != endOfStream) {
                if (c == '"') {
                    noteProblem("a quote inside an unquoted field");
                }
                field->push_back(static_cast<char>(c));
                c = takeUnquoted(*field, noteProblem);
            }
        }
        if (c == ',') {
            field = &startField();
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

} // namespace veldronix::cli
