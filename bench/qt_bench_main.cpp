// The window benchmarks' main: a styled application on the offscreen platform unless told otherwise.
#include <benchmark/benchmark.h>

#include <QApplication>

#include "ui/main/kvx_style.h"

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    kvx::ui::ApplyKVXStyle(app);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
