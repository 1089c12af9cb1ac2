#include "sim/core/RequestFramer.h"

#include <algorithm>

#include "server/core/Wire.h"

namespace izleme::sim {

std::vector<std::string> RequestFramer::feed(std::string_view bytes) {
    buffer_.append(bytes);
    std::vector<std::string> out;
    std::size_t from = 0;
    // Only the new bytes are searched (and the two before them, which may
    // start a terminator), so a request that trickles in byte by byte costs
    // no more than one that comes at once.
    std::size_t searchFrom = scanned_ >= wire::terminator.size() - 1 ? scanned_ - (wire::terminator.size() - 1) : 0;
    for (;;) {
        const std::size_t at = buffer_.find(wire::terminator, std::max(from, searchFrom));
        if (at == std::string::npos) break;
        out.emplace_back(buffer_, from, at - from);
        from = at + wire::terminator.size();
    }
    buffer_.erase(0, from);
    if (buffer_.size() > maxPending) buffer_.clear();
    scanned_ = buffer_.size();
    return out;
}

}  // namespace izleme::sim
