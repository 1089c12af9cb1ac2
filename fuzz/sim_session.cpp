// merkez-sim's request handling: arbitrary bytes cut into requests by the
// request framer and handled by one session of the demo world, logged in
// first when the first byte is even. Every reply must be whole messages, and
// the unasked messages (records, message notices) are made after each request.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "server/core/Wire.h"
#include "sim/core/RequestFramer.h"
#include "sim/core/Session.h"

namespace {

void checkMessages(const std::vector<std::string>& messages) {
    for (const std::string& m : messages) {
        const std::string_view t = izleme::wire::terminator;
        if (m.size() < t.size() || std::string_view(m).substr(m.size() - t.size()) != t) __builtin_trap();
        // One message each: the terminator only at the end.
        if (std::string_view(m).substr(0, m.size() - t.size()).find(t) != std::string_view::npos) __builtin_trap();
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0) return 0;
    // Two days of warm-up instead of forty: the same code, a fraction of the time.
    izleme::sim::World world(izleme::sim::demoScenario(), data[0], izleme::sim::seededStartTime(), 2 * 86400);
    izleme::sim::Session session(world, 1 + data[0] % 7);
    if (data[0] % 2 == 0) {
        const auto login = session.handle(
            "kulsifre\x01"
            "demo\x01"
            "demo\x02");
        if (login.close || !session.loggedIn()) __builtin_trap();
        checkMessages(login.messages);
    }
    izleme::sim::RequestFramer framer;
    const std::string_view bytes(reinterpret_cast<const char*>(data + 1), size - 1);
    auto requests = framer.feed(bytes);
    if (framer.pending() > 0) requests.push_back(std::string(bytes.substr(bytes.size() - framer.pending())));
    for (const std::string& request : requests) {
        const izleme::sim::Reply reply = session.handle(request);
        checkMessages(reply.messages);
        if (reply.close && session.loggedIn()) __builtin_trap();
        if (reply.close) return 0;  // the server closes the connection
        checkMessages(session.deviceRecords());
        checkMessages(session.newMessageNotices());
    }
    return 0;
}
