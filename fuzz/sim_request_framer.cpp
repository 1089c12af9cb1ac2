// merkez-sim's request framer fed arbitrary bytes in arbitrary reads. The
// first byte gives the read lengths; what it hands out, read by read, must
// equal what a byte-by-byte framer finds.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "server/core/Wire.h"
#include "sim/core/RequestFramer.h"

namespace {

// The framing rule written another way: byte by byte, a request ends when
// the text taken so far ends with the terminator; pending text beyond the
// limit is dropped at the end of a read.
struct PlainFramer {
    std::string buffer;
    std::vector<std::string> feed(std::string_view bytes) {
        const std::string_view t = izleme::wire::terminator;
        std::vector<std::string> out;
        for (char c : bytes) {
            buffer.push_back(c);
            if (buffer.size() >= t.size() && std::string_view(buffer).substr(buffer.size() - t.size()) == t) {
                out.push_back(buffer.substr(0, buffer.size() - t.size()));
                buffer.clear();
            }
        }
        if (buffer.size() > izleme::sim::RequestFramer::maxPending) buffer.clear();
        return out;
    }
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0) return 0;
    // Read lengths 1..16, then long reads that can pass the pending limit.
    const std::size_t chunk = data[0] < 240 ? 1 + data[0] % 16 : 4096u * (data[0] - 239u);
    std::string_view rest(reinterpret_cast<const char*>(data + 1), size - 1);
    izleme::sim::RequestFramer framer;
    PlainFramer plain;
    while (!rest.empty()) {
        const std::string_view read = rest.substr(0, chunk);
        rest.remove_prefix(read.size());
        if (framer.feed(read) != plain.feed(read)) __builtin_trap();
        if (framer.pending() != plain.buffer.size()) __builtin_trap();
        if (framer.pending() > izleme::sim::RequestFramer::maxPending) __builtin_trap();
    }
    return 0;
}
