#include "resources/layoutlists.h"

#include "resources/aboutwndlayout.h"
#include "resources/descriptionwndlayout.h"
#include "resources/invisiblewndlayout.h"

std::vector<NamedLayoutList> AllLayoutLists()
{
    return {
        {"InvisibleWnd", kInvisibleWndList},
        {"AboutWnd", kAboutWndList},
        {"AboutWnd.StaticText5", kAboutWndStaticText5List},
        {"AboutWnd.Canvas2", kAboutWndCanvas2List},
        {"AboutWnd.Canvas1", kAboutWndCanvas1List},
        {"DescriptionWnd", kDescriptionWndList},
        {"DescriptionWnd.DescribeFld", kDescribeFldList},
        {"DescriptionWnd.DescribeFld2", kDescribeFld2List},
    };
}
