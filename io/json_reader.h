#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <utility>
#include <variant>
#include <vector>

namespace veldronix::io {

struct JsonMember;

// One JSON value as read, with the line it starts on.
struct JsonValue {
    enum class Kind { Null, Boolean, Number, String, Array, Object };

    Kind kind = Kind::Null;
    std::size_t line = 1;
    bool boolean = false;
    std::string text; // a string's UTF-8 text, or a number exactly as written
    std::vector<JsonValue> items;
    std::vector<JsonMember> members; // in the order written, each name once

    // The member of that name, null when there is none.
    const JsonValue* find(std::string_view name) const;
};

// A member of an object: its name and its value.
struct JsonMember {
    std::string first;
    JsonValue second;
};

// How far arrays and objects may nest: far beyond any file of the program's,
// and shallow enough that no reader or destructor runs out of stack.
inline constexpr std::size_t jsonDepthLimit = 64;

enum class JsonProblem {
    Syntax,          // not JSON where the line is
    NotUtf8,         // a byte that is no part of a UTF-8 character, or a lone surrogate escape
    TooDeep,         // arrays and objects nested deeper than jsonDepthLimit
    DuplicateMember, // an object names a member twice
};

struct JsonError {
    JsonProblem problem;
    std::size_t line; // counting from 1
    std::string member; // the duplicate member's name
};

// Reads one JSON text (RFC 8259, strictly: no comments, no trailing commas,
// white space only around it).
std::variant<JsonValue, JsonError> readJson(std::string_view text);

} // namespace veldronix::io
