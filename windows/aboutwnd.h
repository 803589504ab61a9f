#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "framework/controls/canvas.h"
#include "framework/controls/label.h"
#include "framework/windowing/window.h"

// The About window: the program's picture, its badge and the credit line in a plain box. It
// doubles as the splash; any key or click in it dismisses it for the calculator window.
class AboutWnd : public Window {
public:
    static constexpr const char* kQualifiedName = "AboutWnd.AboutWnd";

    void Layout() override;
    void CreateControls() override;
    void CreateControls0();

    std::shared_ptr<Label> StaticText5();
    std::shared_ptr<Canvas> Canvas2();
    std::shared_ptr<Canvas> Canvas1();

    bool Event_KeyDown(const std::string& key) override;
    bool Event_MouseDown(int32_t x, int32_t y) override;

private:
    void Dismiss();
};
