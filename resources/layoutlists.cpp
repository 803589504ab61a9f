#include "resources/layoutlists.h"

#include "resources/invisiblewndlayout.h"

std::vector<NamedLayoutList> AllLayoutLists()
{
    return {
        {"InvisibleWnd", kInvisibleWndList},
    };
}
