// The real client against merkez-sim over loopback, on the offscreen platform:
// a device list of 10,000 arriving after the login (time until all are
// listed, memory, the longest stall of the window), click to values on a
// compensation relay, the longest stall under a flood of messages, and the
// memory after a flood of ten million.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QTcpSocket>
#include <cstdio>

#include "bench/client/ClientBench.h"
#include "bench/client/QtBenchMain.h"
#include "toolkit/ui/GroupBar.h"
#include "toolkit/ui/LedDisplay.h"

using namespace izleme;
using namespace izleme::bench;

namespace {

// The demo plant under a fixed seed, without the periodic device records.
const QStringList kSteady{"--seed", "1", "--records-every", "0"};
constexpr int kDemoDevices = 5;  // the demo account's own devices
const QString kRelay = QStringLiteral("Fabrika Ana Pano No: 12001");

int listedEntries(GroupBar* bar) {
    int n = 0;
    for (int g = 0; g < bar->groupCount(); ++g) n += bar->group(g)->entryCount();
    return n;
}

GroupBarEntry* findEntry(GroupBar* bar, const QString& caption) {
    for (int g = 0; g < bar->groupCount(); ++g)
        for (int e = 0; e < bar->group(g)->entryCount(); ++e)
            if (bar->group(g)->entry(e)->caption() == caption) return bar->group(g)->entry(e);
    return nullptr;
}

// Lets the window settle (layout, painting, deferred deletions) for `ms`.
void settle(int ms) {
    QElapsedTimer t;
    t.start();
    spinUntil([&] { return t.elapsed() >= ms; }, ms + 1000);
}

// Time of the last bytes the client's socket received.
class ReadWatch {
public:
    explicit ReadWatch(TFrmAna& ana) {
        clock_.start();
        if (auto* socket = ana.findChild<QTcpSocket*>(QStringLiteral("Clientsoket")))
            QObject::connect(socket, &QTcpSocket::readyRead, &context_, [this] { last_ = clock_.elapsed(); });
    }
    // True once bytes came and then none for `quietMs`.
    bool quietFor(qint64 quietMs) const { return last_ >= 0 && clock_.elapsed() - last_ >= quietMs; }
    qint64 lastMs() const { return last_; }

private:
    QObject context_;
    QElapsedTimer clock_;
    qint64 last_ = -1;
};

void BM_DeviceList10000(benchmark::State& state) {
    const int generated = static_cast<int>(state.range(0));
    double worstStall = 0, worstList = 0, rss = 0, rssGrowth = 0;
    for (auto _ : state) {
        Sim sim(kSteady + QStringList{"--devices", QString::number(generated)});
        ShellFixture shell;
        if (sim.port() == 0 || !prepareLogin(shell, "demo", "demo", sim.port())) {
            state.SkipWithError("merkez-sim or the login window did not come up");
            return;
        }
        settle(300);
        const std::int64_t before = residentBytes();
        GroupBar* bar = shell.ana().RzGroupBar1;
        StallProbe probe;
        QElapsedTimer t;
        probe.start();
        t.start();
        clickConnect(shell);
        const bool all = spinUntil([&] { return listedEntries(bar) == generated + kDemoDevices; }, 60000);
        QCoreApplication::processEvents();  // the paint of the last ones
        const double listMs = static_cast<double>(t.nsecsElapsed()) / 1e6;
        probe.stop();
        if (!all) {
            state.SkipWithError("the device list did not fill");
            return;
        }
        state.SetIterationTime(listMs / 1000);
        worstList = std::max(worstList, listMs);
        worstStall = std::max(worstStall, probe.longestStallMs());
        settle(500);
        rss = megabytes(residentBytes());
        rssGrowth = std::max(rssGrowth, megabytes(residentBytes() - before));
    }
    state.counters["list_ms_worst"] = worstList;
    state.counters["stall_ms_worst"] = worstStall;
    state.counters["rss_MB"] = rss;
    state.counters["rss_growth_MB"] = rssGrowth;
    std::printf(
        "device list of %d: all listed within %.0f ms of the click on Bağlan, longest stall %.1f ms, "
        "memory %.0f MB (+%.0f MB)\n",
        generated + kDemoDevices, worstList, worstStall, rss, rssGrowth);
}
BENCHMARK(BM_DeviceList10000)->Arg(10000)->Iterations(3)->UseManualTime()->Unit(benchmark::kMillisecond);

// From the click on the relay's entry to its values on the displays, 100 times; the
// list holds `range` generated devices besides the demo's (a relay selection
// paints every entry black).
void BM_ClickToValues(benchmark::State& state) {
    const int generated = static_cast<int>(state.range(0));
    Sim sim(kSteady + QStringList{"--devices", QString::number(generated)});
    ShellFixture shell;
    if (sim.port() == 0 || !logIn(shell, "demo", "demo", sim.port())) {
        state.SkipWithError("no login");
        return;
    }
    GroupBar* bar = shell.ana().RzGroupBar1;
    if (!spinUntil([&] { return listedEntries(bar) == generated + kDemoDevices; }, 60000)) {
        state.SkipWithError("the device list did not fill");
        return;
    }
    // Voltages and currents of the three phases. A display is rewritten only
    // when its text changes, so each is blanked before a click, and the values
    // count as shown once any of them shows a plausible value again (the
    // no-value texts are negative).
    struct Shown {
        const char* name;
        double low, high;
        LedDisplay* display = nullptr;
    };
    Shown shown[] = {{"V1", 100, 400}, {"V2", 100, 400}, {"V3", 100, 400},
                     {"akm1", 0, 1e6}, {"akm2", 0, 1e6}, {"akm3", 0, 1e6}};
    for (Shown& d : shown) d.display = shell.ana().findChild<LedDisplay*>(QString::fromLatin1(d.name));
    GroupBarEntry* relay = findEntry(bar, kRelay);
    if (relay == nullptr ||
        std::any_of(std::begin(shown), std::end(shown), [](const Shown& d) { return !d.display; })) {
        state.SkipWithError("no displays or no relay entry");
        return;
    }
    const auto showsValues = [&] {
        return std::any_of(std::begin(shown), std::end(shown), [](const Shown& d) {
            bool ok = false;
            const double v = d.display->text().trimmed().replace(QLatin1Char(','), QLatin1Char('.')).toDouble(&ok);
            return ok && v >= d.low && v < d.high;
        });
    };
    // The device's first request builds it in merkez-sim: not counted.
    relay->click();
    spinUntil(showsValues, 10000);
    std::vector<double> ms;
    int missed = 0;
    for (auto _ : state) {
        ms.clear();
        for (int i = 0; i < 100; ++i) {
            settle(20);
            for (Shown& d : shown) d.display->setText(QStringLiteral("-"));
            QElapsedTimer t;
            t.start();
            relay->click();
            if (!spinUntil(showsValues, 5000)) ++missed;
            ms.push_back(static_cast<double>(t.nsecsElapsed()) / 1e6);
        }
        const Spread s = spreadOf(ms);
        state.SetIterationTime(s.median / 1000);
    }
    const Spread s = spreadOf(ms);
    state.counters["median_ms"] = s.median;
    state.counters["p99_ms"] = s.p99;
    state.counters["max_ms"] = s.max;
    state.counters["missed"] = missed;
    std::printf("click to values (list of %d): median %.1f ms, 99th percentile %.1f ms, max %.1f ms, %d missed\n",
                generated + kDemoDevices, s.median, s.p99, s.max, missed);
}
BENCHMARK(BM_ClickToValues)->Arg(0)->Arg(10000)->Iterations(1)->UseManualTime()->Unit(benchmark::kMillisecond);

// merkez-sim floods `range` pong messages after the login: the longest stall
// of the window from the click on Bağlan until the flood is read, and the
// memory before and after.
void BM_Flood(benchmark::State& state) {
    const auto flood = state.range(0);
    double stall = 0, seconds = 0, growth = 0, peak = 0, before = 0;
    for (auto _ : state) {
        Sim sim(kSteady + QStringList{"--flood", QString::number(flood)});
        ShellFixture shell;
        if (sim.port() == 0 || !prepareLogin(shell, "demo", "demo", sim.port())) {
            state.SkipWithError("merkez-sim or the login window did not come up");
            return;
        }
        settle(300);
        const std::int64_t start = residentBytes();
        std::int64_t highest = start;
        ReadWatch reads(shell.ana());
        StallProbe probe;
        probe.start();
        clickConnect(shell);
        QElapsedTimer sampled;  // the resident memory is read every 10 ms
        sampled.start();
        const bool read = spinUntil(
            [&] {
                if (sampled.elapsed() >= 10) {
                    highest = std::max(highest, residentBytes());
                    sampled.restart();
                }
                return reads.quietFor(1000);
            },
            180000);
        probe.stop();
        if (!read) {
            state.SkipWithError("the flood did not end");
            return;
        }
        settle(1000);
        seconds = static_cast<double>(reads.lastMs()) / 1000;
        state.SetIterationTime(seconds);
        stall = probe.longestStallMs();
        before = megabytes(start);
        peak = megabytes(highest);
        growth = megabytes(residentBytes() - start);
    }
    state.counters["stall_ms"] = stall;
    state.counters["rss_before_MB"] = before;
    state.counters["rss_peak_MB"] = peak;
    state.counters["rss_growth_MB"] = growth;
    std::printf(
        "flood of %lld: read within %.0f ms of the click on Bağlan, longest stall %.1f ms, memory %.0f MB before, %.0f "
        "MB at most, "
        "%+.1f MB after\n",
        static_cast<long long>(flood), seconds * 1000, stall, before, peak, growth);
}
BENCHMARK(BM_Flood)->Arg(100000)->Arg(10000000)->Iterations(1)->UseManualTime()->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) { return izleme::bench::runQtBenchmarks(argc, argv); }
