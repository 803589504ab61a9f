#include "windows/aboutwnd.h"

#include "app/pictureitems.h"
#include "app/windowaccessor.h"
#include "framework/runtime.h"
#include "resources/aboutwndlayout.h"
#include "windows/controlwnd.h"

namespace {

// Each step reaches the control again by its name, as every window's controls are built.
template <class C>
std::shared_ptr<C> Named(Window& window, const std::string& name)
{
    auto control = RuntimeCheckCast<C>(window.ControlByName(name));
    if (!control)
        throw NilObjectException("AboutWnd: no control named " + name);
    return control;
}

void AddNew(Window& window, const char* className, const std::string& name)
{
    auto control = window.New(ClassNamed(className));
    control->Constructor();
    window.AddControl(name, control);
}

void BuildLabel(Window& window, const std::string& name, float textSize, PropertyList list)
{
    AddNew(window, "Label", name);
    Named<Label>(window, name)->SetTextSize(textSize);
    Named<Label>(window, name)->SetTextUnit(FontUnits::Default);
    SetProperties(*Named<Label>(window, name), list);
}

void BuildCanvas(Window& window, const std::string& name, std::shared_ptr<Picture> backdrop, PropertyList list)
{
    AddNew(window, "Canvas", name);
    Named<Canvas>(window, name)->SetBackdrop(std::move(backdrop));
    SetProperties(*Named<Canvas>(window, name), list);
}

} // namespace

void AboutWnd::Layout() { SetProperties(*this, kAboutWndList); }

void AboutWnd::CreateControls() { CreateControls0(); }

void AboutWnd::CreateControls0()
{
    BuildLabel(*this, "StaticText5", 9.0f, kAboutWndStaticText5List);
    BuildCanvas(*this, "Canvas2", BadgeSmall(), kAboutWndCanvas2List);
    BuildCanvas(*this, "Canvas1", VeskSmall(), kAboutWndCanvas1List);
}

std::shared_ptr<Label> AboutWnd::StaticText5() { return RuntimeCheckCast<Label>(ControlByName("StaticText5")); }
std::shared_ptr<Canvas> AboutWnd::Canvas2() { return RuntimeCheckCast<Canvas>(ControlByName("Canvas2")); }
std::shared_ptr<Canvas> AboutWnd::Canvas1() { return RuntimeCheckCast<Canvas>(ControlByName("Canvas1")); }

bool AboutWnd::Event_KeyDown(const std::string& key)
{
    (void)key;
    Dismiss();
    return false;
}

bool AboutWnd::Event_MouseDown(int32_t x, int32_t y)
{
    (void)x;
    (void)y;
    Dismiss();
    return false;
}

// Whatever was pressed, the About window gives way to the calculator.
void AboutWnd::Dismiss()
{
    ImplicitInstance<AboutWnd>()->Hide();
    ImplicitInstance<ControlWnd>()->Show();
}
