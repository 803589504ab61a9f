#pragma once

#include <memory>
#include <string>

#include "framework/windowing/window.h"

class Canvas;
class Label;
class MenuItem;
class PushButton;
class TextArea;

// The calculator: the number of tests, the error rate and the p-values go in, Calculate writes
// the table of Holm's procedure into the p-value field, and Clear empties all three fields.
class ControlWnd : public Window {
public:
    static constexpr const char* kQualifiedName = "ControlWnd.ControlWnd";

    void Layout() override;
    void CreateControls() override;
    void CreateControls0();

    std::shared_ptr<Canvas> QCanvas();
    std::shared_ptr<TextArea> Nvariables();
    std::shared_ptr<TextArea> ErrorFld();
    std::shared_ptr<TextArea> InputFld1();
    std::shared_ptr<PushButton> ClearBtn();
    std::shared_ptr<PushButton> CalculateBtn();
    std::shared_ptr<Label> StaticText1();
    std::shared_ptr<Label> StaticText3();
    std::shared_ptr<Canvas> TitlePict();
    std::shared_ptr<Label> StaticText2();
    std::shared_ptr<Label> copytext();

    // The items of the window's menu bar; NilObjectException when the window has no bar.
    std::shared_ptr<MenuItem> EditMenu();
    std::shared_ptr<MenuItem> EditSelectAll();
    std::shared_ptr<MenuItem> UntitledMenu0();
    std::shared_ptr<MenuItem> EditClear();
    std::shared_ptr<MenuItem> EditPaste();
    std::shared_ptr<MenuItem> EditCopy();
    std::shared_ptr<MenuItem> EditCut();
    std::shared_ptr<MenuItem> UntitledMenu1();
    std::shared_ptr<MenuItem> EditUndo();

    void CalculateBtn_Action(PushButton& button);
    void ClearBtn_Action(PushButton& button);
    // Each returns true to drop the key: only digits and the keys that edit or move
    // (control characters) reach the field, and the error rate also takes a decimal point.
    bool Nvariables_KeyDown(TextArea& field, const std::string& key);
    bool ErrorFld_KeyDown(TextArea& field, const std::string& key);
    // The question mark opens the one Description window.
    bool QCanvas_MouseDown(Canvas& canvas, int32_t x, int32_t y);

    void AddMenuHandlers(Window& window) override;
    // Closing the calculator ends the program, whatever else is open.
    void Event_Close() override;
    // The About window (the splash) never stands in front of the calculator.
    void Event_Activate() override;
    // Registered for menu items that no menu of the program holds.
    bool DescriptionMenuItem_Action();
    bool AboutVesk_Action();

private:
    std::shared_ptr<MenuItem> MenuItemNamed(const std::string& name) const;
};
