#pragma once

#include "framework/controls/rectcontrol.h"

// A control that shows text in a font of its own: labels, text areas and push buttons.
class TextControl : public RectControl {
public:
    float TextSize() const { return textSize_; }
    void SetTextSize(float size);
    FontUnits TextUnit() const { return textUnit_; }
    void SetTextUnit(FontUnits unit);

protected:
    void ApplyProperty(std::string_view name, const PropertyValue& value) override;
    void ApplyFont();
    static bool IsFontProperty(std::string_view name);

private:
    float textSize_ = 0;
    FontUnits textUnit_ = FontUnits::Default;
};
