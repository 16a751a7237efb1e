#pragma once

// The main() of the benchmarks that draw: an offscreen QApplication (unless a platform is named) and a test
// location for settings, so a run never reads or writes the user's stored record.
#include <QApplication>
#include <QStandardPaths>

#include <benchmark/benchmark.h>

#define BROLGA_WIDGET_BENCHMARK_MAIN()                                                                                 \
    int main(int argc, char **argv)                                                                                    \
    {                                                                                                                  \
        if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))                                                            \
            qputenv("QT_QPA_PLATFORM", "offscreen");                                                                   \
        QStandardPaths::setTestModeEnabled(true);                                                                      \
        QApplication app(argc, argv);                                                                                  \
        benchmark::Initialize(&argc, argv);                                                                            \
        if (benchmark::ReportUnrecognizedArguments(argc, argv))                                                        \
            return 1;                                                                                                  \
        benchmark::RunSpecifiedBenchmarks();                                                                           \
        benchmark::Shutdown();                                                                                         \
        return 0;                                                                                                      \
    }
