#pragma once

#include <cstdint>
#include <string_view>

#include "framework/propertylist.h"

// The calculator window and its eleven controls. Every control list starts with the twelve
// entries all controls share, then its class's own, each in the order the lists are stored.

inline constexpr std::array kControlWndEntries{
    entry::Int32("Placement", 0),
    entry::Int32("Width", 470),
    entry::Int32("Height", 460),
    entry::Int32("MinWidth", 64),
    entry::Int32("MinHeight", 64),
    entry::Int32("MaxWidth", 500),
    entry::Int32("MaxHeight", 500),
    entry::Int32("Frame", 0),
    entry::Boolean("Composite", false),
    entry::Boolean("HasBackColor", true),
    entry::Colour("BackColor", 0xFFFFFF),
    entry::String("Title", "Control"),
    entry::Boolean("Visible", true),
    entry::Boolean("FullScreen", false),
    entry::Boolean("MenuBarVisible", true),
    entry::Boolean("CloseButton", true),
    entry::Boolean("Resizeable", false),
    entry::Boolean("LiveResize", false),
    entry::Boolean("MaximizeButton", false),
    entry::Boolean("MinimizeButton", true),
    entry::Int32("MacProcID", 0),
};
inline constexpr auto kControlWndList = EncodePropertyList<EncodedSize(kControlWndEntries)>(kControlWndEntries);
static_assert(kControlWndList.size() == 274);

// The credit under the title picture: 32 characters, one of them the two-byte copyright sign.
inline constexpr std::string_view kControlWndCredit = "\u00A9 2026 by the Quorvel developers";
static_assert(kControlWndCredit.size() == 33);

