#include "windows/invisiblewnd.h"

#include <cstdint>

#include "app/windowaccessor.h"
#include "framework/core/system.h"
#include "framework/core/text.h"
#include "resources/invisiblewndlayout.h"
#include "windows/aboutwnd.h"
#include "windows/controlwnd.h"

namespace {

// Whole seconds on the tick clock (60 ticks a second). A second count is a tick count over 60,
// so the difference of two of them stays far inside Int32 whatever the ticks are.
static_assert(INT32_MAX / 60 - INT32_MIN / 60 < INT32_MAX);

int32_t TickSecond()
{
    return RuntimeCvtReal64ToSInt32(RuntimeCvtSInt32ToReal64(Ticks()) / 60.0);
}

} // namespace

void InvisibleWnd::Layout() { SetProperties(*this, kInvisibleWndList); }

void InvisibleWnd::Event_Open()
{
    std::shared_ptr<AboutWnd> about = ImplicitInstance<AboutWnd>();
    about->Show();

    // The About window stays until three whole seconds of the clock have begun since the one
    // the wait started in: between 121 and 180 ticks. Paint and timer events go on meanwhile.
    const int32_t startSecond = TickSecond();
    int32_t currentSecond = 0;
    while (!(2.75 < RuntimeCvtSInt32ToReal64(currentSecond - startSecond))) {
        currentSecond = TickSecond();
        RuntimeBackgroundTask();
    }

    ImplicitInstance<AboutWnd>()->Hide();
    ImplicitInstance<InvisibleWnd>()->Hide();
    ImplicitInstance<ControlWnd>()->Show();
}
