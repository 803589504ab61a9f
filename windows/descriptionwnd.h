#pragma once

#include <memory>

#include "framework/windowing/window.h"

class TextArea;

// The help window: the program's description, its first words in bold, in a read-only area
// that grows with the window. Its menu handlers lead to the calculator and the About window.
class DescriptionWnd : public Window {
public:
    static constexpr const char* kQualifiedName = "DescriptionWnd.DescriptionWnd";

    void Layout() override;
    void CreateControls() override;
    void CreateControls0();
    void AddMenuHandlers(Window& window) override;
    void Event_Open() override;

    std::shared_ptr<TextArea> DescribeFld();
    std::shared_ptr<TextArea> DescribeFld2();

    // Menu handlers; each returns false so that the framework's own command may run as well.
    bool ControlMenuItem_Action();
    bool AboutMenuItem_Action();
    // Prints the first page's worth of the help text on a printer the person chooses.
    bool Print_Action();
};
