// Puts messages split over several reads together again: keeps the bytes after
// the last message terminator of a read and puts them in front of the next.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace izleme {

class Reassembler {
public:
    // Kept bytes beyond this size are handed out at once.
    static constexpr std::size_t maxPending = 64 * 1024;

    // Adds the bytes of one read; returns the text to dispatch now: everything
    // up to and including the last terminator (all of it when the kept tail
    // would pass maxPending). May be empty.
    std::string feed(std::string_view bytes);

    // Whether bytes are kept, waiting for their terminator.
    bool hasPending() const { return !pending_.empty(); }

    // Hands out the kept bytes (when no more bytes came in time).
    std::string takePending();

private:
    std::string pending_;
};

}  // namespace izleme
