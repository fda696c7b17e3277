#pragma once

#include <array>
#include <cstddef>
#include <initializer_list>
#include <string>
#include <string_view>

namespace veldronix {

// A value in fixed notation with the given number of decimals, correctly rounded
// (ties to even on the exact binary value, as glibc's printf does); "inf",
// "-inf" or "nan" for the non-finite values. Independent of locale and platform.
std::string formatFixed(double value, int decimals);

// A value truncated toward zero, as a whole number of any size ("-0" never
// appears); "inf", "-inf" or "nan" for the non-finite values.
std::string formatTruncated(double value);

// A printf-style format filled with doubles: %ld takes a value truncated toward
// zero, %.Nlf (N a single digit) a value with N decimals, %% a percent sign.
// Arguments are taken in order; a conversion without an argument left prints
// nothing, and anything else stands as written.
std::string formatNumbers(std::string_view format, std::initializer_list<double> values);

// A format of formatNumbers taken apart at compile time into its literal runs,
// each followed by its conversion, for the formats filled for every drive of a
// batch: filling it looks at no byte of its text.
class NumberFormat {
public:
    // What follows a literal run: nothing, a truncated value (%ld), or a value
    // with decimals (%.Nlf, N from 0 to 9).
    static constexpr int noConversion = -2;
    static constexpr int truncated = -1;

    struct Piece {
        std::string_view literal;
        int conversion = noConversion; // or truncated, or the number of decimals
    };

    // The piece of format that starts at at: its literal run up to the next
    // conversion, and that conversion; at moves past both. A "%%" ends a run
    // that keeps one percent sign, and any other '%' stands as written.
    static constexpr Piece nextPiece(std::string_view format, std::size_t& at)
    {
        const std::size_t runStart = at;
        const auto run = [&](std::size_t runEnd) { return format.substr(runStart, runEnd - runStart); };
        while (at < format.size()) {
            const std::size_t left = format.size() - at;
            if (format[at] != '%') {
                ++at;
            } else if (left >= 2 && format[at + 1] == '%') {
                at += 2;
                return Piece{run(at - 1), noConversion};
            } else if (left >= 3 && format[at + 1] == 'l' && format[at + 2] == 'd') {
                at += 3;
                return Piece{run(at - 3), truncated};
            } else if (left >= 5 && format[at + 1] == '.' && format[at + 2] >= '0' && format[at + 2] <= '9' &&
                       format[at + 3] == 'l' && format[at + 4] == 'f') {
                at += 5;
                return Piece{run(at - 5), format[at - 3] - '0'};
            } else {
                ++at;
            }
        }
        return Piece{run(at), noConversion};
    }

    consteval explicit NumberFormat(std::string_view format)
    {
        for (std::size_t at = 0; at < format.size();) {
            if (count_ == pieces_.size()) {
                throw "a format of more pieces than NumberFormat holds"; // stops the compilation
            }
            pieces_[count_] = nextPiece(format, at);
            size_ += pieces_[count_].literal.size();
            ++count_;
        }
    }

    const Piece* begin() const { return pieces_.data(); }
    const Piece* end() const { return pieces_.data() + count_; }
    // The bytes of all literal runs.
    std::size_t literalSize() const { return size_; }

private:
    std::array<Piece, 12> pieces_{};
    std::size_t count_ = 0;
    std::size_t size_ = 0;
};

// The same as the text the format was made from gives.
std::string formatNumbers(const NumberFormat& format, std::initializer_list<double> values);

} // namespace veldronix
