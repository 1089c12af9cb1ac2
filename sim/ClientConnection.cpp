#include "ClientConnection.h"

#include <QTcpSocket>

namespace izleme::sim {
namespace {

// Bytes that start no keyword of the client, so it skips them one by one.
constexpr char garbageAlphabet[] = "#%&*+=?@~^|";

}  // namespace

ClientConnection::ClientConnection(QTcpSocket* socket, World& world, std::int64_t requestStep, const Faults& faults,
                                   std::uint64_t seed, QObject* parent)
    : QObject(parent), socket_(socket), session_(world, requestStep), faults_(faults), random_(seed) {
    socket_->setParent(this);
    pumpTimer_.setSingleShot(true);
    connect(&pumpTimer_, &QTimer::timeout, this, &ClientConnection::pump);
    connect(socket_, &QTcpSocket::readyRead, this, &ClientConnection::readRequests);
    connect(socket_, &QTcpSocket::disconnected, this, [this] {
        closing_ = true;
        pumpTimer_.stop();
        queue_.clear();
        emit finished();
    });
}

void ClientConnection::readRequests() {
    const QByteArray bytes = socket_->readAll();
    for (const std::string& request : framer_.feed(std::string_view(bytes.constData(), static_cast<std::size_t>(bytes.size())))) {
        if (closing_) return;
        emit aboutToHandle();
        const bool wasLoggedIn = session_.loggedIn();
        Reply reply = session_.handle(request);
        if (!wasLoggedIn && session_.loggedIn() && faults_.flood > 0)
            for (int i = 0; i < faults_.flood; ++i) reply.messages.push_back(reply.messages.front());
        send(reply.messages, reply.close);
    }
}

void ClientConnection::sendUnasked(const std::vector<std::string>& messages) {
    if (!messages.empty()) send(messages, false);
}

void ClientConnection::send(const std::vector<std::string>& messages, bool closeAfter) {
    if (closing_) return;
    // Build the writes: each message (with its garbage prefix), glued if asked.
    std::vector<QByteArray> writes;
    bool dropNow = false;
    for (const std::string& m : messages) {
        QByteArray bytes;
        if (faults_.garbageBytes > 0) {
            const auto n = 1 + random_.below(static_cast<std::uint64_t>(faults_.garbageBytes));
            for (std::uint64_t i = 0; i < n; ++i) bytes.append(garbageAlphabet[random_.below(sizeof garbageAlphabet - 1)]);
        }
        bytes.append(m.data(), static_cast<qsizetype>(m.size()));
        const bool glue = faults_.glue > 1 && !writes.empty() && writes.back().size() < 1 << 20 &&
                          random_.below(static_cast<std::uint64_t>(faults_.glue)) != 0;
        if (glue)
            writes.back().append(bytes);
        else
            writes.push_back(bytes);
        if (faults_.dropAfter > 0 && ++sent_ >= faults_.dropAfter) {
            dropNow = true;
            break;
        }
    }
    bool first = true;
    for (const QByteArray& w : writes) {
        int delay = first ? faults_.delayMs : 0;
        first = false;
        if (faults_.splitMaxBytes > 0) {
            for (qsizetype at = 0; at < w.size();) {
                const auto len = static_cast<qsizetype>(1 + random_.below(static_cast<std::uint64_t>(faults_.splitMaxBytes)));
                const int pause = faults_.splitDelayMs > 0 ? static_cast<int>(random_.below(static_cast<std::uint64_t>(faults_.splitDelayMs) + 1)) : 1;
                queue_.push_back({delay + pause, w.mid(at, len), false});
                delay = 0;
                at += len;
            }
        } else {
            queue_.push_back({delay, w, false});
        }
    }
    if (dropNow || closeAfter) queue_.push_back({0, {}, true});
    if (!pumpTimer_.isActive()) pump();
}

void ClientConnection::pump() {
    while (!queue_.empty() && !closing_) {
        Piece& p = queue_.front();
        if (p.delayMs > 0) {
            pumpTimer_.start(p.delayMs);
            p.delayMs = 0;
            return;
        }
        if (p.close) {
            queue_.clear();
            closing_ = true;
            socket_->flush();
            socket_->disconnectFromHost();
            return;
        }
        socket_->write(p.bytes);
        queue_.pop_front();
    }
}

}  // namespace izleme::sim
