// The main of a benchmark program that measures widgets: a QApplication (on
// the offscreen platform unless another one is chosen), then the benchmarks.
#pragma once

#include <benchmark/benchmark.h>

#include <QApplication>

namespace izleme::bench {

inline int runQtBenchmarks(int argc, char** argv) {
    if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}

}  // namespace izleme::bench
