#include <QByteArray>
#include <benchmark/benchmark.h>

#include "app/startup.h"
#include "framework/core/runtime.h"
#include "framework/frameworkclasses.h"
#include "windows/windowclasses.h"

// The windows are built as in the program, without a display unless one is asked for, and go
// as in the program: shut-down releases them before the toolkit ends.
int main(int argc, char** argv)
{
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    RuntimeInit();
    RegisterFrameworkClasses();
    RegisterAppClasses();
    RegisterWindowClasses();
    RuntimeInitExternalClasses();

    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    ModuleFinalisation();
    return RuntimeExit();
}
