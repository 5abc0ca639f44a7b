// The entry point of the benchmarks that drive real windows: an application
// object, offscreen unless a platform is chosen, with the program's identity
// (where its settings live), kept running while windows open and close.

#include <benchmark/benchmark.h>

#include <QApplication>

#include "app/ui/program.h"

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    vexlab::app::set_application_identity();
    QApplication::setQuitOnLastWindowClosed(false);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
