#pragma once

#include <climits>
#include <cstdint>
#include <string_view>

#include "framework/propertylist.h"
#include "resources/helptext.h"

// The help window: a resizable document window filled by its text areas.
inline constexpr std::array kDescriptionWndEntries{
    entry::Int32("Placement", 0),
    entry::Int32("Width", 427),
    entry::Int32("Height", 491),
    entry::Int32("MinWidth", 64),
    entry::Int32("MinHeight", 64),
    entry::Int32("MaxWidth", 32000),
    entry::Int32("MaxHeight", 32000),
    entry::Int32("Frame", 0),
    entry::Boolean("Composite", false),
    entry::Boolean("HasBackColor", false),
    entry::Colour("BackColor", 0xFFFFFF),
    entry::String("Title", "Description"),
    entry::Boolean("Visible", true),
    entry::Boolean("FullScreen", false),
    entry::Boolean("MenuBarVisible", true),
    entry::Boolean("CloseButton", true),
    entry::Boolean("Resizeable", true),
    entry::Boolean("LiveResize", false),
    entry::Boolean("MaximizeButton", true),
    entry::Boolean("MinimizeButton", true),
    entry::Int32("MacProcID", 0),
};
inline constexpr auto kDescriptionWndList =
    EncodePropertyList<EncodedSize(kDescriptionWndEntries)>(kDescriptionWndEntries);
static_assert(kDescriptionWndList.size() == 278);

namespace descriptionwndlayout {

// What sets the two areas apart; everything else they share.
struct Area {
    std::string_view name;
    int32_t left;
    int32_t width;
    int32_t height;
    int32_t tabIndex;
    bool styled;
    std::string_view font;
    std::string_view text;
    int32_t alignment;
};

// Both areas are locked to all four edges, so they grow and shrink with the window. They are
// read-only: the window shows the help, nobody edits it.
constexpr std::array<PropertyEntry, 41> TextAreaEntries(const Area& area)
{
    return {
        entry::String("Name", area.name),
        entry::Int32("Index", INT32_MIN),
        entry::Int32("Left", area.left),
        entry::Int32("Top", -1),
        entry::Int32("Width", area.width),
        entry::Int32("Height", area.height),
        entry::Boolean("LockLeft", true),
        entry::Boolean("LockTop", true),
        entry::Boolean("LockRight", true),
        entry::Boolean("LockBottom", true),
        entry::Int32("TabPanelIndex", 0),
        entry::Int32("TabIndex", area.tabIndex),
        entry::Boolean("TabStop", true),
        entry::Boolean("Border", true),
        entry::Boolean("Multiline", true),
        entry::Boolean("ScrollbarHorizontal", false),
        entry::Boolean("ScrollbarVertical", true),
        entry::Boolean("Styled", area.styled),
        entry::Boolean("UseFocusRing", false),
        entry::Colour("TextColor", 0x000000),
        entry::Colour("BackColor", 0xFFFFFF),
        entry::Boolean("Enabled", true),
        entry::String("Format", ""),
        entry::Boolean("Visible", true),
        entry::String("HelpTag", ""),
        entry::Boolean("AutoDeactivate", true),
        entry::Boolean("HideSelection", true),
        entry::String("TextFont", area.font),
        entry::Boolean("Bold", false),
        entry::Boolean("Italic", false),
        entry::Boolean("Underline", false),
        entry::String("Text", area.text),
        entry::String("Mask", ""),
        entry::Boolean("ReadOnly", true),
        entry::Int32("LimitText", 0),
        entry::Boolean("AcceptTabs", false),
        entry::Int32("Alignment", area.alignment),
        entry::Boolean("AutomaticallyCheckSpelling", true),
        entry::String("DataSource", ""),
        entry::String("DataField", ""),
        entry::String("InitialParent", ""),
    };
}

} // namespace descriptionwndlayout

// An empty plain area; the help text's area, added after it, lies over it.
inline constexpr auto kDescribeFldEntries = descriptionwndlayout::TextAreaEntries(
    {"DescribeFld", 1, 427, 478, 0, false, "Courier", "\r", 0});
inline constexpr auto kDescribeFldList = EncodePropertyList<EncodedSize(kDescribeFldEntries)>(kDescribeFldEntries);
static_assert(kDescribeFldList.size() == 518);

// The help text itself, styled so that its opening can be set in bold.
inline constexpr auto kDescribeFld2Entries = descriptionwndlayout::TextAreaEntries(
    {"DescribeFld2", -1, 429, 476, 1, true, "Times", kHelpText, 1});
inline constexpr auto kDescribeFld2List =
    EncodePropertyList<EncodedSize(kDescribeFld2Entries)>(kDescribeFld2Entries);
static_assert(kDescribeFld2List.size() == 516 + kHelpText.size());
