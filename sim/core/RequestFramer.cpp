#include "sim/core/RequestFramer.h"

#include "server/core/Wire.h"

namespace izleme::sim {

std::vector<std::string> RequestFramer::feed(std::string_view bytes) {
    buffer_.append(bytes);
    std::vector<std::string> out;
    std::size_t from = 0;
    for (;;) {
        const std::size_t at = buffer_.find(wire::terminator, from);
        if (at == std::string::npos) break;
        out.emplace_back(buffer_, from, at - from);
        from = at + wire::terminator.size();
    }
    buffer_.erase(0, from);
    if (buffer_.size() > maxPending) buffer_.clear();
    return out;
}

}  // namespace izleme::sim
