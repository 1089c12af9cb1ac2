#include "server/ui/Requests.h"

#include <algorithm>

#include "server/core/EnerjialRoute.h"
#include "server/core/SharedState.h"
#include "server/core/Wire.h"
#include "server/ui/RequestSender.h"
#include "server/ui/StatusLines.h"
#include "toolkit/ui/Cp1254Text.h"

namespace izleme {

Requests::Requests(RequestSender& sender, SharedState& state, StatusLines& status, ActiveSerialText activeSerialText,
                   QObject* parent)
    : QObject(parent), sender_(sender), state_(state), status_(status), activeSerialText_(std::move(activeSerialText)) {
    elapsed_.start();
    timeout_.setSingleShot(true);
    connect(&timeout_, &QTimer::timeout, this, &Requests::checkTimeouts);
}

std::int64_t Requests::now() const { return clock_ ? clock_() : elapsed_.elapsed(); }

bool Requests::send(std::string_view keyword, const std::vector<std::string>& fields) {
    return sender_.send(wire::buildMessage(keyword, fields));
}

bool Requests::data(std::string_view kind, const std::vector<std::string>& extraFields) {
    const EnerjialRoute* row = findDataRequest(kind);
    if (row == nullptr) return false;
    state_.pendingKind = row->kind;
    if (row->cursor >= 0 && cursorSink_) cursorSink_(row->cursor);

    const std::optional<std::string> serial = toCp1254(activeSerialText());
    std::optional<std::string> message;
    if (serial) {
        std::vector<std::string> fields{*serial};
        fields.insert(fields.end(), extraFields.begin(), extraFields.end());
        message = wire::buildMessage(row->requestKeyword, fields);
    }
    if (!message) {
        // A text that cannot travel: the status line says so, and stays.
        sender_.send(std::nullopt);
        return false;
    }
    const bool sent = sender_.send(message);
    if (sent && row->target != EnerjialTarget::None) {
        pending_.sent(row->kind, *serial, row->cursor, now());
        armTimeout();
    } else if (sent) {
        // A request whose reply is not "enerjial": replies still awaited for
        // other data or another device are no longer wanted.
        pending_.supersedeOthers(row->kind, *serial);
    }
    status_.setRequestLine(fromCp1254(row->requestLine));
    if (row->clearsStatusLine) status_.setStatusLine(QString());
    return sent;
}

void Requests::deviceChanged(const QString& serialText) { pending_.deviceChanged(toCp1254Lossy(serialText)); }

void Requests::armTimeout() {
    const std::optional<std::int64_t> deadline = pending_.nextDeadline();
    if (!deadline) {
        timeout_.stop();
        return;
    }
    const std::int64_t wait = std::max<std::int64_t>(0, *deadline - now());
    timeout_.start(static_cast<int>(std::min<std::int64_t>(wait, PendingRequests::timeoutMs)));
}

void Requests::checkTimeouts() {
    for (const AwaitedRequest& r : pending_.expire(now())) {
        status_.setRequestLine(fromCp1254(r.serial) + QStringLiteral(" Seri Nolu cihazdan yanıt gelmedi."));
    }
    armTimeout();
}

}  // namespace izleme
