// The reply dispatcher: consumes a received chunk from the front, message by
// message, recognising keywords in their fixed order and calling ReplyHandlers.
#pragma once

#include "server/core/ReplyHandlers.h"

#include <cstddef>
#include <string>
#include <string_view>

namespace izleme {

class ReplyDispatcher {
public:
    // Handles the whole chunk. pendingKind selects the "enerjial" route.
    // Returns true when the chunk was handled to its end (the activity lamp
    // goes green), false when a handler threw: the rest of the chunk is then
    // dropped. No exception leaves this call.
    [[nodiscard]] bool dispatch(std::string_view chunk, std::string_view pendingKind, ReplyHandlers& handlers);

    // The remembered remainder: the unconsumed text at the end of the last
    // pass that did not end in an equal comparison. Kept across chunks.
    const std::string& rememberedRemainder() const { return remembered_; }

    // Dispatch passes run so far, over all chunks (for diagnostics and tests).
    std::size_t passCount() const { return passes_; }

private:
    std::string remembered_;
    std::size_t passes_ = 0;
};

}  // namespace izleme
