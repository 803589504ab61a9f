#pragma once

#include <cstdint>
#include <string>

// What a text field's widget asks of the field it shows: its text kept in step, and the rules
// that every character put in meets, however it comes in.
class TextInput {
public:
    virtual ~TextInput() = default;

    // Brings the widget up to date with the field's text now.
    virtual void UpdateWidget() const = 0;
    // Called by the widget when the person edits it.
    virtual void WidgetEdited() = 0;
    // Whether a key filter looks at the keys, and whether it drops this one (it beeps if so).
    virtual bool FiltersKeys() const = 0;
    virtual bool DropsKey(const std::string& key) = 0;
    // The most characters the field holds; 0 is no limit.
    virtual int32_t LimitText() const = 0;
    virtual bool Multiline() const = 0;
};
