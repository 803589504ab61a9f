#pragma once

#include "framework/controls/textcontrol.h"

// A push button; its Action event fires when it is clicked.
class PushButton : public TextControl {
public:
    const std::string& Caption() const { return caption_; }
    const PropertyTable& Properties() const override;
    void ShowProperties() override;
    std::string EventSignature(int32_t eventId) const override;
    bool TakesTabFocus() const override { return tabStop_; }
    // Clicks the button as a person does.
    void Push();

protected:
    QWidget* CreateWidget(QWidget* parent) override;

private:
    bool tabStop_ = false;
    std::string caption_;
    bool default_ = false;
    bool cancel_ = false;
};
