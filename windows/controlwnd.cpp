#include "windows/controlwnd.h"

#include "app/menubar1.h"
#include "app/pictureitems.h"
#include "app/windowaccessor.h"
#include "framework/controls/canvas.h"
#include "framework/controls/eventhandlers.h"
#include "framework/controls/label.h"
#include "framework/controls/pushbutton.h"
#include "framework/controls/textarea.h"
#include "framework/core/propertylist.h"
#include "framework/core/runtime.h"
#include "framework/core/system.h"
#include "framework/core/text.h"
#include "framework/windowing/menuitem.h"
#include "resources/controlwndlayout.h"
#include "windows/aboutwnd.h"
#include "windows/calculation.h"
#include "windows/controlbuilder.h"
#include "windows/descriptionwnd.h"

namespace {

// The digit test compares the whole key text, as the program always has.
bool IsDigitKey(const std::string& key)
{
    return RuntimeStringCompare(key, "0") >= 0 && RuntimeStringCompare(key, "9") <= 0;
}

bool DropKey()
{
    Beep();
    return true;
}

}  // namespace

void ControlWnd::Layout()
{
    SetMenuBar(MenuBar1::ImplicitInstance());
    SetProperties(*this, kControlWndList);
}

void ControlWnd::CreateControls() { CreateControls0(); }

void ControlWnd::CreateControls0()
{
    // A control is built whole (made, found, sized or given its picture, its list applied)
    // before its handler is made and attached.
    std::shared_ptr<Canvas> qCanvas = BuildCanvas(*this, "QCanvas", &Question48, kControlWndQCanvasList);
    RuntimeAddEventHandler(*qCanvas, EventId::MouseDown,
                           RuntimeCreateDelegate(&ControlWnd::QCanvas_MouseDown, Self<ControlWnd>(),
                                                 "( Canvas, Int32, Int32 ) as Boolean", kWeakDelegate));
    std::shared_ptr<TextControl> nvariables =
        BuildTextControl(*this, "TextArea", "Nvariables", 14, kControlWndNvariablesList);
    RuntimeAddEventHandler(*nvariables, EventId::KeyDown,
                           RuntimeCreateDelegate(&ControlWnd::Nvariables_KeyDown, Self<ControlWnd>(),
                                                 "( TextArea, String ) as Boolean", kWeakDelegate));
    std::shared_ptr<TextControl> errorFld =
        BuildTextControl(*this, "TextArea", "ErrorFld", 14, kControlWndErrorFldList);
    RuntimeAddEventHandler(*errorFld, EventId::KeyDown,
                           RuntimeCreateDelegate(&ControlWnd::ErrorFld_KeyDown, Self<ControlWnd>(),
                                                 "( TextArea, String ) as Boolean", kWeakDelegate));
    BuildTextControl(*this, "TextArea", "InputFld1", 10, kControlWndInputFld1List);
    std::shared_ptr<TextControl> clearBtn =
        BuildTextControl(*this, "PushButton", "ClearBtn", 12, kControlWndClearBtnList);
    RuntimeAddEventHandler(*clearBtn, EventId::Action,
                           RuntimeCreateDelegate(&ControlWnd::ClearBtn_Action, Self<ControlWnd>(), "( PushButton )",
                                                 kWeakDelegate));
    std::shared_ptr<TextControl> calculateBtn =
        BuildTextControl(*this, "PushButton", "CalculateBtn", 12, kControlWndCalculateBtnList);
    RuntimeAddEventHandler(*calculateBtn, EventId::Action,
                           RuntimeCreateDelegate(&ControlWnd::CalculateBtn_Action, Self<ControlWnd>(),
                                                 "( PushButton )", kWeakDelegate));
    BuildTextControl(*this, "Label", "StaticText1", 14, kControlWndStaticText1List);
    BuildTextControl(*this, "Label", "StaticText3", 12, kControlWndStaticText3List);
    BuildCanvas(*this, "TitlePict", &Vesk, kControlWndTitlePictList);
    BuildTextControl(*this, "Label", "StaticText2", 14, kControlWndStaticText2List);
    BuildTextControl(*this, "Label", "copytext", 10, kControlWndCopytextList);
}

