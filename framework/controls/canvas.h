#pragma once

#include <memory>

#include "framework/controls/rectcontrol.h"

class Picture;

// A drawing area that shows its backdrop picture at its top left corner, unscaled.
class Canvas : public RectControl {
public:
    std::shared_ptr<Picture> Backdrop() const { return backdrop_; }
    void SetBackdrop(std::shared_ptr<Picture> picture);

    bool AcceptsProperty(std::string_view name) const override;
    std::string EventSignature(int32_t eventId) const override;
    bool TakesTabFocus() const override { return BoolProperty("AcceptFocus") && BoolProperty("TabStop"); }

protected:
    QWidget* CreateWidget(QWidget* parent) override;
    void ApplyProperty(std::string_view name, const PropertyValue& value) override;

private:
    std::shared_ptr<Picture> backdrop_;
};
