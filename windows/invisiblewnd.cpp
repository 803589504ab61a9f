#include "windows/invisiblewnd.h"

#include "resources/invisiblewndlayout.h"

void InvisibleWnd::Layout() { SetProperties(*this, kInvisibleWndList); }
