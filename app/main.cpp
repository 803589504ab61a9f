#include "app/startup.h"
#include "framework/runtime.h"
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
