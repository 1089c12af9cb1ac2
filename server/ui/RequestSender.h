// Sends built requests through the main window's socket `Clientsoket`, in one
// write each; refuses a message that the builder could not frame safely.
#pragma once

#include <QString>

#include <functional>
#include <optional>
#include <string>

class QTcpSocket;

namespace izleme {

class RequestSender {
public:
    using StatusCallback = std::function<void(const QString&)>;

    // The text shown when a request is refused for an unsafe field.
    static QString refusedText();

    // showStatus puts a text on the status line `LblMesaj`.
    RequestSender(QTcpSocket* socket, StatusCallback showStatus);

    // Empty message (an unsafe field): shows refusedText() and sends nothing.
    // Socket not connected: sends nothing, reports nothing. Otherwise writes
    // the bytes in one call. Returns whether the bytes were handed to the socket.
    bool send(const std::optional<std::string>& message);

private:
    QTcpSocket* socket_;
    StatusCallback showStatus_;
};

}  // namespace izleme
