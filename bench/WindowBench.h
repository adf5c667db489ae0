// The start of a benchmark program that needs the toolkit: an offscreen application and silent
// sound; `setup` builds what the benchmarks measure, `teardown` frees it while the application stands.
#pragma once

#include <QApplication>
#include <benchmark/benchmark.h>
#include <cstdlib>

inline int RunWindowBenchmarks(int argc, char **argv, void (*setup)(), void (*teardown)())
{
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    setenv("SDL_AUDIODRIVER", "dummy", 0);
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    setup();
    benchmark::RunSpecifiedBenchmarks();
    teardown();
    benchmark::Shutdown();
    return 0;
}
