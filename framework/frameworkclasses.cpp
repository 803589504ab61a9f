#include "framework/frameworkclasses.h"

#include "framework/controls/canvas.h"
#include "framework/controls/label.h"
#include "framework/controls/pushbutton.h"
#include "framework/controls/textarea.h"
#include "framework/core/application.h"
#include "framework/core/runtime.h"
#include "framework/windowing/menuitem.h"
#include "framework/windowing/window.h"

void RegisterFrameworkClasses()
{
    RegisterClass("Object", "");
    RegisterClass("Application", "Object");
    RegisterClass<Window>("Window", "Object");
    RegisterClass("RectControl", "Object");
    RegisterClass<Label>("Label", "RectControl");
    RegisterClass<TextArea>("TextArea", "RectControl");
    RegisterClass<PushButton>("PushButton", "RectControl");
    RegisterClass<Canvas>("Canvas", "RectControl");
    RegisterClass<MenuItem>("MenuItem", "Object");
    RegisterClass<MenuBar>("MenuBar", "MenuItem");
}
