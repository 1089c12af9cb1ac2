// merkez-sim's listening socket: accepts clients, moves the simulated clock
// and sends the unasked messages (new messages, device records) in rounds.
#pragma once

#include <QElapsedTimer>
#include <QObject>
#include <QTcpServer>
#include <QTimer>

#include "ClientConnection.h"
#include "Options.h"
#include "sim/core/World.h"

namespace izleme::sim {

class SimServer : public QObject {
    Q_OBJECT
public:
    SimServer(const Options& options, Scenario scenario, QObject* parent = nullptr);

    bool listen(QString& error);
    quint16 port() const { return server_.serverPort(); }

private:
    void accept();
    void followWallClock();

    Options options_;
    World world_;
    QTcpServer server_;
    QElapsedTimer wall_;
    QTimer messageTimer_;
    QTimer recordTimer_;
    std::uint64_t nextSeed_;
    std::int64_t requestStep_;
};

}  // namespace izleme::sim
