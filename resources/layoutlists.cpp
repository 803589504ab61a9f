#include "resources/layoutlists.h"

#include "resources/aboutwndlayout.h"
#include "resources/controlwndlayout.h"
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
        {"ControlWnd", kControlWndList},
        {"ControlWnd.QCanvas", kControlWndQCanvasList},
        {"ControlWnd.Nvariables", kControlWndNvariablesList},
        {"ControlWnd.ErrorFld", kControlWndErrorFldList},
        {"ControlWnd.InputFld1", kControlWndInputFld1List},
        {"ControlWnd.ClearBtn", kControlWndClearBtnList},
        {"ControlWnd.CalculateBtn", kControlWndCalculateBtnList},
        {"ControlWnd.StaticText1", kControlWndStaticText1List},
        {"ControlWnd.StaticText3", kControlWndStaticText3List},
        {"ControlWnd.TitlePict", kControlWndTitlePictList},
        {"ControlWnd.StaticText2", kControlWndStaticText2List},
        {"ControlWnd.copytext", kControlWndCopytextList},
        {"DescriptionWnd", kDescriptionWndList},
        {"DescriptionWnd.DescribeFld", kDescribeFldList},
        {"DescriptionWnd.DescribeFld2", kDescribeFld2List},
    };
}
