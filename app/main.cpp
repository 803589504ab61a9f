#include "app/startup.h"
#include "framework/core/runtime.h"
#include "framework/frameworkclasses.h"
#include "windows/windowclasses.h"

int main()
{
    RuntimeInit();
    RegisterFrameworkClasses();
    RegisterAppClasses();
    RegisterWindowClasses();
    Main();
    ModuleFinalisation();
    return RuntimeExit();
}
