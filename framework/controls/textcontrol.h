#pragma once

#include "framework/controls/rectcontrol.h"

class QFont;

// A control that shows text in a font of its own: labels, text areas and push buttons.
class TextControl : public RectControl {
public:
    float TextSize() const { return textSize_; }
    void SetTextSize(float size);
    FontUnits TextUnit() const { return textUnit_; }
    void SetTextUnit(FontUnits unit);
    const std::string& TextFont() const { return textFont_; }

    const PropertyTable& Properties() const override;
    void ShowProperties() override;

private:
    void ShowFont();
    // The font from TextFont, TextSize, Bold, Italic and Underline.
    QFont ControlFont() const;

    float textSize_ = 0;
    FontUnits textUnit_ = FontUnits::Default;
    std::string textFont_;
    bool bold_ = false;
    bool italic_ = false;
    bool underline_ = false;
};
