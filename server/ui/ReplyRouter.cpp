#include "server/ui/ReplyRouter.h"

#include <QtDebug>

#include "server/core/Keywords.h"
#include "server/core/PendingRequests.h"
#include "server/core/SharedState.h"
#include "server/ui/StatusLines.h"
#include "toolkit/ui/Cp1254Text.h"

namespace izleme {
namespace {

template <typename List, typename Call>
void each(List& subscribers, Call&& call) {
    // A subscriber may subscribe others while it runs: walk by index over what
    // was there when the reply came.
    const std::size_t n = subscribers.size();
    for (std::size_t i = 0; i < n && i < subscribers.size(); ++i) {
        const auto& s = subscribers[i];
        if (s.guarded && s.owner.isNull()) continue;
        call(s.fn);
    }
}

}  // namespace

ReplyRouter::ReplyRouter(SharedState& state, StatusLines& status, PendingRequests& pending)
    : state_(state), status_(status), pending_(pending) {}

void ReplyRouter::subscribe(std::string_view keyword, Handler handler, const QObject* owner) {
    auto it = byKeyword_.find(keyword);
    if (it == byKeyword_.end()) it = byKeyword_.emplace(std::string(keyword), std::vector<Subscriber<Handler>>{}).first;
    it->second.push_back({std::move(handler), QPointer<const QObject>(owner), owner != nullptr});
}

void ReplyRouter::subscribeData(std::string_view kind, DataHandler handler, const QObject* owner) {
    auto it = byKind_.find(kind);
    if (it == byKind_.end()) it = byKind_.emplace(std::string(kind), std::vector<Subscriber<DataHandler>>{}).first;
    it->second.push_back({std::move(handler), QPointer<const QObject>(owner), owner != nullptr});
}

std::string_view ReplyRouter::dispatchKind() const {
    if (const AwaitedRequest* oldest = pending_.oldest()) return oldest->kind;
    return state_.pendingKind;
}

void ReplyRouter::deliver(std::string_view keyword, std::span<const std::string_view> fields, std::string_view text) {
    const auto it = byKeyword_.find(keyword);
    if (it == byKeyword_.end()) return;
    const Reply reply{keyword, fields, text};
    each(it->second, [&](const Handler& fn) { fn(reply); });
}

void ReplyRouter::pong() { deliver(kw::pong, {}); }

void ReplyRouter::yenimesaj() {
    status_.setStatusLine(QStringLiteral("Yeni Mesajınız Var..."));
    deliver(kw::yenimesaj, {});
}

void ReplyRouter::akimdegerleri(const std::array<std::string_view, 7>& fields) { deliver(kw::akimdegerleri, fields); }

void ReplyRouter::reaktifenerji(const std::array<std::string_view, 9>& fields) { deliver(kw::reaktifenerji, fields); }

void ReplyRouter::tedassycal(const std::array<std::string_view, 9>& fields) { deliver(kw::tedassycal, fields); }

void ReplyRouter::mesajvar(std::string_view heading, std::string_view body) {
    const std::array<std::string_view, 2> fields{heading, body};
    deliver(kw::mesajvar, fields);
}

void ReplyRouter::hattayok(std::string_view serial) {
    status_.setStatusLine(fromCp1254(serial) +
                          QStringLiteral(" Seri Nolu cihaz hatta değil. Lütfen 4 dakika sonra tekrar deneyin..."));
    // Its data request will never be answered: the next reply belongs to the one after it.
    pending_.notOnLine(serial);
    const std::array<std::string_view, 1> fields{serial};
    deliver(kw::Hattayok, fields);
}

void ReplyRouter::sayacal(std::string_view readout) { deliver(kw::sayacal, {}, readout); }

void ReplyRouter::sycdegerleri(const std::array<std::string_view, 3>& fields) { deliver(kw::Sycdegerleri, fields); }

void ReplyRouter::cihazenerji(const std::array<std::string_view, 3>& fields) { deliver(kw::cihazenerji, fields); }

void ReplyRouter::cihazlar(std::string_view group, std::string_view model, std::string_view name,
                           std::string_view serial) {
    const std::array<std::string_view, 4> fields{group, model, name, serial};
    deliver(kw::cihazlar, fields);
}

void ReplyRouter::enerjial(const EnerjialRoute& /*gate*/, std::string_view text) {
    const EnerjialRoute* route = nullptr;
    std::optional<int> cursor;
    if (std::optional<AwaitedRequest> request = pending_.answerOldest()) {
        if (request->superseded) {
            // The operator has asked another device or for other data since:
            // this reply is in the communication log, and nowhere else.
            ++dropped_;
            qInfo("izleme: a reply to the superseded '%s' request of %s was dropped", request->kind.c_str(),
                  cp1254::toUtf8(request->serial).c_str());
            return;
        }
        route = findEnerjialRoute(request->kind);
        if (request->cursor >= 0) cursor = request->cursor;
    } else {
        route = findEnerjialRoute(state_.pendingKind);  // unawaited: read under the pending kind
    }
    if (route == nullptr) return;

    const QString serial = QString::number(state_.activeSerial);
    status_.setStatusLine(serial + fromCp1254(route->statusText));
    if (const auto it = byKind_.find(route->kind); it != byKind_.end()) {
        const DataReply reply{*route, text, cursor};
        each(it->second, [&](const DataHandler& fn) { fn(reply); });
    }
    status_.setHeading(serial + fromCp1254(route->headingText));
}

}  // namespace izleme
