#pragma once

#include "framework/controls/textcontrol.h"

// A static text.
class Label : public TextControl {
public:
    const std::string& Text() const { return text_; }
    const PropertyTable& Properties() const override;

protected:
    QWidget* CreateWidget(QWidget* parent) override;

private:
    void ShowText();
    void ShowTextAlign();
    void ShowTextColor();
    void ShowMultiline();
    void ShowSelectable();
    void ShowTransparent();

    std::string text_;
    int32_t textAlign_ = 0;
    Color textColor_;
    bool multiline_ = false;
    bool selectable_ = false;
    bool transparent_ = false;
};
