#include "ClientConnection.h"

#include <QTcpSocket>
#include <iterator>

#include "sim/core/Replies.h"

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
    // What waits in the queue goes on as the socket hands bytes to the system.
    connect(socket_, &QTcpSocket::bytesWritten, this, [this] {
        if (!pumpTimer_.isActive()) pump();
    });
    connect(socket_, &QTcpSocket::disconnected, this, [this] {
        closing_ = true;
        pumpTimer_.stop();
        queue_.clear();
        emit finished();
    });
}

void ClientConnection::readRequests() {
    const QByteArray bytes = socket_->readAll();
    for (const std::string& request :
         framer_.feed(std::string_view(bytes.constData(), static_cast<std::size_t>(bytes.size())))) {
        if (closing_) return;
        emit aboutToHandle();
        const bool wasLoggedIn = session_.loggedIn();
        Reply reply = session_.handle(request);
        const bool flood = !wasLoggedIn && session_.loggedIn() && faults_.flood > 0;
        if (flood && !reply.close) {
            auto ready = pieces(reply.messages);
            queue_.insert(queue_.end(), std::make_move_iterator(ready.begin()), std::make_move_iterator(ready.end()));
            queue_.push_back({0, {}, false, faults_.flood});
            if (!pumpTimer_.isActive()) pump();
        } else {
            send(reply.messages, reply.close);
        }
    }
}

void ClientConnection::sendUnasked(const std::vector<std::string>& messages) {
    if (!messages.empty()) send(messages, false);
}

std::vector<ClientConnection::Piece> ClientConnection::pieces(const std::vector<std::string>& messages,
                                                              bool delayFirst) {
    // Build the writes: each message (with its garbage prefix), glued if asked.
    std::vector<QByteArray> writes;
    bool dropNow = false;
    for (const std::string& m : messages) {
        QByteArray bytes;
        if (faults_.garbageBytes > 0) {
            const auto n = 1 + random_.below(static_cast<std::uint64_t>(faults_.garbageBytes));
            for (std::uint64_t i = 0; i < n; ++i)
                bytes.append(garbageAlphabet[random_.below(sizeof garbageAlphabet - 1)]);
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
    std::vector<Piece> out;
    bool first = true;
    for (const QByteArray& w : writes) {
        int delay = first && delayFirst ? faults_.delayMs : 0;
        first = false;
        if (faults_.splitMaxBytes > 0) {
            for (qsizetype at = 0; at < w.size();) {
                const auto len =
                    static_cast<qsizetype>(1 + random_.below(static_cast<std::uint64_t>(faults_.splitMaxBytes)));
                const int pause =
                    faults_.splitDelayMs > 0
                        ? static_cast<int>(random_.below(static_cast<std::uint64_t>(faults_.splitDelayMs) + 1))
                        : 1;
                out.push_back({delay + pause, w.mid(at, len), false, 0});
                delay = 0;
                at += len;
            }
        } else {
            out.push_back({delay, w, false, 0});
        }
    }
    if (dropNow) out.push_back({0, {}, true, 0});
    return out;
}

void ClientConnection::send(const std::vector<std::string>& messages, bool closeAfter) {
    if (closing_) return;
    auto ready = pieces(messages);
    queue_.insert(queue_.end(), std::make_move_iterator(ready.begin()), std::make_move_iterator(ready.end()));
    if (closeAfter) queue_.push_back({0, {}, true, 0});
    if (!pumpTimer_.isActive()) pump();
}

void ClientConnection::pump() {
    if (pumping_) return;
    pumping_ = true;
    while (!queue_.empty() && !closing_) {
        // Enough is on its way: the rest follows from bytesWritten.
        if (socket_->bytesToWrite() >= highWater) break;
        Piece& p = queue_.front();
        if (p.pongs > 0) {
            // The next batch of the flood goes in front of what is left of it.
            const int n = std::min(p.pongs, pongBatch);
            p.pongs -= n;
            if (p.pongs == 0) queue_.pop_front();
            auto ready = pieces(std::vector<std::string>(static_cast<std::size_t>(n), pongMessage()), false);
            queue_.insert(queue_.begin(), std::make_move_iterator(ready.begin()), std::make_move_iterator(ready.end()));
            continue;
        }
        if (p.delayMs > 0) {
            pumpTimer_.start(p.delayMs);
            p.delayMs = 0;
            break;
        }
        if (p.close) {
            queue_.clear();
            closing_ = true;
            socket_->flush();
            socket_->disconnectFromHost();
            break;
        }
        socket_->write(p.bytes);
        queue_.pop_front();
    }
    pumping_ = false;
}

}  // namespace izleme::sim
