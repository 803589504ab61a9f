#include "windows/controlbuilder.h"

#include "framework/controls/canvas.h"
#include "framework/controls/textcontrol.h"

namespace {

template <class C>
std::shared_ptr<C> CreateControl(Window& window, const char* className, const std::string& name)
{
    std::shared_ptr<RectControl> control = window.New(ClassNamed(className));
    control->Constructor();
    window.AddControl(name, std::move(control));
    return window.Control<C>(name);
}

} // namespace

std::shared_ptr<TextControl> BuildTextControl(Window& window, const char* className, const std::string& name,
                                              float textSize, PropertyList list)
{
    std::shared_ptr<TextControl> control = CreateControl<TextControl>(window, className, name);
    control->SetTextSize(textSize);
    control->SetTextUnit(FontUnits::Default);
    SetProperties(*control, list);
    return control;
}

std::shared_ptr<Canvas> BuildCanvas(Window& window, const std::string& name, std::shared_ptr<Picture> (*pictureItem)(),
                                    PropertyList list)
{
    std::shared_ptr<Canvas> canvas = CreateControl<Canvas>(window, "Canvas", name);
    canvas->SetBackdrop(pictureItem());
    SetProperties(*canvas, list);
    return canvas;
}
