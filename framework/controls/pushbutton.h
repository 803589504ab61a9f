#pragma once

#include "framework/controls/textcontrol.h"

// A push button; its Action event fires when it is clicked.
class PushButton : public TextControl {
public:
    std::string Caption() const { return StringProperty("Caption"); }
    bool AcceptsProperty(std::string_view name) const override;
    std::string EventSignature(int32_t eventId) const override;
    bool TakesTabFocus() const override { return BoolProperty("TabStop"); }
    // Clicks the button as a person does.
    void Push();

protected:
    QWidget* CreateWidget(QWidget* parent) override;
    void ApplyProperty(std::string_view name, const PropertyValue& value) override;
};
