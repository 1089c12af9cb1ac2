// The device list widget alone, shown on the offscreen platform: filling it
// with 10,000 entries, marking every entry blue by serial as a device record
// does, painting every entry black as a relay selection does, finding a
// group among many, and the memory the entries take.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <map>
#include <utility>

#include "bench/client/Probe.h"
#include "bench/client/QtBenchMain.h"
#include "toolkit/ui/GroupBar.h"

using namespace izleme;

namespace {

const QColor kBlue(0, 0, 255);
const QColor kRed(255, 0, 0);

QString groupCaption(int g) { return QStringLiteral("BÖLGE %1").arg(g, 4, 10, QLatin1Char('0')); }

// Entries as the device list adds them: each to the group of its caption,
// created when missing, at the top.
void fill(GroupBar& bar, int entries, int perGroup) {
    for (int i = 0; i < entries; ++i) {
        const QString caption = groupCaption(i / perGroup);
        GroupBarGroup* g = bar.findGroup(caption);
        if (g == nullptr) g = bar.addGroup(caption);
        g->insertEntryAtTop(QStringLiteral("Pano %1 No: %2").arg(i + 1).arg(100001 + i), i % 10 == 9 ? 4 : 0)
            ->setClickAction([](GroupBarEntry*) {});
    }
}

// Settles layout and painting.
void settle() {
    for (int i = 0; i < 3; ++i) QCoreApplication::processEvents();
}

struct ShownBar {
    GroupBar bar;
    ShownBar(int entries, int perGroup) {
        bar.resize(241, 700);
        bar.show();
        fill(bar, entries, perGroup);
        settle();
    }
};

// Range: entries, entries per group. The memory counter is the growth of the
// resident memory over the first fill of the program for these arguments
// (later fills reuse the memory freed before them).
void BM_FillShownList(benchmark::State& state) {
    const int entries = static_cast<int>(state.range(0));
    const int perGroup = static_cast<int>(state.range(1));
    static std::map<std::pair<int, int>, double> firstFill;
    double& memory = firstFill.try_emplace({entries, perGroup}, -1.0).first->second;
    for (auto _ : state) {
        const std::int64_t before = bench::residentBytes();
        auto bar = std::make_unique<GroupBar>();
        bar->resize(241, 700);
        bar->show();
        fill(*bar, entries, perGroup);
        settle();
        if (memory < 0) memory = bench::megabytes(bench::residentBytes() - before);
        state.PauseTiming();
        bar.reset();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        state.ResumeTiming();
    }
    state.counters["first_fill_rss_MB"] = memory;
}
BENCHMARK(BM_FillShownList)->Args({10000, 100})->Args({10000, 10000})->Args({10000, 10})->Unit(benchmark::kMillisecond);

// A device record for serial "1" in every group: every entry's caption holds
// it, so every entry turns blue; the repaint that follows is included.
void BM_MarkWholeListBlue(benchmark::State& state) {
    ShownBar shown(10000, static_cast<int>(state.range(0)));
    GroupBar& bar = shown.bar;
    const QString serial = QStringLiteral("1");
    for (auto _ : state) {
        for (int g = 0; g < bar.groupCount(); ++g) {
            GroupBarGroup* group = bar.findGroup(bar.group(g)->caption());
            for (int e = 0; e < group->entryCount(); ++e) {
                GroupBarEntry* entry = group->entry(e);
                if (entry->caption().contains(serial)) entry->setFontColor(kBlue);
            }
        }
        settle();
        state.PauseTiming();
        for (int g = 0; g < bar.groupCount(); ++g)
            for (int e = 0; e < bar.group(g)->entryCount(); ++e) bar.group(g)->entry(e)->setFontColor(Qt::black);
        settle();
        state.ResumeTiming();
    }
}
BENCHMARK(BM_MarkWholeListBlue)->Arg(100)->Arg(10000)->Unit(benchmark::kMillisecond);

// A relay selection: every entry black (most already are), the clicked one red.
void BM_PaintAllBlack(benchmark::State& state) {
    ShownBar shown(10000, 100);
    GroupBar& bar = shown.bar;
    int turn = 0;
    for (auto _ : state) {
        for (int g = 0; g < bar.groupCount(); ++g) {
            GroupBarGroup* group = bar.group(g);
            for (int e = 0; e < group->entryCount(); ++e) {
                GroupBarEntry* entry = group->entry(e);
                if (entry->fontColor() != Qt::black) entry->setFontColor(Qt::black);
            }
        }
        bar.group(turn % bar.groupCount())->entry(turn % 100)->setFontColor(kRed);
        ++turn;
        settle();
    }
}
BENCHMARK(BM_PaintAllBlack)->Unit(benchmark::kMillisecond);

// The lookup every "cihazlar" message does, for the last of `range` groups.
void BM_FindLastGroup(benchmark::State& state) {
    GroupBar bar;
    const int groups = static_cast<int>(state.range(0));
    for (int g = 0; g < groups; ++g) bar.addGroup(groupCaption(g));
    const QString last = groupCaption(groups - 1);
    for (auto _ : state) benchmark::DoNotOptimize(bar.findGroup(last));
}
BENCHMARK(BM_FindLastGroup)->Arg(10)->Arg(100)->Arg(1000);

}  // namespace

int main(int argc, char** argv) { return izleme::bench::runQtBenchmarks(argc, argv); }
