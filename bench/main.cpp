#include <QApplication>
#include <benchmark/benchmark.h>

#include "app/startup.h"
#include "framework/core/runtime.h"
#include "framework/frameworkclasses.h"
#include "windows/windowclasses.h"

// The windows are built as in the program, without a display unless one is asked for.
int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    RuntimeInit();
    RegisterFrameworkClasses();
    RegisterAppClasses();
    RegisterWindowClasses();
    RuntimeInitExternalClasses();

    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
