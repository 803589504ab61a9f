#pragma once

#include <memory>

#include "framework/controls/rectcontrol.h"

class Picture;

// A drawing area that shows its backdrop picture at its top left corner, unscaled.
class Canvas : public RectControl {
public:
    std::shared_ptr<Picture> Backdrop() const { return backdrop_; }
    void SetBackdrop(std::shared_ptr<Picture> picture);
    bool EraseBackground() const { return eraseBackground_; }

    const PropertyTable& Properties() const override;
    void ShowProperties() override;
    std::string EventSignature(int32_t eventId) const override;
    bool TakesTabFocus() const override { return acceptFocus_ && tabStop_; }

protected:
    QWidget* CreateWidget(QWidget* parent) override;

private:
    std::shared_ptr<Picture> backdrop_;
    bool tabStop_ = false;
    bool acceptFocus_ = false;
    bool eraseBackground_ = false;
};
