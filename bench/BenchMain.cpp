#include <QCoreApplication>
#include <benchmark/benchmark.h>

// Benchmarks of Qt code need an application object for queues, timers and signals.
int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
