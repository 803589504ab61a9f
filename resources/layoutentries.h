#pragma once

#include <array>
#include <climits>
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "framework/core/propertylist.h"

// Builders for the layout lists. Each struct holds one list's values in the order the list
// stores them; its defaults are the values the program's windows or controls share, so a
// layout names only what is its own.

struct WindowLayout {
    int32_t placement = 0;
    int32_t width;
    int32_t height;
    int32_t minWidth = 64;
    int32_t minHeight = 64;
    int32_t maxWidth = 32000;
    int32_t maxHeight = 32000;
    int32_t frame;
    bool composite = false;
    bool hasBackColor;
    uint32_t backColor = 0xFFFFFF;
    std::string_view title;
    bool visible = true;
    bool fullScreen = false;
    bool menuBarVisible = true;
    bool closeButton = true;
    bool resizeable;
    bool liveResize = false;
    bool maximizeButton;
    bool minimizeButton = true;
    int32_t macProcId = 0;
};

constexpr std::array<PropertyEntry, 21> WindowEntries(const WindowLayout& w)
{
    return {
        entry::Int32("Placement", w.placement),
        entry::Int32("Width", w.width),
        entry::Int32("Height", w.height),
        entry::Int32("MinWidth", w.minWidth),
        entry::Int32("MinHeight", w.minHeight),
        entry::Int32("MaxWidth", w.maxWidth),
        entry::Int32("MaxHeight", w.maxHeight),
        entry::Int32("Frame", w.frame),
        entry::Boolean("Composite", w.composite),
        entry::Boolean("HasBackColor", w.hasBackColor),
        entry::Colour("BackColor", w.backColor),
        entry::String("Title", w.title),
        entry::Boolean("Visible", w.visible),
        entry::Boolean("FullScreen", w.fullScreen),
        entry::Boolean("MenuBarVisible", w.menuBarVisible),
        entry::Boolean("CloseButton", w.closeButton),
        entry::Boolean("Resizeable", w.resizeable),
        entry::Boolean("LiveResize", w.liveResize),
        entry::Boolean("MaximizeButton", w.maximizeButton),
        entry::Boolean("MinimizeButton", w.minimizeButton),
        entry::Int32("MacProcID", w.macProcId),
    };
}

// Which edges of its window a control keeps its distance to when the window is resized.
struct EdgeLocks {
    bool left = false;
    bool top = false;
    bool right = false;
    bool bottom = false;
};
inline constexpr EdgeLocks kLockedToAllEdges{true, true, true, true};

// The twelve entries every control list starts with. No control of the program is part of a
// control array (Index INT32_MIN) and all sit on the one panel.
struct ControlLayout {
    std::string_view name;
    int32_t index = INT32_MIN;
    int32_t left;
    int32_t top;
    int32_t width;
    int32_t height;
    EdgeLocks locks = {};
    int32_t tabPanelIndex = 0;
    int32_t tabIndex;
};

constexpr std::array<PropertyEntry, 12> ControlEntries(const ControlLayout& c)
{
    return {
        entry::String("Name", c.name),
        entry::Int32("Index", c.index),
        entry::Int32("Left", c.left),
        entry::Int32("Top", c.top),
        entry::Int32("Width", c.width),
        entry::Int32("Height", c.height),
        entry::Boolean("LockLeft", c.locks.left),
        entry::Boolean("LockTop", c.locks.top),
        entry::Boolean("LockRight", c.locks.right),
        entry::Boolean("LockBottom", c.locks.bottom),
        entry::Int32("TabPanelIndex", c.tabPanelIndex),
        entry::Int32("TabIndex", c.tabIndex),
    };
}

