#include "SimServer.h"

#include <QDateTime>
#include <QHostAddress>
#include <QTcpSocket>
#include <cmath>
#include <random>

#include "sim/core/CivilTime.h"

namespace izleme::sim {
namespace {

std::int64_t wallStartTime() {
    const QDateTime now = QDateTime::currentDateTime();
    const QDate d = now.date();
    const QTime t = now.time();
    return toSeconds(CivilTime{d.year(), d.month(), d.day(), t.hour(), t.minute(), t.second()});
}

std::uint64_t seedOf(const Options& o) {
    if (o.seed) return *o.seed;
    std::random_device rd;
    return (static_cast<std::uint64_t>(rd()) << 32) ^ rd();
}

}  // namespace

SimServer::SimServer(const Options& options, Scenario scenario, QObject* parent)
    : QObject(parent),
      options_(options),
      world_(std::move(scenario), seedOf(options), options.seed ? seededStartTime() : wallStartTime()),
      nextSeed_(seedOf(options) ^ 0x5DEECE66DULL),
      requestStep_(options.seed ? std::max<std::int64_t>(1, std::llround(options.timeScale)) : 0) {
    wall_.start();
    connect(&server_, &QTcpServer::newConnection, this, &SimServer::accept);
    if (options_.messageCheckEvery > 0) {
        messageTimer_.start(static_cast<int>(options_.messageCheckEvery * 1000));
        connect(&messageTimer_, &QTimer::timeout, this, [this] {
            followWallClock();
            for (auto* c : findChildren<ClientConnection*>()) c->sendUnasked(c->session().newMessageNotices());
        });
    }
    if (options_.recordsEvery > 0) {
        recordTimer_.start(static_cast<int>(options_.recordsEvery * 1000));
        connect(&recordTimer_, &QTimer::timeout, this, [this] {
            followWallClock();
            for (auto* c : findChildren<ClientConnection*>()) c->sendUnasked(c->session().deviceRecords());
        });
    }
}

bool SimServer::listen(QString& error) {
    QHostAddress address;
    if (options_.host == QLatin1String("localhost"))
        address = QHostAddress::LocalHost;
    else if (!address.setAddress(options_.host)) {
        error = QStringLiteral("not a numeric address: %1").arg(options_.host);
        return false;
    }
    if (!server_.listen(address, options_.port)) {
        error = server_.errorString();
        return false;
    }
    return true;
}

void SimServer::followWallClock() {
    if (options_.seed) return;  // the seeded clock moves only with requests
    const double elapsed = static_cast<double>(wall_.elapsed()) / 1000.0 * options_.timeScale;
    world_.setNow(world_.start() + static_cast<std::int64_t>(elapsed));
}

void SimServer::accept() {
    while (QTcpSocket* socket = server_.nextPendingConnection()) {
        auto* c = new ClientConnection(socket, world_, requestStep_, options_.faults, nextSeed_++, this);
        connect(c, &ClientConnection::aboutToHandle, this, &SimServer::followWallClock);
        connect(c, &ClientConnection::finished, c, &QObject::deleteLater);
    }
}

}  // namespace izleme::sim
