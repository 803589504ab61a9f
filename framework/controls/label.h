#pragma once

#include "framework/controls/textcontrol.h"

// A static text.
class Label : public TextControl {
public:
    std::string Text() const { return StringProperty("Text"); }
    bool AcceptsProperty(std::string_view name) const override;

protected:
    QWidget* CreateWidget(QWidget* parent) override;
    void ApplyProperty(std::string_view name, const PropertyValue& value) override;
};
