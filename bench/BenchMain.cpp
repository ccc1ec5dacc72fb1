#include "support/TestEnvironment.h"

#include <QCoreApplication>
#include <benchmark/benchmark.h>

// Benchmarks of Qt code need an application object for queues, timers and signals. Like the
// tests, they keep to a fresh home: a bench of the real application would otherwise dictate
// into the user's own history.
int main(int argc, char** argv) {
    TestEnvironment::isolateHome();
    QCoreApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
