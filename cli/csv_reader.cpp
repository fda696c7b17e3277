#include "cli/csv_reader.h"

namespace veldronix::cli {
namespace {

constexpr std::size_t bufferSize = 1 << 16;
constexpr int endOfStream = -1;

} // namespace

CsvReader::CsvReader(std::FILE* stream) : stream_(stream), buffer_(bufferSize) {}

bool CsvReader::fill()
{
    if (ended_) {
        return false;
    }
    size_ = std::fread(buffer_.data(), 1, buffer_.size(), stream_);
    position_ = 0;
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