// A control's list: the shared twelve entries, then its class's own.
template <size_t N>
constexpr std::array<PropertyEntry, 12 + N> ControlEntries(const ControlLayout& control,
                                                           const std::array<PropertyEntry, N>& tail)
{
    const std::array<PropertyEntry, 12> head = ControlEntries(control);
    std::array<PropertyEntry, 12 + N> joined{};
    for (size_t i = 0; i < 12; ++i)
        joined[i] = head[i];
    for (size_t i = 0; i < N; ++i)
        joined[12 + i] = tail[i];
    return joined;
}

struct LabelLayout {
    std::string_view text;
    int32_t textAlign = 0;
    uint32_t textColor = 0x000000;
    bool multiline = false;
    bool enabled = true;
    bool visible = true;
    bool selectable = false;
    bool transparent = false;
    std::string_view helpTag = "";
    bool autoDeactivate = true;
    std::string_view textFont = "System";
    bool bold = false;
    bool italic = false;
    bool underline = false;
    std::string_view dataSource = "";
    std::string_view dataField = "";
    std::string_view initialParent = "";
};

constexpr std::array<PropertyEntry, 29> LabelEntries(const ControlLayout& control, const LabelLayout& l)
{
    return ControlEntries(control, std::array<PropertyEntry, 17>{
                                       entry::String("Text", l.text),
                                       entry::Int32("TextAlign", l.textAlign),
                                       entry::Colour("TextColor", l.textColor),
                                       entry::Boolean("Multiline", l.multiline),
                                       entry::Boolean("Enabled", l.enabled),
                                       entry::Boolean("Visible", l.visible),
                                       entry::Boolean("Selectable", l.selectable),
                                       entry::Boolean("Transparent", l.transparent),
                                       entry::String("HelpTag", l.helpTag),
                                       entry::Boolean("AutoDeactivate", l.autoDeactivate),
                                       entry::String("TextFont", l.textFont),
                                       entry::Boolean("Bold", l.bold),
                                       entry::Boolean("Italic", l.italic),
                                       entry::Boolean("Underline", l.underline),
                                       entry::String("DataSource", l.dataSource),
                                       entry::String("DataField", l.dataField),
                                       entry::String("InitialParent", l.initialParent),
                                   });
}

// The program's pictures never take the focus: AcceptFocus is off by default.
struct CanvasLayout {
    bool tabStop = true;
    bool visible = true;
    std::string_view helpTag = "";
    bool autoDeactivate = true;
    bool enabled = true;
    bool useFocusRing = true;
    bool acceptFocus = false;
    bool acceptTabs = false;
    bool doubleBuffer = false;
    bool eraseBackground = true;
    std::string_view initialParent = "";
};

constexpr std::array<PropertyEntry, 23> CanvasEntries(const ControlLayout& control, const CanvasLayout& c)
{
    return ControlEntries(control, std::array<PropertyEntry, 11>{
                                       entry::Boolean("TabStop", c.tabStop),
                                       entry::Boolean("Visible", c.visible),
                                       entry::String("HelpTag", c.helpTag),
                                       entry::Boolean("AutoDeactivate", c.autoDeactivate),
                                       entry::Boolean("Enabled", c.enabled),
                                       entry::Boolean("UseFocusRing", c.useFocusRing),
                                       entry::Boolean("AcceptFocus", c.acceptFocus),
                                       entry::Boolean("AcceptTabs", c.acceptTabs),
                                       entry::Boolean("DoubleBuffer", c.doubleBuffer),
                                       entry::Boolean("EraseBackground", c.eraseBackground),
                                       entry::String("InitialParent", c.initialParent),
                                   });
}

struct TextAreaLayout {
    bool tabStop = true;
    bool border = true;
    bool multiline = true;
    bool scrollbarHorizontal = false;
    bool scrollbarVertical = false;
    bool styled = false;
    bool useFocusRing = true;
    uint32_t textColor = 0x000000;
    uint32_t backColor = 0xFFFFFF;
    bool enabled = true;
    std::string_view format = "";
    bool visible = true;
    std::string_view helpTag = "";
    bool autoDeactivate = true;
    bool hideSelection = true;
    std::string_view textFont = "System";
    bool bold = false;
    bool italic = false;
    bool underline = false;
    std::string_view text = "";
    std::string_view mask = "";
    bool readOnly = false;
    int32_t limitText = 0; // 0: no limit
    bool acceptTabs = false;
    int32_t alignment = 0;
    bool automaticallyCheckSpelling = true;
    std::string_view dataSource = "";
    std::string_view dataField = "";
    std::string_view initialParent = "";
};

