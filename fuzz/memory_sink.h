#pragma once

#include <cstdio>
#include <cstdlib>
#include <string_view>

namespace veldronix::fuzz {

// An output stream collecting its bytes in memory, for a harness that checks
// what the program wrote without touching the disk.
class MemorySink {
public:
    MemorySink() : stream_(open_memstream(&data_, &size_)) {}
    ~MemorySink()
    {
        close();
        std::free(data_);
    }
    MemorySink(const MemorySink&) = delete;
    MemorySink& operator=(const MemorySink&) = delete;

    std::FILE* stream() const { return stream_; }

    // Ends the stream; what was written stays readable until the sink goes.
    std::string_view close()
    {
        if (stream_) {
            std::fclose(stream_);
            stream_ = nullptr;
        }
        return {data_, size_};
    }

private:
    char* data_ = nullptr;
    std::size_t size_ = 0;
    std::FILE* stream_;
};

} // namespace veldronix::fuzz
