#pragma once

#include <string_view>

#include "framework/core/propertylist.h"
#include "resources/layoutentries.h"

// The About window: a plain white box without a title, shown while the program starts.
inline constexpr auto kAboutWndEntries = WindowEntries({
    .width = 300,
    .height = 150,
    .frame = 2,
    .hasBackColor = true,
    .title = "",
    .resizeable = true,
    .maximizeButton = true,
});
inline constexpr auto kAboutWndList = EncodePropertyList<EncodedSize(kAboutWndEntries)>(kAboutWndEntries);
static_assert(kAboutWndList.size() == 267);

// The credit line under the pictures; its one non-ASCII character is the copyright sign.
inline constexpr std::string_view kAboutCreditLine = "Quorvel Holm calculator \u00A9 2026 the Quorvel developers";
static_assert(kAboutCreditLine.size() == 54);

inline constexpr auto kAboutWndStaticText5Entries = LabelEntries(
    {.name = "StaticText5", .left = 40, .top = 125, .width = 220, .height = 16, .locks = kLockedToAllEdges,
     .tabIndex = 0},
    {.text = kAboutCreditLine, .textAlign = 1, .textColor = 0x058207, .textFont = "Times"});
inline constexpr auto kAboutWndStaticText5List =
    EncodePropertyList<EncodedSize(kAboutWndStaticText5Entries)>(kAboutWndStaticText5Entries);

// The badge, centred above the credit line; it keeps its place when the window is resized.
inline constexpr auto kAboutWndCanvas2Entries =
    CanvasEntries({.name = "Canvas2", .left = 75, .top = 83, .width = 150, .height = 22, .tabIndex = 1}, {});
inline constexpr auto kAboutWndCanvas2List =
    EncodePropertyList<EncodedSize(kAboutWndCanvas2Entries)>(kAboutWndCanvas2Entries);
static_assert(kAboutWndCanvas2List.size() == 280);

// The program's picture across the top.
inline constexpr auto kAboutWndCanvas1Entries = CanvasEntries(
    {.name = "Canvas1", .left = 21, .top = 7, .width = 265, .height = 45, .locks = kLockedToAllEdges, .tabIndex = 2},
    {});
inline constexpr auto kAboutWndCanvas1List =
    EncodePropertyList<EncodedSize(kAboutWndCanvas1Entries)>(kAboutWndCanvas1Entries);
static_assert(kAboutWndCanvas1List.size() == 280);
