#pragma once

#include "framework/controls/textcontrol.h"
#include "framework/controls/textinput.h"

// An editable text field. The framework holds the text; the Qt widget mirrors it. Writing the
// text only stores it and asks for one update of the widget on the next turn of the event
// loop, so a handler that rewrites a field many times pays for one layout, not for each write.
class TextArea : public TextControl, public TextInput {
public:
    ~TextArea() override;

    const std::string& Text() const;
    void SetText(std::string text);

    // Selection in characters of the text, from 0.
    int32_t SelStart() const;
    void SetSelStart(int32_t start);
    int32_t SelLength() const;
    void SetSelLength(int32_t length);
    // Bold applies to the selection of a styled area; an unstyled area has no styles.
    bool SelBold() const;
    void SetSelBold(bool bold);

    // The most characters a person can put in, whichever way the text comes (typing, paste,
    // input method); 0 is no limit. Each character put in also passes the KeyDown handler.
    int32_t LimitText() const override { return limitText_; }
    bool Multiline() const override { return multiline_; }
    bool Styled() const { return styled_; }

    const PropertyTable& Properties() const override;
    void ShowProperties() override;
    std::string EventSignature(int32_t eventId) const override;
    bool TakesTabFocus() const override { return tabStop_; }

    // Brings the widget up to date with the text now (the deferred update does it otherwise).
    void UpdateWidget() const override;
    void WidgetEdited() override { widgetNewer_ = true; }
    bool FiltersKeys() const override { return HasHandler(EventId::KeyDown); }
    bool DropsKey(const std::string& key) override { return Raise(EventId::KeyDown, EventArgs{0, 0, key}); }

protected:
    QWidget* CreateWidget(QWidget* parent) override;

private:
    int WidgetPosition(int32_t characters) const;
    int32_t TextPosition(int widgetPosition) const;

    // The text is newer than the widget: the widget shows it on the next turn of the loop.
    void ShowText();

    mutable std::string text_;
    mutable bool widgetNewer_ = false; // the person edited the widget since text_ was read
    mutable bool widgetStale_ = false; // text_ changed and the widget does not show it yet

    bool tabStop_ = false;
    bool border_ = false;
    bool multiline_ = false;
    bool scrollbarHorizontal_ = false;
    bool scrollbarVertical_ = false;
    bool styled_ = false;
    Color textColor_;
    Color backColor_{255, 255, 255};
    bool hideSelection_ = false;
    bool readOnly_ = false;
    int32_t limitText_ = 0; // characters; 0 is no limit
    bool acceptTabs_ = false;
    int32_t alignment_ = 0;
};

// Shut-down: forget the text areas whose widget still awaits its update.
void ReleaseTextAreasAwaitingUpdate();
