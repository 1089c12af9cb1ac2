// The operator's messages from the server, in arrival order, position 0 the
// oldest kept: at most 256; a message beyond that drops the oldest, so the
// positions stay those of the lines that list them.
#pragma once

#include <array>
#include <cstddef>
#include <string>

namespace izleme {

struct ServerMessage {
    std::string heading;
    std::string body;
};

class MessageList {
public:
    static constexpr int capacity = 256;

    // Stores a message at the end. True when the oldest was dropped to make room.
    bool add(ServerMessage message);

    int size() const { return count_; }         // messages kept
    int received() const { return received_; }  // messages ever added
    // The message at a position; nothing (nullptr) outside 0..size()-1.
    const ServerMessage* at(int position) const;

private:
    std::array<ServerMessage, capacity> items_{};
    int first_ = 0;  // the oldest, in a ring
    int count_ = 0;
    int received_ = 0;
};

}  // namespace izleme
