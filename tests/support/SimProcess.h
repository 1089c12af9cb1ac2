// The real merkez-sim started by a test on a loopback port: it waits for the
// "listening on" line, and stops with the test (and by itself after two minutes).
#pragma once

#include <QByteArray>
#include <QElapsedTimer>
#include <QProcess>
#include <QString>
#include <QStringList>

namespace izleme::test {

// merkez-sim's demo scenario under a fixed seed and without the periodic
// records, so that every run shows the same plant.
inline const QStringList steadyDemo{"--seed", "1", "--records-every", "0"};

class SimProcess {
public:
    // Starts merkez-sim on 127.0.0.1 at `wanted` (0: any free port) with the
    // extra options given; port() stays 0 when it did not come up listening.
    explicit SimProcess(const QStringList& extra = {}, quint16 wanted = 0) {
        process_.setProgram(QStringLiteral(MERKEZ_SIM_PATH));
        process_.setArguments(
            QStringList{"--host", "127.0.0.1", "--port", QString::number(wanted), "--exit-after", "120"} + extra);
        process_.start();
        if (!process_.waitForStarted(10000)) return;
        static const QByteArray prefix("listening on 127.0.0.1:");
        QElapsedTimer t;
        t.start();
        while (t.elapsed() < 20000) {
            if (!process_.canReadLine()) {
                if (process_.state() == QProcess::NotRunning) return;
                process_.waitForReadyRead(200);
                continue;
            }
            const QByteArray line = process_.readLine().trimmed();
            if (line.startsWith(prefix)) {
                port_ = line.mid(prefix.size()).toUShort();
                return;
            }
        }
    }
    ~SimProcess() { stop(); }
    SimProcess(const SimProcess&) = delete;
    SimProcess& operator=(const SimProcess&) = delete;

    quint16 port() const { return port_; }
    QProcess& process() { return process_; }

    // Asks it to end, and kills it when it does not within five seconds.
    void stop() {
        if (process_.state() == QProcess::NotRunning) return;
        process_.terminate();
        if (!process_.waitForFinished(5000)) process_.kill();
        process_.waitForFinished(2000);
    }

private:
    QProcess process_;
    quint16 port_ = 0;
};

}  // namespace izleme::test
