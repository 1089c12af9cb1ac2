// merkez-sim: the reference central server of izleme, with simulated
// compensation relays, over-current relays and meters.
#include <QCoreApplication>
#include <QFile>
#include <QJsonDocument>
#include <QTimer>
#include <csignal>
#include <cstdio>

#include "Options.h"
#include "ScenarioJson.h"
#include "SimServer.h"
#include "sim/core/GeneratedDevices.h"

namespace {

volatile std::sig_atomic_t stopRequested = 0;

void onSignal(int) { stopRequested = 1; }

}  // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    QString error;
    const auto options = izleme::sim::parseOptions(app.arguments().mid(1), error);
    if (!options) {
        std::fputs(error.toLocal8Bit().constData(), stderr);
        return 2;
    }
    izleme::sim::Scenario scenario = izleme::sim::demoScenario();
    if (!options->scenarioFile.isEmpty()) {
        QFile file(options->scenarioFile);
        if (!file.open(QIODevice::ReadOnly)) {
            std::fprintf(stderr, "cannot read %s\n", qPrintable(options->scenarioFile));
            return 2;
        }
        auto loaded = izleme::sim::scenarioFromJson(file.readAll(), error);
        if (!loaded) {
            std::fprintf(stderr, "bad scenario %s: %s\n", qPrintable(options->scenarioFile), qPrintable(error));
            return 2;
        }
        scenario = std::move(*loaded);
    }
    izleme::sim::addGeneratedDevices(scenario, options->devices);
    if (options->dumpScenario) {
        const QByteArray json = QJsonDocument(izleme::sim::scenarioToJson(scenario)).toJson();
        std::fwrite(json.constData(), 1, static_cast<std::size_t>(json.size()), stdout);
        return 0;
    }

    // Installed before the "listening on" line, so that a stop right after it is clean.
    std::signal(SIGINT, onSignal);
    std::signal(SIGTERM, onSignal);
    izleme::sim::SimServer server(*options, std::move(scenario));
    if (!server.listen(error)) {
        std::fprintf(stderr, "cannot listen on %s:%u: %s\n", qPrintable(options->host), options->port,
                     qPrintable(error));
        return 1;
    }
    std::printf("listening on %s:%u\n", qPrintable(options->host), server.port());
    std::fflush(stdout);

    QTimer signalPoll;
    QObject::connect(&signalPoll, &QTimer::timeout, &app, [] {
        if (stopRequested) QCoreApplication::quit();
    });
    signalPoll.start(100);
    if (options->exitAfter > 0)
        QTimer::singleShot(static_cast<int>(options->exitAfter * 1000), &app, &QCoreApplication::quit);
    return app.exec();
}