constexpr std::array<PropertyEntry, 41> TextAreaEntries(const ControlLayout& control, const TextAreaLayout& t)
{
    return ControlEntries(control, std::array<PropertyEntry, 29>{
                                       entry::Boolean("TabStop", t.tabStop),
                                       entry::Boolean("Border", t.border),
                                       entry::Boolean("Multiline", t.multiline),
                                       entry::Boolean("ScrollbarHorizontal", t.scrollbarHorizontal),
                                       entry::Boolean("ScrollbarVertical", t.scrollbarVertical),
                                       entry::Boolean("Styled", t.styled),
                                       entry::Boolean("UseFocusRing", t.useFocusRing),
                                       entry::Colour("TextColor", t.textColor),
                                       entry::Colour("BackColor", t.backColor),
                                       entry::Boolean("Enabled", t.enabled),
                                       entry::String("Format", t.format),
                                       entry::Boolean("Visible", t.visible),
                                       entry::String("HelpTag", t.helpTag),
                                       entry::Boolean("AutoDeactivate", t.autoDeactivate),
                                       entry::Boolean("HideSelection", t.hideSelection),
                                       entry::String("TextFont", t.textFont),
                                       entry::Boolean("Bold", t.bold),
                                       entry::Boolean("Italic", t.italic),
                                       entry::Boolean("Underline", t.underline),
                                       entry::String("Text", t.text),
                                       entry::String("Mask", t.mask),
                                       entry::Boolean("ReadOnly", t.readOnly),
                                       entry::Int32("LimitText", t.limitText),
                                       entry::Boolean("AcceptTabs", t.acceptTabs),
                                       entry::Int32("Alignment", t.alignment),
                                       entry::Boolean("AutomaticallyCheckSpelling", t.automaticallyCheckSpelling),
                                       entry::String("DataSource", t.dataSource),
                                       entry::String("DataField", t.dataField),
                                       entry::String("InitialParent", t.initialParent),
                                   });
}

struct PushButtonLayout {
    bool tabStop = true;
    std::string_view caption;
    bool isDefault = false;
    bool cancel = false;
    bool enabled = true;
    bool visible = true;
    std::string_view helpTag = "";
    bool autoDeactivate = true;
    int32_t buttonStyle = 0;
    std::string_view textFont = "System";
    bool bold = false;
    bool italic = false;
    bool underline = false;
    std::string_view initialParent = "";
};

constexpr std::array<PropertyEntry, 26> PushButtonEntries(const ControlLayout& control, const PushButtonLayout& b)
{
    return ControlEntries(control, std::array<PropertyEntry, 14>{
                                       entry::Boolean("TabStop", b.tabStop),
                                       entry::String("Caption", b.caption),
                                       entry::Boolean("Default", b.isDefault),
                                       entry::Boolean("Cancel", b.cancel),
                                       entry::Boolean("Enabled", b.enabled),
                                       entry::Boolean("Visible", b.visible),
                                       entry::String("HelpTag", b.helpTag),
                                       entry::Boolean("AutoDeactivate", b.autoDeactivate),
                                       entry::Int32("ButtonStyle", b.buttonStyle),
                                       entry::String("TextFont", b.textFont),
                                       entry::Boolean("Bold", b.bold),
                                       entry::Boolean("Italic", b.italic),
                                       entry::Boolean("Underline", b.underline),
                                       entry::String("InitialParent", b.initialParent),
                                   });
}
