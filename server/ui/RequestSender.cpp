#include "server/ui/RequestSender.h"

#include <QTcpSocket>

#include <utility>

namespace izleme {

QString RequestSender::refusedText() {
    return QStringLiteral("Geçersiz karakter: istek gönderilmedi.");
}

RequestSender::RequestSender(QTcpSocket* socket, StatusCallback showStatus)
    : socket_(socket), showStatus_(std::move(showStatus)) {}

bool RequestSender::send(const std::optional<std::string>& message) {
    if (!message) {
        if (showStatus_) showStatus_(refusedText());
        return false;
    }
    if (socket_ == nullptr || socket_->state() != QAbstractSocket::ConnectedState) return false;
    const auto size = static_cast<qint64>(message->size());
    return socket_->write(message->data(), size) == size;
}

}  // namespace izleme
