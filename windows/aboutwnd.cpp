#include "windows/aboutwnd.h"

#include "app/pictureitems.h"
#include "app/windowaccessor.h"
#include "framework/core/runtime.h"
#include "resources/aboutwndlayout.h"
#include "windows/controlbuilder.h"
#include "windows/controlwnd.h"

void AboutWnd::Layout() { SetProperties(*this, kAboutWndList); }

void AboutWnd::CreateControls() { CreateControls0(); }

void AboutWnd::CreateControls0()
{
    BuildTextControl(*this, "Label", "StaticText5", 9.0f, kAboutWndStaticText5List);
    BuildCanvas(*this, "Canvas2", &BadgeSmall, kAboutWndCanvas2List);
    BuildCanvas(*this, "Canvas1", &VeskSmall, kAboutWndCanvas1List);
}

std::shared_ptr<Label> AboutWnd::StaticText5() { return Control<Label>("StaticText5"); }
std::shared_ptr<Canvas> AboutWnd::Canvas2() { return Control<Canvas>("Canvas2"); }
std::shared_ptr<Canvas> AboutWnd::Canvas1() { return Control<Canvas>("Canvas1"); }

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
