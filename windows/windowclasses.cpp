#include "windows/windowclasses.h"

#include "framework/core/runtime.h"
#include "windows/aboutwnd.h"
#include "windows/controlwnd.h"
#include "windows/descriptionwnd.h"
#include "windows/invisiblewnd.h"

void RegisterWindowClasses()
{
    RegisterClass<InvisibleWnd>(InvisibleWnd::kQualifiedName, "Window");
    RegisterClass<AboutWnd>(AboutWnd::kQualifiedName, "Window");
    RegisterClass<ControlWnd>(ControlWnd::kQualifiedName, "Window");
    RegisterClass<DescriptionWnd>(DescriptionWnd::kQualifiedName, "Window");
}
