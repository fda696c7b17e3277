#pragma once

#include <cstddef>
#include <cstdio>
#include <string>
#include <vector>

namespace veldronix::io {

// One record of a CSV stream.
struct CsvRecord {
    std::vector<std::string> fields;
    std::size_t line = 0; // the line the record starts on, counting from 1
    std::string problem;  // what makes the record malformed, "" when it is sound
};

// Reads RFC 4180 records one at a time, so that memory stays flat however long
// the stream is: quoted fields may hold commas, doubled quotes and line breaks;
// lines end in CRLF, LF or a lone CR; a UTF-8 byte-order mark before the first
// record is dropped; an empty line is no record. A quoted field whose closing
// quote never comes ends with the line it opened on, its record malformed, and
// the lines after it are read again as records of their own.
class CsvReader {
public:
    explicit CsvReader(std::FILE* stream);
    CsvReader(const CsvReader&) = delete;
    CsvReader& operator=(const CsvReader&) = delete;

    // Fills record with the next record (reusing its storage); false at the end
    // of the stream or on a read error.
    bool next(CsvRecord& record);

    // True when the stream failed to read, as opposed to ending.
    bool readFailed() const { return readFailed_; }
    // The system's error number (errno) of the failed read, 0 when none failed.
    int readError() const { return readError_; }

private:
    // The next byte of the stream, or -1 at its end; get also takes it.
    int peek();
    int get();
    bool fill();
    void skipByteOrderMark();

    // The lines after an unclosed quote, read again before the stream goes on.
    std::string reread_;
    std::size_t rereadPosition_ = 0;
    std::FILE* stream_;
    std::vector<char> buffer_;
    std::size_t position_ = 0;
    std::size_t size_ = 0;
    std::size_t line_ = 1;
    bool atStart_ = true;
    bool ended_ = false;
    bool readFailed_ = false;
    int readError_ = 0;
};

} // namespace veldronix::io
