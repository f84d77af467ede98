// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QApplication>

#include <benchmark/benchmark.h>

// The main of the benchmarks that need the Qt application: offscreen unless a platform is
// named.
inline int runQtBenchmarks(int argc, char** argv) {
    benchmark::Initialize(&argc, argv);
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
