// Sends the client's requests to the server. A data request is one call with
// its kind: it records the pending request kind and the register cursor,
// sends the request with the active serial text, awaits its reply and sets
// the request line. An awaited reply that has not come within 30 s is given
// up: the request line says so.
#pragma once

#include <QElapsedTimer>
#include <QObject>
#include <QString>
#include <QTimer>
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "server/core/PendingRequests.h"

namespace izleme {

class RequestSender;
class StatusLines;
struct SharedState;

class Requests : public QObject {
    Q_OBJECT
public:
    using ActiveSerialText = std::function<QString()>;

    Requests(RequestSender& sender, SharedState& state, StatusLines& status, ActiveSerialText activeSerialText,
             QObject* parent = nullptr);

    // keyword and its fields (code page 1254 bytes). False when a field cannot
    // travel (the status line says so) or the connection is not up.
    bool send(std::string_view keyword, const std::vector<std::string>& fields);

    // The data request of kind (a row of the data-request table): pending kind,
    // register cursor, the request with the active serial text and extraFields,
    // the request line. False for an unknown kind, or when nothing was sent.
    bool data(std::string_view kind, const std::vector<std::string>& extraFields = {});

    // The active serial text (`Edit111`) as it travels; nothing when it holds a
    // character that cannot travel.
    QString activeSerialText() const { return activeSerialText_ ? activeSerialText_() : QString(); }

    // Where the register cursor of a data request goes (the register table).
    void setCursorSink(std::function<void(int)> sink) { cursorSink_ = std::move(sink); }

    // A device became active without a data request: replies awaited for other devices are dropped.
    void deviceChanged(const QString& serialText);

    PendingRequests& pending() { return pending_; }
    const PendingRequests& pending() const { return pending_; }

    // The clock of the reply time-out, in ms (tests may set their own).
    void setClock(std::function<std::int64_t()> clock) { clock_ = std::move(clock); }
    // Gives up the requests whose time is over (the timer calls it).
    void checkTimeouts();

private:
    std::int64_t now() const;
    void armTimeout();

    RequestSender& sender_;
    SharedState& state_;
    StatusLines& status_;
    ActiveSerialText activeSerialText_;
    std::function<void(int)> cursorSink_;
    std::function<std::int64_t()> clock_;
    PendingRequests pending_;
    QElapsedTimer elapsed_;
    QTimer timeout_;
};

}  // namespace izleme
