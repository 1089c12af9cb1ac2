// Command line of merkez-sim: where to listen, which scenario, the clock,
// and the faults to inject for reliability tests (all off by default).
#pragma once

#include <QString>
#include <QStringList>
#include <cstdint>
#include <optional>

namespace izleme::sim {

struct Faults {
    int splitMaxBytes = 0;  // > 0: replies go out in random pieces of 1..N bytes
    int splitDelayMs = 0;   // pause between those pieces (random up to N ms)
    int glue = 0;           // > 1: up to N replies are joined into one write
    int garbageBytes = 0;   // > 0: up to N bytes that match no keyword precede each reply
    int dropAfter = 0;      // > 0: close the connection after N messages
    int delayMs = 0;        // every reply waits this long
    int flood = 0;          // > 0: after the login, N extra "pong" messages (streamed as the socket drains)
    bool any() const { return splitMaxBytes || glue > 1 || garbageBytes || dropAfter || delayMs || flood; }
};

struct Options {
    QString host = QStringLiteral("127.0.0.1");
    quint16 port = 17816;
    QString scenarioFile;
    std::optional<std::uint64_t> seed;
    double timeScale = 1.0;
    double exitAfter = 0;          // seconds; 0 runs until a signal
    double recordsEvery = 90;      // seconds between "cihazenerji" rounds; 0 = never
    double messageCheckEvery = 5;  // seconds between checks for new messages
    int devices = 0;               // generated devices added to the demo account
    bool dumpScenario = false;  // print the scenario served (built-in or file, with generated devices) as JSON and exit
    Faults faults;
};

// Parses the arguments (without the program name). On an error, `error`
// holds the text to print and nothing is returned.
std::optional<Options> parseOptions(const QStringList& args, QString& error);
QString usageText();

}  // namespace izleme::sim
