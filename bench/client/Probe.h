// Measuring a Qt program from inside: the process's resident memory, a probe
// of the event loop's lateness, running the loop until a condition holds,
// and the median and 99th percentile of samples.
#pragma once

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QTimer>
#include <algorithm>
#include <cstdint>
#include <vector>

namespace izleme::bench {

// Resident memory of this process in bytes (0 where it cannot be read).
inline std::int64_t residentBytes() {
#ifdef __linux__
    QFile statm(QStringLiteral("/proc/self/statm"));
    if (!statm.open(QIODevice::ReadOnly)) return 0;
    const QList<QByteArray> fields = statm.readAll().split(' ');
    return fields.size() > 1 ? fields[1].toLongLong() * 4096 : 0;
#else
    return 0;
#endif
}

inline double megabytes(std::int64_t bytes) { return static_cast<double>(bytes) / (1024.0 * 1024.0); }

// A timer that should fire every `intervalMs`; how late the event loop let it
// run is how long the window stood still.
class StallProbe {
public:
    explicit StallProbe(int intervalMs = 5) : intervalMs_(intervalMs) {
        timer_.setTimerType(Qt::PreciseTimer);
        timer_.setInterval(intervalMs);
        QObject::connect(&timer_, &QTimer::timeout, [this] {
            const qint64 now = clock_.nsecsElapsed();
            longestNs_ = std::max(longestNs_, now - lastNs_);
            lastNs_ = now;
        });
    }
    void start() {
        longestNs_ = 0;
        clock_.start();
        lastNs_ = 0;
        timer_.start();
    }
    void stop() { timer_.stop(); }
    // The longest time beyond the interval between two ticks, in ms.
    double longestStallMs() const {
        return std::max(0.0, static_cast<double>(longestNs_) / 1e6 - static_cast<double>(intervalMs_));
    }

private:
    int intervalMs_;
    QTimer timer_;
    QElapsedTimer clock_;
    qint64 lastNs_ = 0;
    qint64 longestNs_ = 0;
};

// Runs the event loop until `done` holds or `timeoutMs` passes, checking
// after every pass of the loop (for timings finer than qWaitFor's 10 ms steps).
template <typename Done>
bool spinUntil(Done done, int timeoutMs) {
    QElapsedTimer t;
    t.start();
    while (!done()) {
        if (t.elapsed() > timeoutMs) return false;
        QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }
    return true;
}

// Median and 99th percentile (nearest rank) of a set of samples.
struct Spread {
    double median = 0;
    double p99 = 0;
    double max = 0;
};
inline Spread spreadOf(std::vector<double> v) {
    Spread s;
    if (v.empty()) return s;
    std::sort(v.begin(), v.end());
    const auto rank = [&](double q) {
        const auto i = static_cast<std::size_t>(std::max(0.0, q * static_cast<double>(v.size()) - 1e-9));
        return v[std::min(i, v.size() - 1)];
    };
    s.median = rank(0.5);
    s.p99 = rank(0.99);
    s.max = v.back();
    return s;
}

}  // namespace izleme::bench
