#include "cli/csv_writer.h"

#include <algorithm>
#include <cstdint>
#include <cstring>

#ifdef __SSE2__
#include <emmintrin.h>
#endif

namespace veldronix::cli {
namespace {

constexpr std::size_t flushThreshold = 1 << 16;
// What a field of at most 16 bytes may touch: the separator, two quotes
// written whether or not it takes them, and the text.
constexpr std::size_t shortFieldRoom = 34;

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

std::uint64_t load8(const char* at)
{
    std::uint64_t word;
    std::memcpy(&word, at, sizeof word);
    return word;
}

std::uint32_t load4(const char* at)
{
    std::uint32_t word;
    std::memcpy(&word, at, sizeof word);
    return word;
}

// Whether any byte of a word is one looked for: only a quote, or any byte that
// makes a field quoted (comma, quote, CR, LF).
template <bool QuoteOnly>
bool wordHolds(std::uint64_t word)
{
    if constexpr (QuoteOnly) {
        return holdsByte(word, '"');
    } else {
        return holdsByte(word, ',') || holdsByte(word, '"') || holdsByte(word, '\r') || holdsByte(word, '\n');
    }
}

#ifdef __SSE2__
template <bool QuoteOnly>
bool blockHolds(const char* at)
{
    const __m128i block = _mm_loadu_si128(reinterpret_cast<const __m128i*>(at));
    __m128i hits = _mm_cmpeq_epi8(block, _mm_set1_epi8('"'));
    if constexpr (!QuoteOnly) {
        hits = _mm_or_si128(_mm_or_si128(hits, _mm_cmpeq_epi8(block, _mm_set1_epi8(','))),
                            _mm_or_si128(_mm_cmpeq_epi8(block, _mm_set1_epi8('\r')),
                                         _mm_cmpeq_epi8(block, _mm_set1_epi8('\n'))));
    }
    return _mm_movemask_epi8(hits) != 0;
}
#endif

// Whether any byte of the text is one looked for. A batch writes a dozen
// fields a row, millions of rows a run, and the summary alone is some two
// hundred bytes: a text is looked at in blocks of sixteen bytes where the
// processor has them, else in words, the last one overlapping the one before
// rather than going byte by byte, and a text below eight bytes as two
// overlapping halves of a word.
template <bool QuoteOnly>
bool anyByte(std::string_view text)
{
    const char* const data = text.data();
    const std::size_t size = text.size();
#ifdef __SSE2__
    if (size >= 16) {
        for (std::size_t i = 0; i + 16 < size; i += 16) {
            if (blockHolds<QuoteOnly>(data + i)) {
                return true;
            }
        }
        return blockHolds<QuoteOnly>(data + size - 16);
    }
#endif
    if (size >= 8) {
        for (std::size_t i = 0; i + 8 < size; i += 8) {
            if (wordHolds<QuoteOnly>(load8(data + i))) {
                return true;
            }
        }
        return wordHolds<QuoteOnly>(load8(data + size - 8));
    }
    if (size >= 4) {
        return wordHolds<QuoteOnly>(load4(data) | (std::uint64_t{load4(data + size - 4)} << 32));
    }
    // The bytes beyond the text are zero, which is none of the bytes looked for.
    std::uint64_t word = 0;
    for (std::size_t i = 0; i < size; ++i) {
        word |= std::uint64_t{static_cast<unsigned char>(data[i])} << (8 * i);
    }
    return wordHolds<QuoteOnly>(word);
}

// Copies the text to out: short texts,
// the value fields, by two overlapping word moves instead of a library call.
inline char* copyText(char* out, std::string_view text)
{
    const char* const data = text.data();
    const std::size_t size = text.size();
    if (size > 16) {
        std::memcpy(out, data, size);
    } else if (size >= 8) {
        const std::uint64_t head = load8(data);
        const std::uint64_t tail = load8(data + size - 8);
        std::memcpy(out, &head, 8);
        std::memcpy(out + size - 8, &tail, 8);
    } else if (size >= 4) {
        const std::uint32_t head = load4(data);
        const std::uint32_t tail = load4(data + size - 4);
        std::memcpy(out, &head, 4);
        std::memcpy(out + size - 4, &tail, 4);
    } else {
        for (std::size_t i = 0; i < size; ++i) {
            out[i] = data[i];
        }
    }
    return out + size;
}

char* writeQuoted(char* out, std::string_view text);

// Writes the field's text at out, which has room for twice the text and two
// quotes; returns the end of what was written.
char* writeField(char* out, std::string_view text)
{
    if (text.empty()) {
        return out; // an empty view may have no storage to copy from
    }
    if (!isBlank(text.front()) && !isBlank(text.back()) && !anyByte<false>(text)) {
        return copyText(out, text);
    }
    return writeQuoted(out, text);
}

// Writes the text quoted, its quotes doubled, at out, which has room for twice
// the text and two quotes; returns the end of what was written.
char* writeQuoted(char* out, std::string_view text)
{
    *out++ = '"';
    if (anyByte<true>(text)) {
        for (std::size_t quote; (quote = text.find('"')) != std::string_view::npos; text.remove_prefix(quote + 1)) {
            out = copyText(out, text.substr(0, quote + 1));
            *out++ = '"';
        }
    }
    out = copyText(out, text);
    *out++ = '"';
    return out;
}

// The most a field's text can take in a record: every character a doubled
// quote, two enclosing quotes and the separator before it.
std::size_t roomFor(std::string_view text)
{
    return 2 * text.size() + 3;
}

#ifdef __SSE2__
// Writes a field of at most 16 bytes at out, which has room for shortFieldRoom bytes, and
// returns its end; nullptr, for the general way, when it holds a quote. Nearly
// every field of a batch is this short: its bytes are read in at most two
// moves (never past its end) and looked at, sixteen at once, in the register
// they were read into, so that neither its length nor its bytes decide more
// than the copy does. (Read back from out, they would wait for their own
// stores to land.)
char* writeShortField(char* out, std::string_view text)
{
    const char* const data = text.data();
    const std::size_t size = text.size();
    // Every byte of the text is somewhere in block, some twice; the rest are zero,
    // which is none of the bytes looked for. first and last are the text's ends.
    __m128i block = _mm_setzero_si128();
    unsigned first = 0;
    unsigned last = 0;
    std::uint64_t head = 0;
    std::uint64_t tail = 0;
    if (size >= 8) {
        head = load8(data);
        tail = load8(data + size - 8);
        block = _mm_set_epi64x(static_cast<long long>(tail), static_cast<long long>(head));
        last = static_cast<unsigned>(tail >> 56);
    } else if (size >= 4) {
        head = load4(data);
        tail = load4(data + size - 4);
        block = _mm_set_epi64x(0, static_cast<long long>(head | (tail << 32)));
        last = static_cast<unsigned>(tail >> 24);
    } else if (size != 0) {
        head = static_cast<unsigned char>(data[0]) | (std::uint64_t{static_cast<unsigned char>(data[size / 2])} << 8) |
               (std::uint64_t{static_cast<unsigned char>(data[size - 1])} << 16);
        block = _mm_set_epi64x(0, static_cast<long long>(head));
        last = static_cast<unsigned>(head >> 16);
    }
    first = static_cast<unsigned>(head & 0xFF);
    const auto bytesOf = [&block](char c) { return _mm_movemask_epi8(_mm_cmpeq_epi8(block, _mm_set1_epi8(c))); };
    if (bytesOf('"') != 0) {
        return nullptr;
    }
    const bool blankEnd = size != 0 && (isBlank(static_cast<char>(first)) || isBlank(static_cast<char>(last)));
    const bool quoted = (bytesOf(',') | bytesOf('\r') | bytesOf('\n')) != 0 || blankEnd;
    // Both quotes are written whether or not the field takes them: an unquoted
    // text covers the first, and the second lies past its end, where the next
    // field goes. Whether a field is quoted then decides no branch.
    const std::size_t quotes = quoted ? 1 : 0;
    out[0] = '"';
    char* const end = copyText(out + quotes, text);
    *end = '"';
    return end + quotes;
}
#endif


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
    // The buffer grows only for a field longer than all before it; a short field
    // may take shortFieldRoom bytes however short it is.
    const std::size_t room = std::max(roomFor(text), shortFieldRoom);
    if (buffer_.size() - used_ < room) {
        buffer_.resize(used_ + room + 4096);
    }
    char* out = buffer_.data() + used_;
    if (!atRecordStart_) {
        *out++ = ',';
    }
    atRecordStart_ = false;
#ifdef __SSE2__
    if (text.size() <= 16) {
        if (char* const end = writeShortField(out, text)) {
            used_ = static_cast<std::size_t>(end - buffer_.data());
            return;
        }
        used_ = static_cast<std::size_t>(writeQuoted(out, text) - buffer_.data());
        return;
    }
#endif
    // Empty and plain fields here, without the call: most fields of a batch are one or the other.
    if (text.empty()) {
        used_ = static_cast<std::size_t>(out - buffer_.data());
    } else if (!isBlank(text.front()) && !isBlank(text.back()) && !anyByte<false>(text)) {
        used_ = static_cast<std::size_t>(copyText(out, text) - buffer_.data());
    } else {
        used_ = static_cast<std::size_t>(writeQuoted(out, text) - buffer_.data());
    }
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
