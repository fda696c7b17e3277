#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace veldronix::io {

// A JSON string literal of a UTF-8 text: quotes, backslashes and control
// characters escaped, every other byte kept as it is.
std::string jsonString(std::string_view text);

// Writes one JSON text without spaces, placing every comma and colon itself,
// so that no caller edits text already written.
class JsonWriter {
public:
    void beginObject();
    void endObject();
    void beginArray();
    void endArray();
    // The name of the next member of the open object.
    void key(std::string_view name);

    void string(std::string_view text);
    // A number in fixed notation with that many decimals ("-0.000" written as
    // "0.000"); null for a value JSON cannot hold (infinite, not a number).
    void number(double value, int decimals);
    // The same, null also for no value.
    void number(const std::optional<double>& value, int decimals);
    // A number as it was read, in the shortest text that reads back as it
    // (formatShortest: "12", "-0.2", "1e+77"); null where JSON cannot hold it.
    void number(double value);
    void null();
    void boolean(bool value);

    // Shorthands for a member and its value.
    void member(std::string_view name, std::string_view text);
    void member(std::string_view name, const std::optional<double>& value, int decimals);

    // The text written so far.
    const std::string& text() const { return out_; }

private:
    void beforeValue();
    void open(char bracket);
    void close(char bracket);

    std::string out_;
    std::vector<bool> hasItems_; // one per open object or array
    bool afterKey_ = false;
};

} // namespace veldronix::io
