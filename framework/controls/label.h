#pragma once

#include "framework/controls/textcontrol.h"

// A static text.
class Label : public TextControl {
public:
    const std::string& Text() const { return text_; }
    const PropertyTable& Properties() const override;
    void ShowProperties() override;

protected:
    QWidget* CreateWidget(QWidget* parent) override;

private:

    std::string text_;
    int32_t textAlign_ = 0;
    Color textColor_;
    bool multiline_ = false;
    bool selectable_ = false;
    bool transparent_ = false;
};
