#include "server/core/PendingRequests.h"

#include <algorithm>

#include "server/core/DeviceEntry.h"

namespace izleme {
namespace {

// Serials are compared without surrounding blanks: the server echoes what it
// was sent, but a caption's serial may carry a leading blank.
std::string_view trimmed(std::string_view s) { return device::trimBlanks(s); }

}  // namespace

void PendingRequests::supersedeOthers(std::string_view kind, std::string_view serial) {
    const std::string_view s = trimmed(serial);
    for (AwaitedRequest& r : queue_) {
        if (r.kind != kind || r.serial != s) r.superseded = true;
    }
}

void PendingRequests::sent(std::string_view kind, std::string_view serial, int cursor, std::int64_t nowMs) {
    supersedeOthers(kind, serial);
    const std::string_view s = trimmed(serial);
    queue_.push_back(AwaitedRequest{std::string(kind), std::string(s), cursor, nowMs, false});
    while (queue_.size() > capacity) queue_.pop_front();
}

void PendingRequests::deviceChanged(std::string_view serial) {
    const std::string_view s = trimmed(serial);
    for (AwaitedRequest& r : queue_) {
        if (r.serial != s) r.superseded = true;
    }
}

std::optional<AwaitedRequest> PendingRequests::answerOldest() {
    if (queue_.empty()) return std::nullopt;
    AwaitedRequest r = std::move(queue_.front());
    queue_.pop_front();
    return r;
}

std::optional<AwaitedRequest> PendingRequests::notOnLine(std::string_view serial) {
    const std::string_view s = trimmed(serial);
    const auto it = std::find_if(queue_.begin(), queue_.end(), [&](const AwaitedRequest& r) { return r.serial == s; });
    if (it == queue_.end()) return std::nullopt;
    AwaitedRequest r = std::move(*it);
    queue_.erase(it);
    return r;
}

std::vector<AwaitedRequest> PendingRequests::expire(std::int64_t nowMs) {
    std::vector<AwaitedRequest> current;
    // Requests are kept in sending order, so the expired ones are at the front.
    while (!queue_.empty() && nowMs - queue_.front().sentAtMs >= timeoutMs) {
        if (!queue_.front().superseded) current.push_back(std::move(queue_.front()));
        queue_.pop_front();
    }
    return current;
}

std::optional<std::int64_t> PendingRequests::nextDeadline() const {
    if (queue_.empty()) return std::nullopt;
    return queue_.front().sentAtMs + timeoutMs;
}

}  // namespace izleme
