// The data requests that await their "enerjial" reply, in the order they were
// sent. Replies carry no request identifier, and the central server answers a
// connection in order, so a reply answers the oldest awaited request. A
// request that a later data request for another device or another kind has
// superseded still waits for its reply, so that the reply is recognised and
// dropped instead of being taken for the newer request's.
#pragma once

#include <cstddef>
#include <cstdint>
#include <deque>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace izleme {

struct AwaitedRequest {
    std::string kind;    // pending request kind, e.g. "anideger"
    std::string serial;  // device serial text the request carried (code page 1254)
    int cursor = -1;     // register cursor of its reply; -1: where it stands
    std::int64_t sentAtMs = 0;
    bool superseded = false;  // its reply is to be dropped
};

class PendingRequests {
public:
    static constexpr std::int64_t timeoutMs = 30000;  // an awaited reply not here by then is given up
    static constexpr std::size_t capacity = 1024;     // the oldest are forgotten beyond this

    // A data request went out: every earlier one for another device or another
    // kind is superseded; it waits from nowMs on.
    void sent(std::string_view kind, std::string_view serial, int cursor, std::int64_t nowMs);

    // A request whose reply is not awaited here (a meter reading) went out:
    // every awaited one for another device or another kind is superseded.
    void supersedeOthers(std::string_view kind, std::string_view serial);

    // Another device became the active one without a data request (a meter
    // selection): every request for another serial is superseded.
    void deviceChanged(std::string_view serial);

    // An "enerjial" reply came: the oldest awaited request, now answered;
    // nothing when no request awaits a reply.
    std::optional<AwaitedRequest> answerOldest();

    // "Hattayok" for serial: the oldest awaited request for that serial will
    // never be answered and is forgotten; it is returned when there was one.
    std::optional<AwaitedRequest> notOnLine(std::string_view serial);

    // Forgets the requests awaited since timeoutMs or longer before nowMs and
    // returns those that were not superseded (the operator still waits for them).
    std::vector<AwaitedRequest> expire(std::int64_t nowMs);

    // When the oldest awaited request times out, or nothing when none waits.
    std::optional<std::int64_t> nextDeadline() const;

    const AwaitedRequest* oldest() const { return queue_.empty() ? nullptr : &queue_.front(); }
    bool empty() const { return queue_.empty(); }
    std::size_t size() const { return queue_.size(); }
    void clear() { queue_.clear(); }

private:
    std::deque<AwaitedRequest> queue_;
};

}  // namespace izleme
