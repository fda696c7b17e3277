#pragma once

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string>
#include <string_view>

namespace veldronix::fuzz {

// Takes values from the front of the fuzz bytes; missing bytes read as zero.
class ByteReader {
public:
    ByteReader(const std::uint8_t* data, std::size_t size) : data_(data), size_(size) {}

    template <typename T>
    T take()
    {
        unsigned char bytes[sizeof(T)] = {};
        const std::size_t n = size_ < sizeof(T) ? size_ : sizeof(T);
        if (n > 0) {
            std::memcpy(bytes, data_, n);
        }
        data_ += n;
        size_ -= n;
        T value;
        std::memcpy(&value, bytes, sizeof(T));
        return value;
    }

    // Whether every byte is taken.
    bool empty() const { return size_ == 0; }

    // The next length bytes as a text; fewer where fewer are left.
    std::string text(std::size_t length)
    {
        const std::size_t n = length < size_ ? length : size_;
        std::string result(reinterpret_cast<const char*>(data_), n);
        data_ += n;
        size_ -= n;
        return result;
    }

    // The bytes not taken yet, as a text.
    std::string_view rest() const { return {reinterpret_cast<const char*>(data_), size_}; }

private:
    const std::uint8_t* data_;
    std::size_t size_;
};

} // namespace veldronix::fuzz
