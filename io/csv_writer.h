#pragma once

#include <cstdio>
#include <string>
#include <string_view>

namespace veldronix::io {

// Writes RFC 4180 records, buffered, ending each in CRLF. A field is quoted when
// it holds a comma, a quote, CR or LF, and also when it starts or ends with a
// blank, since many readers trim unquoted blanks and the value fields' trailing
// blanks are part of their text.
class CsvWriter {
public:
    explicit CsvWriter(std::FILE* stream);
    CsvWriter(const CsvWriter&) = delete;
    CsvWriter& operator=(const CsvWriter&) = delete;
    ~CsvWriter();

    void field(std::string_view text);
    void endRecord();

    // Writes out what is buffered; false when the stream failed, now or before.
    bool flush();

private:
    std::FILE* stream_;
    std::string buffer_;
    bool atRecordStart_ = true;
    bool failed_ = false;
};

// The text of one field as it appears in a record.
std::string csvField(std::string_view text);

} // namespace veldronix::io
