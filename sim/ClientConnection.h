// One client socket of merkez-sim: frames the requests, hands them to the
// session, and writes the replies, through the fault options when they are on.
#pragma once

#include <QByteArray>
#include <QObject>
#include <QTimer>
#include <deque>

#include "Options.h"
#include "sim/core/RequestFramer.h"
#include "sim/core/Session.h"
#include "sim/core/SimRandom.h"

class QTcpSocket;

namespace izleme::sim {

class ClientConnection : public QObject {
    Q_OBJECT
public:
    ClientConnection(QTcpSocket* socket, World& world, std::int64_t requestStep, const Faults& faults,
                     std::uint64_t seed, QObject* parent = nullptr);

    // Messages the server sends of its own accord (new messages, records).
    void sendUnasked(const std::vector<std::string>& messages);
    Session& session() { return session_; }

signals:
    // Emitted before each request is handled (the wall clock moves the world).
    void aboutToHandle();
    void finished();

private:
    struct Piece {
        int delayMs = 0;
        QByteArray bytes;
        bool close = false;
        int pongs = 0;  // > 0: this many "pong" still to make here (the flood), made as the socket drains
    };

    void readRequests();
    void send(const std::vector<std::string>& messages, bool closeAfter);
    // The writes of the messages through the fault options (split, glue,
    // garbage, and the delay before the first when delayFirst); a closing
    // piece when the drop count is reached.
    std::vector<Piece> pieces(const std::vector<std::string>& messages, bool delayFirst = true);
    void pump();

    // The socket's own buffer is filled up to this and no further: the rest
    // waits in the queue (or, for the flood, is not made yet) until it drains.
    static constexpr qint64 highWater = 256 * 1024;
    static constexpr int pongBatch = 512;

    QTcpSocket* socket_;
    RequestFramer framer_;
    Session session_;
    Faults faults_;
    SimRandom random_;
    std::deque<Piece> queue_;
    QTimer pumpTimer_;
    int sent_ = 0;
    bool closing_ = false;
    bool pumping_ = false;
};

}  // namespace izleme::sim
