#include "windows/controlbuilder.h"

#include "framework/controls/canvas.h"
#include "framework/controls/textcontrol.h"

namespace {

void AddNew(Window& window, const char* className, const std::string& name)
{
    std::shared_ptr<RectControl> control = window.New(ClassNamed(className));
    control->Constructor();
    window.AddControl(name, control);
}

} // namespace

void BuildTextControl(Window& window, const char* className, const std::string& name, float textSize,
                      PropertyList list)
{
    AddNew(window, className, name);
    ControlNamed<TextControl>(window, name)->SetTextSize(textSize);
    ControlNamed<TextControl>(window, name)->SetTextUnit(FontUnits::Default);
    SetProperties(*ControlNamed<RectControl>(window, name), list);
}

void BuildCanvas(Window& window, const std::string& name, std::shared_ptr<Picture> backdrop, PropertyList list)
{
    AddNew(window, "Canvas", name);
    ControlNamed<Canvas>(window, name)->SetBackdrop(std::move(backdrop));
    SetProperties(*ControlNamed<RectControl>(window, name), list);
}
