// Routes the dispatcher's handler calls to the pages that subscribed to them:
// any number of subscribers per keyword, and per pending request kind for the
// generic data reply "enerjial". An "enerjial" reply answers the oldest data
// request that awaits one; a reply to a superseded request is dropped, and
// each stored reply gets the register cursor of its own request. The router
// writes the status text before the data subscribers run and the heading
// after them. A subscriber may end the handling of the whole chunk by
// throwing (the heading is then not written).
#pragma once

#include <QObject>
#include <QPointer>
#include <functional>
#include <map>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "server/core/ReplyHandlers.h"

namespace izleme {

class PendingRequests;
class StatusLines;
struct SharedState;

// One message of the server. Fields are code page 1254 bytes, valid only
// during the call: "cihazlar" group, model, name, serial; "mesajvar" heading,
// body; "Hattayok" serial; "sayacal" none (the readout is in text); the others
// their fields in message order.
struct Reply {
    std::string_view keyword;
    std::span<const std::string_view> fields;
    std::string_view text;
};

// An "enerjial" reply under its data request kind.
struct DataReply {
    const EnerjialRoute& route;
    std::string_view text;      // after the 11-byte head, up to its terminator
    std::optional<int> cursor;  // register cursor of the request it answers; nothing: where it stands
};

class ReplyRouter : public ReplyHandlers {
public:
    using Handler = std::function<void(const Reply&)>;
    using DataHandler = std::function<void(const DataReply&)>;

    ReplyRouter(SharedState& state, StatusLines& status, PendingRequests& pending);

    // owner, when given, ends the subscription once it is destroyed.
    void subscribe(std::string_view keyword, Handler handler, const QObject* owner = nullptr);
    void subscribeData(std::string_view kind, DataHandler handler, const QObject* owner = nullptr);

    // The kind under which the dispatcher recognises "enerjial" in the next
    // chunk: the kind of the oldest awaited request, else the pending kind.
    std::string_view dispatchKind() const;

    // Replies dropped because their request was superseded (for tests and diagnostics).
    int droppedReplies() const { return dropped_; }

    void pong() override;
    void yenimesaj() override;
    void akimdegerleri(const std::array<std::string_view, 7>& fields) override;
    void reaktifenerji(const std::array<std::string_view, 9>& fields) override;
    void tedassycal(const std::array<std::string_view, 9>& fields) override;
    void mesajvar(std::string_view heading, std::string_view body) override;
    void hattayok(std::string_view serial) override;
    void sayacal(std::string_view readout) override;
    void sycdegerleri(const std::array<std::string_view, 3>& fields) override;
    void enerjial(const EnerjialRoute& route, std::string_view text) override;
    void cihazenerji(const std::array<std::string_view, 3>& fields) override;
    void cihazlar(std::string_view group, std::string_view model, std::string_view name,
                  std::string_view serial) override;

private:
    template <typename Fn>
    struct Subscriber {
        Fn fn;
        QPointer<const QObject> owner;
        bool guarded = false;
    };

    void deliver(std::string_view keyword, std::span<const std::string_view> fields, std::string_view text = {});

    SharedState& state_;
    StatusLines& status_;
    PendingRequests& pending_;
    std::map<std::string, std::vector<Subscriber<Handler>>, std::less<>> byKeyword_;
    std::map<std::string, std::vector<Subscriber<DataHandler>>, std::less<>> byKind_;
    int dropped_ = 0;
};

}  // namespace izleme