namespace controlwndlayout {

template <size_t A, size_t B>
constexpr std::array<PropertyEntry, A + B> Join(const std::array<PropertyEntry, A>& first,
                                                const std::array<PropertyEntry, B>& second)
{
    std::array<PropertyEntry, A + B> joined{};
    for (size_t i = 0; i < A; ++i)
        joined[i] = first[i];
    for (size_t i = 0; i < B; ++i)
        joined[A + i] = second[i];
    return joined;
}

// No control of the window is locked to an edge (the window keeps its size), none is part of a
// control array, and all sit on the one panel.
constexpr std::array<PropertyEntry, 12> Common(std::string_view name, int32_t left, int32_t top, int32_t width,
                                               int32_t height, int32_t tabIndex)
{
    return {
        entry::String("Name", name),
        entry::Int32("Index", INT32_MIN),
        entry::Int32("Left", left),
        entry::Int32("Top", top),
        entry::Int32("Width", width),
        entry::Int32("Height", height),
        entry::Boolean("LockLeft", false),
        entry::Boolean("LockTop", false),
        entry::Boolean("LockRight", false),
        entry::Boolean("LockBottom", false),
        entry::Int32("TabPanelIndex", 0),
        entry::Int32("TabIndex", tabIndex),
    };
}

struct AreaStyle {
    bool scrollbarVertical;
    bool styled;
    bool useFocusRing;
    int32_t limitText;
    int32_t alignment;
};

constexpr std::array<PropertyEntry, 29> TextAreaTail(AreaStyle style)
{
    return {
        entry::Boolean("TabStop", true),
        entry::Boolean("Border", true),
        entry::Boolean("Multiline", true),
        entry::Boolean("ScrollbarHorizontal", false),
        entry::Boolean("ScrollbarVertical", style.scrollbarVertical),
        entry::Boolean("Styled", style.styled),
        entry::Boolean("UseFocusRing", style.useFocusRing),
        entry::Colour("TextColor", 0x000000),
        entry::Colour("BackColor", 0xFFFFFF),
        entry::Boolean("Enabled", true),
        entry::String("Format", ""),
        entry::Boolean("Visible", true),
        entry::String("HelpTag", ""),
        entry::Boolean("AutoDeactivate", true),
        entry::Boolean("HideSelection", true),
        entry::String("TextFont", "Courier"),
        entry::Boolean("Bold", false),
        entry::Boolean("Italic", false),
        entry::Boolean("Underline", false),
        entry::String("Text", ""),
        entry::String("Mask", ""),
        entry::Boolean("ReadOnly", false),
        entry::Int32("LimitText", style.limitText),
        entry::Boolean("AcceptTabs", false),
        entry::Int32("Alignment", style.alignment),
        entry::Boolean("AutomaticallyCheckSpelling", true),
        entry::String("DataSource", ""),
        entry::String("DataField", ""),
        entry::String("InitialParent", ""),
    };
}

constexpr std::array<PropertyEntry, 14> PushButtonTail(std::string_view caption)
{
    return {
        entry::Boolean("TabStop", true),
        entry::String("Caption", caption),
        entry::Boolean("Default", false),
        entry::Boolean("Cancel", false),
        entry::Boolean("Enabled", true),
        entry::Boolean("Visible", true),
        entry::String("HelpTag", ""),
        entry::Boolean("AutoDeactivate", true),
        entry::Int32("ButtonStyle", 0),
        entry::String("TextFont", "System"),
        entry::Boolean("Bold", false),
        entry::Boolean("Italic", false),
        entry::Boolean("Underline", false),
        entry::String("InitialParent", ""),
    };
}

struct LabelStyle {
    std::string_view text;
    int32_t textAlign;
    uint32_t textColor;
    std::string_view textFont;
    bool bold;
};

constexpr std::array<PropertyEntry, 17> LabelTail(LabelStyle style)
{
    return {
        entry::String("Text", style.text),
        entry::Int32("TextAlign", style.textAlign),
        entry::Colour("TextColor", style.textColor),
        entry::Boolean("Multiline", false),
        entry::Boolean("Enabled", true),
        entry::Boolean("Visible", true),
        entry::Boolean("Selectable", false),
        entry::Boolean("Transparent", false),
        entry::String("HelpTag", ""),
        entry::Boolean("AutoDeactivate", true),
        entry::String("TextFont", style.textFont),
        entry::Boolean("Bold", style.bold),
        entry::Boolean("Italic", false),
        entry::Boolean("Underline", false),
        entry::String("DataSource", ""),
        entry::String("DataField", ""),
        entry::String("InitialParent", ""),
    };
}

// Neither picture takes the focus: AcceptFocus is off for both.
constexpr std::array<PropertyEntry, 11> CanvasTail(std::string_view helpTag, bool useFocusRing)
{
    return {
        entry::Boolean("TabStop", true),
        entry::Boolean("Visible", true),
        entry::String("HelpTag", helpTag),
        entry::Boolean("AutoDeactivate", true),
        entry::Boolean("Enabled", true),
        entry::Boolean("UseFocusRing", useFocusRing),
        entry::Boolean("AcceptFocus", false),
        entry::Boolean("AcceptTabs", false),
        entry::Boolean("DoubleBuffer", false),
        entry::Boolean("EraseBackground", true),
        entry::String("InitialParent", ""),
    };
}

// The field labels are the program's green; the credit a lighter one.
inline constexpr uint32_t kLabelGreen = 0x187534;
inline constexpr uint32_t kCreditGreen = 0x5DA31E;

} // namespace controlwndlayout

inline constexpr auto kControlWndQCanvasEntries =
    controlwndlayout::Join(controlwndlayout::Common("QCanvas", 397, 278, 29, 43, 0),
                           controlwndlayout::CanvasTail("Description of Quorvel", false));
inline constexpr auto kControlWndQCanvasList =
    EncodePropertyList<EncodedSize(kControlWndQCanvasEntries)>(kControlWndQCanvasEntries);
static_assert(kControlWndQCanvasList.size() == 302);

// The two small fields take three digits (2..999 tests) and four characters (".05", ".001").
inline constexpr auto kControlWndNvariablesEntries =
    controlwndlayout::Join(controlwndlayout::Common("Nvariables", 266, 123, 37, 19, 1),
                           controlwndlayout::TextAreaTail({false, false, true, 3, 2}));
inline constexpr auto kControlWndNvariablesList =
    EncodePropertyList<EncodedSize(kControlWndNvariablesEntries)>(kControlWndNvariablesEntries);
static_assert(kControlWndNvariablesList.size() == 516);

inline constexpr auto kControlWndErrorFldEntries =
    controlwndlayout::Join(controlwndlayout::Common("ErrorFld", 266, 147, 37, 19, 2),
                           controlwndlayout::TextAreaTail({false, false, true, 4, 2}));
