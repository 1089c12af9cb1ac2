#include "server/core/MessageList.h"

#include <utility>

namespace izleme {

bool MessageList::add(ServerMessage message) {
    ++received_;
    if (count_ < capacity) {
        items_[static_cast<std::size_t>((first_ + count_) % capacity)] = std::move(message);
        ++count_;
        return false;
    }
    // Full: the oldest's slot takes the newest, and the ring starts one further.
    items_[static_cast<std::size_t>(first_)] = std::move(message);
    first_ = (first_ + 1) % capacity;
    return true;
}

const ServerMessage* MessageList::at(int position) const {
    if (position < 0 || position >= count_) return nullptr;
    return &items_[static_cast<std::size_t>((first_ + position) % capacity)];
}

}  // namespace izleme