std::shared_ptr<Canvas> ControlWnd::QCanvas() { return Control<Canvas>("QCanvas"); }
std::shared_ptr<TextArea> ControlWnd::Nvariables() { return Control<TextArea>("Nvariables"); }
std::shared_ptr<TextArea> ControlWnd::ErrorFld() { return Control<TextArea>("ErrorFld"); }
std::shared_ptr<TextArea> ControlWnd::InputFld1() { return Control<TextArea>("InputFld1"); }
std::shared_ptr<PushButton> ControlWnd::ClearBtn() { return Control<PushButton>("ClearBtn"); }
std::shared_ptr<PushButton> ControlWnd::CalculateBtn() { return Control<PushButton>("CalculateBtn"); }
std::shared_ptr<Label> ControlWnd::StaticText1() { return Control<Label>("StaticText1"); }
std::shared_ptr<Label> ControlWnd::StaticText3() { return Control<Label>("StaticText3"); }
std::shared_ptr<Canvas> ControlWnd::TitlePict() { return Control<Canvas>("TitlePict"); }
std::shared_ptr<Label> ControlWnd::StaticText2() { return Control<Label>("StaticText2"); }
std::shared_ptr<Label> ControlWnd::copytext() { return Control<Label>("copytext"); }

std::shared_ptr<MenuItem> ControlWnd::MenuItemNamed(const std::string& name) const
{
    std::shared_ptr<MenuBar> bar = GetMenuBar();
    if (!bar)
        throw NilObjectException("ControlWnd has no menu bar to find " + name + " in");
    return RuntimeCheckCast<MenuItem>(bar->Lookup(name));
}

std::shared_ptr<MenuItem> ControlWnd::EditMenu() { return MenuItemNamed("EditMenu"); }
std::shared_ptr<MenuItem> ControlWnd::EditSelectAll() { return MenuItemNamed("EditSelectAll"); }
std::shared_ptr<MenuItem> ControlWnd::UntitledMenu0() { return MenuItemNamed("UntitledMenu0"); }
std::shared_ptr<MenuItem> ControlWnd::EditClear() { return MenuItemNamed("EditClear"); }
std::shared_ptr<MenuItem> ControlWnd::EditPaste() { return MenuItemNamed("EditPaste"); }
std::shared_ptr<MenuItem> ControlWnd::EditCopy() { return MenuItemNamed("EditCopy"); }
std::shared_ptr<MenuItem> ControlWnd::EditCut() { return MenuItemNamed("EditCut"); }
std::shared_ptr<MenuItem> ControlWnd::UntitledMenu1() { return MenuItemNamed("UntitledMenu1"); }
std::shared_ptr<MenuItem> ControlWnd::EditUndo() { return MenuItemNamed("EditUndo"); }

void ControlWnd::CalculateBtn_Action(PushButton&)
{
    const CalculationResult result =
        Calculate(Nvariables()->Text(), ErrorFld()->Text(), InputFld1()->Text(), &RuntimeBackgroundTask);
    if (result.message) {
        MsgBox(*result.message);
        return;
    }
    // The table goes in a line at a time, each appended to what the field holds.
    TextArea& field = *InputFld1();
    field.SetText(result.lines.front());
    for (size_t i = 1; i < result.lines.size(); ++i)
        field.SetText(RuntimeAddString(field.Text(), result.lines[i]));
}

void ControlWnd::ClearBtn_Action(PushButton&)
{
    Nvariables()->SetText("");
    InputFld1()->SetText("");
    ErrorFld()->SetText("");
    Nvariables()->SetFocus();
}

bool ControlWnd::Nvariables_KeyDown(TextArea&, const std::string& key)
{
    const int32_t code = Asc(key);
    if (IsDigitKey(key))
        return false;
    if (code < 32 || code == 127)
        return false;
    return DropKey();
}

bool ControlWnd::ErrorFld_KeyDown(TextArea&, const std::string& key)
{
    const int32_t code = Asc(key);
    if (IsDigitKey(key))
        return false;
    if (code < 32 || code == 127)
        return false;
    if (code == 46) // the decimal point of the error rate
        return false;
    return DropKey();
}

bool ControlWnd::QCanvas_MouseDown(Canvas&, int32_t, int32_t)
{
    ImplicitInstance<DescriptionWnd>()->Show();
    return false;
}

void ControlWnd::AddMenuHandlers(Window& window)
{
    std::shared_ptr<ControlWnd> self = RuntimeCheckCast<ControlWnd>(window.shared_from_this());
    AddMenuHandler("DescriptionMenuItem", RuntimeCreateDelegate(&ControlWnd::DescriptionMenuItem_Action, self,
                                                                "(  ) as Boolean", kWeakDelegate));
    AddMenuHandler("AboutVesk",
                   RuntimeCreateDelegate(&ControlWnd::AboutVesk_Action, self, "(  ) as Boolean", kWeakDelegate));
}

void ControlWnd::Event_Close() { Quit(0); }

void ControlWnd::Event_Activate() { ImplicitInstance<AboutWnd>()->Hide(); }

bool ControlWnd::DescriptionMenuItem_Action()
{
    ImplicitInstance<DescriptionWnd>()->Show();
    return false;
}

bool ControlWnd::AboutVesk_Action()
{
    ImplicitInstance<AboutWnd>()->Show();
    return false;
}
