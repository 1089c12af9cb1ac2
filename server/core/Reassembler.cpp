#include "server/core/Reassembler.h"

#include "server/core/Wire.h"

namespace izleme {

std::string Reassembler::feed(std::string_view bytes) {
    // Only the new bytes (and the two before them, for a terminator that
    // straddles two reads) can hold a terminator not seen before.
    const std::size_t searchFrom = pending_.size() >= 2 ? pending_.size() - 2 : 0;
    pending_.append(bytes);

    std::size_t cut = 0;  // end of the last terminator, 0 when none
    for (std::size_t p = pending_.find(wire::terminator, searchFrom); p != std::string::npos;
         p = pending_.find(wire::terminator, p + 1)) {
        cut = p + wire::terminator.size();
    }

    if (pending_.size() - cut > maxPending) return takePending();
    std::string ready = pending_.substr(0, cut);
    pending_.erase(0, cut);
    return ready;
}

std::string Reassembler::takePending() {
    std::string out;
    out.swap(pending_);
    return out;
}

}  // namespace izleme
