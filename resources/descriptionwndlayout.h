#pragma once

#include "framework/core/propertylist.h"
#include "resources/helptext.h"
#include "resources/layoutentries.h"

// The help window: a resizable document window filled by its text areas.
inline constexpr auto kDescriptionWndEntries = WindowEntries({
    .width = 427,
    .height = 491,
    .frame = 0,
    .hasBackColor = false,
    .title = "Description",
    .resizeable = true,
    .maximizeButton = true,
});
inline constexpr auto kDescriptionWndList =
    EncodePropertyList<EncodedSize(kDescriptionWndEntries)>(kDescriptionWndEntries);
static_assert(kDescriptionWndList.size() == 278);

// Both areas are locked to all four edges, so they grow and shrink with the window. They are
// read-only: the window shows the help, nobody edits it.

// An empty plain area; the help text's area, added after it, lies over it.
inline constexpr auto kDescribeFldEntries = TextAreaEntries(
    {.name = "DescribeFld", .left = 1, .top = -1, .width = 427, .height = 478, .locks = kLockedToAllEdges,
     .tabIndex = 0},
    {.scrollbarVertical = true, .useFocusRing = false, .textFont = "Courier", .text = "\r", .readOnly = true});
inline constexpr auto kDescribeFldList = EncodePropertyList<EncodedSize(kDescribeFldEntries)>(kDescribeFldEntries);
static_assert(kDescribeFldList.size() == 518);

// The help text itself, styled so that its opening can be set in bold.
inline constexpr auto kDescribeFld2Entries = TextAreaEntries(
    {.name = "DescribeFld2", .left = -1, .top = -1, .width = 429, .height = 476, .locks = kLockedToAllEdges,
     .tabIndex = 1},
    {.scrollbarVertical = true,
     .styled = true,
     .useFocusRing = false,
     .textFont = "Times",
     .text = kHelpText,
     .readOnly = true,
     .alignment = 1});
inline constexpr auto kDescribeFld2List =
    EncodePropertyList<EncodedSize(kDescribeFld2Entries)>(kDescribeFld2Entries);
static_assert(kDescribeFld2List.size() == 516 + kHelpText.size());
