// One client of the central server: turns each request into the replies the
// client reads (or closes the connection), and produces the messages the
// server sends of its own accord.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_set>
#include <vector>

#include "sim/core/World.h"

namespace izleme::sim {

struct Reply {
    std::vector<std::string> messages;  // each a whole message, terminator included
    bool close = false;                 // close the connection after sending them
};

class Session {
public:
    // requestStep: simulated seconds the clock moves for each request (the
    // seeded clock); 0 when the clock follows wall time.
    Session(World& world, std::int64_t requestStep);

    // One request, without its terminator.
    Reply handle(std::string_view request);

    bool loggedIn() const { return account_ != nullptr; }
    // "yenimesaj" when messages have appeared since the last notice.
    std::vector<std::string> newMessageNotices();
    // "cihazenerji" for the on-line relays of the group the client works in;
    // none before the client has addressed a device. A round builds at most
    // buildsPerRound relays not built yet (each simulates weeks); the others
    // of a large group join in later rounds.
    std::vector<std::string> deviceRecords();
    static constexpr std::size_t buildsPerRound = 50;

private:
    Reply login(const std::vector<std::string>& fields);
    Reply deviceRequest(std::string_view keyword, const std::vector<std::string>& fields);
    std::vector<std::string> waitingMessages() const;
    bool owns(const std::string& serial) const;

    World& world_;
    std::int64_t requestStep_;
    const Account* account_ = nullptr;
    std::unordered_set<std::string_view> owned_;  // the account's serials (they live in the world's scenario)
    std::size_t announced_ = 0;
    std::optional<std::string> group_;  // group of the last device addressed
    std::string lastGuard_;             // last over-current relay addressed ("sabitleriyaz" has no serial)
};

}  // namespace izleme::sim
