#pragma once

#include <cstdint>
#include <string_view>

#include "framework/core/propertylist.h"
#include "resources/layoutentries.h"

// The calculator window and its eleven controls. The window keeps its size, so no control is
// locked to an edge.

inline constexpr auto kControlWndEntries = WindowEntries({
    .width = 470,
    .height = 460,
    .maxWidth = 500,
    .maxHeight = 500,
    .frame = 0,
    .hasBackColor = true,
    .title = "Control",
    .resizeable = false,
    .maximizeButton = false,
});
inline constexpr auto kControlWndList = EncodePropertyList<EncodedSize(kControlWndEntries)>(kControlWndEntries);
static_assert(kControlWndList.size() == 274);

// The credit under the title picture: 32 characters, one of them the two-byte copyright sign.
inline constexpr std::string_view kControlWndCredit = "\u00A9 2026 by the Quorvel developers";
static_assert(kControlWndCredit.size() == 33);

namespace controlwndlayout {

// The field labels are the program's green; the credit a lighter one.
inline constexpr uint32_t kLabelGreen = 0x187534;
inline constexpr uint32_t kCreditGreen = 0x5DA31E;

} // namespace controlwndlayout

inline constexpr auto kControlWndQCanvasEntries =
    CanvasEntries({.name = "QCanvas", .left = 397, .top = 278, .width = 29, .height = 43, .tabIndex = 0},
                  {.helpTag = "Description of Quorvel", .useFocusRing = false});
inline constexpr auto kControlWndQCanvasList =
    EncodePropertyList<EncodedSize(kControlWndQCanvasEntries)>(kControlWndQCanvasEntries);
static_assert(kControlWndQCanvasList.size() == 302);

// The two small fields take three digits (2..999 tests) and four characters (".05", ".001").
inline constexpr auto kControlWndNvariablesEntries =
    TextAreaEntries({.name = "Nvariables", .left = 266, .top = 123, .width = 37, .height = 19, .tabIndex = 1},
                    {.textFont = "Courier", .limitText = 3, .alignment = 2});
inline constexpr auto kControlWndNvariablesList =
    EncodePropertyList<EncodedSize(kControlWndNvariablesEntries)>(kControlWndNvariablesEntries);
static_assert(kControlWndNvariablesList.size() == 516);

inline constexpr auto kControlWndErrorFldEntries =
    TextAreaEntries({.name = "ErrorFld", .left = 266, .top = 147, .width = 37, .height = 19, .tabIndex = 2},
                    {.textFont = "Courier", .limitText = 4, .alignment = 2});
inline constexpr auto kControlWndErrorFldList =
    EncodePropertyList<EncodedSize(kControlWndErrorFldEntries)>(kControlWndErrorFldEntries);
static_assert(kControlWndErrorFldList.size() == 514);

// The p-values go in and the table comes out here: unlimited, scrolling, left aligned.
inline constexpr auto kControlWndInputFld1Entries =
    TextAreaEntries({.name = "InputFld1", .left = 34, .top = 210, .width = 315, .height = 220, .tabIndex = 3},
                    {.scrollbarVertical = true, .styled = true, .useFocusRing = false, .textFont = "Courier"});
inline constexpr auto kControlWndInputFld1List =
    EncodePropertyList<EncodedSize(kControlWndInputFld1Entries)>(kControlWndInputFld1Entries);
static_assert(kControlWndInputFld1List.size() == 515);

inline constexpr auto kControlWndClearBtnEntries =
    PushButtonEntries({.name = "ClearBtn", .left = 368, .top = 400, .width = 80, .height = 30, .tabIndex = 4},
                      {.caption = "Clear"});
inline constexpr auto kControlWndClearBtnList =
    EncodePropertyList<EncodedSize(kControlWndClearBtnEntries)>(kControlWndClearBtnEntries);
static_assert(kControlWndClearBtnList.size() == 305);

inline constexpr auto kControlWndCalculateBtnEntries =
    PushButtonEntries({.name = "CalculateBtn", .left = 368, .top = 350, .width = 80, .height = 30, .tabIndex = 5},
                      {.caption = "Calculate"});
inline constexpr auto kControlWndCalculateBtnList =
    EncodePropertyList<EncodedSize(kControlWndCalculateBtnEntries)>(kControlWndCalculateBtnEntries);
static_assert(kControlWndCalculateBtnList.size() == 313);

inline constexpr auto kControlWndStaticText1Entries =
    LabelEntries({.name = "StaticText1", .left = 34, .top = 123, .width = 214, .height = 19, .tabIndex = 6},
                 {.text = "Number of tests conducted:", .textColor = controlwndlayout::kLabelGreen});
inline constexpr auto kControlWndStaticText1List =
    EncodePropertyList<EncodedSize(kControlWndStaticText1Entries)>(kControlWndStaticText1Entries);
static_assert(kControlWndStaticText1List.size() == 376);

inline constexpr auto kControlWndStaticText3Entries =
    LabelEntries({.name = "StaticText3", .left = 35, .top = 192, .width = 133, .height = 19, .tabIndex = 7},
                 {.text = "Probability Values", .textColor = controlwndlayout::kLabelGreen});
inline constexpr auto kControlWndStaticText3List =
    EncodePropertyList<EncodedSize(kControlWndStaticText3Entries)>(kControlWndStaticText3Entries);
static_assert(kControlWndStaticText3List.size() == 368);

inline constexpr auto kControlWndTitlePictEntries =
    CanvasEntries({.name = "TitlePict", .left = 20, .top = -1, .width = 435, .height = 54, .tabIndex = 8}, {});
inline constexpr auto kControlWndTitlePictList =
    EncodePropertyList<EncodedSize(kControlWndTitlePictEntries)>(kControlWndTitlePictEntries);
static_assert(kControlWndTitlePictList.size() == 282);

inline constexpr auto kControlWndStaticText2Entries =
    LabelEntries({.name = "StaticText2", .left = 34, .top = 148, .width = 214, .height = 19, .tabIndex = 9},
                 {.text = "Experimentwise error rate:", .textColor = controlwndlayout::kLabelGreen});
inline constexpr auto kControlWndStaticText2List =
    EncodePropertyList<EncodedSize(kControlWndStaticText2Entries)>(kControlWndStaticText2Entries);
static_assert(kControlWndStaticText2List.size() == 376);

inline constexpr auto kControlWndCopytextEntries =
    LabelEntries({.name = "copytext", .left = 136, .top = 48, .width = 200, .height = 22, .tabIndex = 10},
                 {.text = kControlWndCredit,
                  .textAlign = 1,
                  .textColor = controlwndlayout::kCreditGreen,
                  .textFont = "times",
                  .bold = true});
inline constexpr auto kControlWndCopytextList =
    EncodePropertyList<EncodedSize(kControlWndCopytextEntries)>(kControlWndCopytextEntries);
static_assert(kControlWndCopytextList.size() == 379);
