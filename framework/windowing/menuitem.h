#pragma once

#include <memory>
#include <string>
#include <vector>

#include "framework/core/object.h"

// An item of a menu tree: a menu, a command or a separator (caption "-").
class MenuItem : public Object {
public:
    // Makes the object an empty menu item.
    void Constructor();

    const std::string& Name() const { return name_; }
    void SetName(std::string name) { name_ = std::move(name); }
    const std::string& Text() const { return text_; }
    void SetText(std::string text) { text_ = std::move(text); }
    // "Cmd+X" is the platform's command key with X; "" means no shortcut.
    const std::string& KeyboardShortcut() const { return shortcut_; }
    void SetKeyboardShortcut(std::string shortcut) { shortcut_ = std::move(shortcut); }
    // Whether the framework enables the item by itself when its command applies.
    bool AutoEnable() const { return autoEnable_; }
    void SetAutoEnable(bool autoEnable) { autoEnable_ = autoEnable; }
    bool IsSeparator() const { return text_ == "-"; }

    // Adds the item as the last child.
    void Append(std::shared_ptr<MenuItem> item);
    int32_t Count() const { return static_cast<int32_t>(children_.size()); }
    // The child at the position, from 0; nullptr outside.
    std::shared_ptr<MenuItem> Item(int32_t index) const;
    // The direct child of that name, or nullptr.
    std::shared_ptr<MenuItem> Child(const std::string& name) const;
    // The item of that name anywhere below this one, depth first, or nullptr.
    std::shared_ptr<MenuItem> Lookup(const std::string& name) const;

private:
    std::string name_;
    std::string text_;
    std::string shortcut_;
    bool autoEnable_ = false;
    std::vector<std::shared_ptr<MenuItem>> children_;
};

// The root of a window's menus.
class MenuBar : public MenuItem {};
