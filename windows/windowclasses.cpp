#include "windows/windowclasses.h"

#include "framework/runtime.h"
#include "windows/invisiblewnd.h"

void RegisterWindowClasses()
{
    RegisterClass<InvisibleWnd>(InvisibleWnd::kQualifiedName, "Window");
}