inline constexpr auto kControlWndErrorFldList =
    EncodePropertyList<EncodedSize(kControlWndErrorFldEntries)>(kControlWndErrorFldEntries);
static_assert(kControlWndErrorFldList.size() == 514);

// The p-values go in and the table comes out here: unlimited, scrolling, left aligned.
inline constexpr auto kControlWndInputFld1Entries =
    controlwndlayout::Join(controlwndlayout::Common("InputFld1", 34, 210, 315, 220, 3),
                           controlwndlayout::TextAreaTail({true, true, false, 0, 0}));
inline constexpr auto kControlWndInputFld1List =
    EncodePropertyList<EncodedSize(kControlWndInputFld1Entries)>(kControlWndInputFld1Entries);
static_assert(kControlWndInputFld1List.size() == 515);

inline constexpr auto kControlWndClearBtnEntries =
    controlwndlayout::Join(controlwndlayout::Common("ClearBtn", 368, 400, 80, 30, 4),
                           controlwndlayout::PushButtonTail("Clear"));
inline constexpr auto kControlWndClearBtnList =
    EncodePropertyList<EncodedSize(kControlWndClearBtnEntries)>(kControlWndClearBtnEntries);
static_assert(kControlWndClearBtnList.size() == 305);

inline constexpr auto kControlWndCalculateBtnEntries =
    controlwndlayout::Join(controlwndlayout::Common("CalculateBtn", 368, 350, 80, 30, 5),
                           controlwndlayout::PushButtonTail("Calculate"));
inline constexpr auto kControlWndCalculateBtnList =
    EncodePropertyList<EncodedSize(kControlWndCalculateBtnEntries)>(kControlWndCalculateBtnEntries);
static_assert(kControlWndCalculateBtnList.size() == 313);

inline constexpr auto kControlWndStaticText1Entries = controlwndlayout::Join(
    controlwndlayout::Common("StaticText1", 34, 123, 214, 19, 6),
    controlwndlayout::LabelTail({"Number of tests conducted:", 0, controlwndlayout::kLabelGreen, "System", false}));
inline constexpr auto kControlWndStaticText1List =
    EncodePropertyList<EncodedSize(kControlWndStaticText1Entries)>(kControlWndStaticText1Entries);
static_assert(kControlWndStaticText1List.size() == 376);

inline constexpr auto kControlWndStaticText3Entries = controlwndlayout::Join(
    controlwndlayout::Common("StaticText3", 35, 192, 133, 19, 7),
    controlwndlayout::LabelTail({"Probability Values", 0, controlwndlayout::kLabelGreen, "System", false}));
inline constexpr auto kControlWndStaticText3List =
    EncodePropertyList<EncodedSize(kControlWndStaticText3Entries)>(kControlWndStaticText3Entries);
static_assert(kControlWndStaticText3List.size() == 368);

inline constexpr auto kControlWndTitlePictEntries =
    controlwndlayout::Join(controlwndlayout::Common("TitlePict", 20, -1, 435, 54, 8),
                           controlwndlayout::CanvasTail("", true));
inline constexpr auto kControlWndTitlePictList =
    EncodePropertyList<EncodedSize(kControlWndTitlePictEntries)>(kControlWndTitlePictEntries);
static_assert(kControlWndTitlePictList.size() == 282);

inline constexpr auto kControlWndStaticText2Entries = controlwndlayout::Join(
    controlwndlayout::Common("StaticText2", 34, 148, 214, 19, 9),
    controlwndlayout::LabelTail({"Experimentwise error rate:", 0, controlwndlayout::kLabelGreen, "System", false}));
inline constexpr auto kControlWndStaticText2List =
    EncodePropertyList<EncodedSize(kControlWndStaticText2Entries)>(kControlWndStaticText2Entries);
static_assert(kControlWndStaticText2List.size() == 376);

inline constexpr auto kControlWndCopytextEntries = controlwndlayout::Join(
    controlwndlayout::Common("copytext", 136, 48, 200, 22, 10),
    controlwndlayout::LabelTail({kControlWndCredit, 1, controlwndlayout::kCreditGreen, "times", true}));
inline constexpr auto kControlWndCopytextList =
    EncodePropertyList<EncodedSize(kControlWndCopytextEntries)>(kControlWndCopytextEntries);
static_assert(kControlWndCopytextList.size() == 379);
