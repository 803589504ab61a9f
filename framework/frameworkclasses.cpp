#include "framework/application.h"
#include "framework/canvas.h"
#include "framework/label.h"
#include "framework/menuitem.h"
#include "framework/pushbutton.h"
#include "framework/runtime.h"
#include "framework/textarea.h"
#include "framework/window.h"

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
