#pragma once

#include "framework/windowing/window.h"

// The start window: never seen. Its Open event runs the splash.
class InvisibleWnd : public Window {
public:
    static constexpr const char* kQualifiedName = "InvisibleWnd.InvisibleWnd";

    void Layout() override;
    void CreateControls() override {}
    // Shows the About window for about three seconds, then the calculator window.
    void Event_Open() override;
};
