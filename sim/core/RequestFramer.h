// Cuts the bytes a client sends into requests: each request ends with the
// message terminator 0xF4 0xF4 0xF4. Text without a terminator waits for more.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace izleme::sim {

class RequestFramer {
public:
    // Pending text beyond this size without a terminator is thrown away.
    static constexpr std::size_t maxPending = 64 * 1024;

    // Appends the bytes and returns the complete requests, terminators removed.
    std::vector<std::string> feed(std::string_view bytes);
    std::size_t pending() const { return buffer_.size(); }

private:
    std::string buffer_;
    std::size_t scanned_ = 0;  // the pending text before this holds no terminator
};

}  // namespace izleme::sim
