// The fuzzers' reader of values from the front of their bytes: what it gives
// decides what a fuzz input means, so it must never read past the end.
#include "fuzz/byte_reader.h"

#include <gtest/gtest.h>

#include <bit>
#include <cstdint>
#include <string>

namespace {

using veldronix::fuzz::ByteReader;

TEST(ByteReader, takesValuesInTheMachinesByteOrder)
{
    static_assert(std::endian::native == std::endian::little, "the cases are worked for a little-endian machine");
    const std::uint8_t bytes[] = {0x7f, 0x01, 0x02, 0x03, 0x84, 0x00, 0x00, 0xf0, 0x3f, 'a', 'b'};
    ByteReader reader(bytes, sizeof bytes);
    EXPECT_EQ(reader.take<std::uint8_t>(), 0x7f);
    EXPECT_EQ(reader.take<std::int32_t>(), -2080177663); // 0x84030201 - 2^32
    EXPECT_EQ(reader.take<std::uint32_t>(), 0x3ff00000u);
    EXPECT_EQ(reader.rest(), "ab");
    EXPECT_FALSE(reader.empty());
}

TEST(ByteReader, missingBytesReadAsZero)
{
    // Three bytes of a double's eight: they are its lowest, the five missing ones zero.
    const std::uint8_t bytes[] = {0x00, 0x00, 0xf0};
    ByteReader reader(bytes, sizeof bytes);
    EXPECT_EQ(std::bit_cast<std::uint64_t>(reader.take<double>()), 0x0000000000f00000u);
    EXPECT_TRUE(reader.empty());
    EXPECT_EQ(reader.take<std::int32_t>(), 0);
    EXPECT_EQ(reader.take<std::uint8_t>(), 0);
    EXPECT_EQ(reader.rest(), "");
    EXPECT_EQ(reader.text(5), "");
}

TEST(ByteReader, nothingAtAllReadsAsZero)
{
    ByteReader reader(nullptr, 0);
    EXPECT_TRUE(reader.empty());
    EXPECT_EQ(reader.take<std::uint64_t>(), 0u);
    EXPECT_EQ(reader.text(3), "");
}

TEST(ByteReader, textTakesAtMostWhatIsLeft)
{
    const std::uint8_t bytes[] = {'x', 0x00, 0xff, 'y', 'z'};
    ByteReader reader(bytes, sizeof bytes);
    EXPECT_EQ(reader.text(0), "");
    EXPECT_EQ(reader.text(3), std::string("x\0\xff", 3)); // a NUL and a byte above 0x7f stay as they are
    EXPECT_EQ(reader.text(9), "yz");
    EXPECT_TRUE(reader.empty());
}

} // namespace
