#include "windows/descriptionwnd.h"

#include "app/windowaccessor.h"
#include "framework/controls/eventhandlers.h"
#include "framework/controls/textarea.h"
#include "framework/core/runtime.h"
#include "framework/printing/printing.h"
#include "resources/descriptionwndlayout.h"
#include "windows/aboutwnd.h"
#include "windows/controlbuilder.h"
#include "windows/controlwnd.h"

namespace {

// The help text's first 29 characters: the program's name and the start of its description.
constexpr int32_t kBoldLength = 29;
// The printed block: 7.5 inches of text wide and high, in points.
constexpr int32_t kPrintExtent = 540;

} // namespace

void DescriptionWnd::Layout() { SetProperties(*this, kDescriptionWndList); }

void DescriptionWnd::CreateControls() { CreateControls0(); }

void DescriptionWnd::CreateControls0()
{
    BuildTextControl(*this, "TextArea", "DescribeFld", 10.0f, kDescribeFldList);
    BuildTextControl(*this, "TextArea", "DescribeFld2", 11.0f, kDescribeFld2List);
}

void DescriptionWnd::AddMenuHandlers(Window& window)
{
    auto self = RuntimeCheckCast<DescriptionWnd>(window.shared_from_this());
    self->AddMenuHandler("ControlMenuItem", RuntimeCreateDelegate(&DescriptionWnd::ControlMenuItem_Action, self,
                                                                  "(  ) as Boolean", kWeakDelegate));
    self->AddMenuHandler("AboutMenuItem", RuntimeCreateDelegate(&DescriptionWnd::AboutMenuItem_Action, self,
                                                                "(  ) as Boolean", kWeakDelegate));
    self->AddMenuHandler("Print", RuntimeCreateDelegate(&DescriptionWnd::Print_Action, self, "(  ) as Boolean",
                                                        kWeakDelegate));
}

void DescriptionWnd::Event_Open()
{
    // The selection is left as it is: the bold run stays selected when the window opens.
    DescribeFld2()->SetSelStart(0);
    DescribeFld2()->SetSelLength(kBoldLength);
    DescribeFld2()->SetSelBold(true);
}

std::shared_ptr<TextArea> DescriptionWnd::DescribeFld() { return Control<TextArea>("DescribeFld"); }
std::shared_ptr<TextArea> DescriptionWnd::DescribeFld2() { return Control<TextArea>("DescribeFld2"); }

bool DescriptionWnd::ControlMenuItem_Action()
{
    ImplicitInstance<ControlWnd>()->Show();
    return false;
}

bool DescriptionWnd::AboutMenuItem_Action()
{
    ImplicitInstance<AboutWnd>()->Show();
    return false;
}

bool DescriptionWnd::Print_Action()
{
    std::shared_ptr<Graphics> graphics = OpenPrinterDialog();
    if (!graphics)
        return false;
    std::shared_ptr<StyledTextPrinter> printer = StyledTextPrinterFor(*DescribeFld2(), *graphics, kPrintExtent);
    if (!printer)
        throw NilObjectException("DescriptionWnd: no printer for the help text");
    printer->DrawBlock(0, 0, kPrintExtent);
    return false;
}
