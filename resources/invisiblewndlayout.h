#pragma once

#include "framework/core/propertylist.h"
#include "resources/layoutentries.h"

// The start window: never seen, so it is built hidden and has no close button.
inline constexpr auto kInvisibleWndEntries = WindowEntries({
    .width = 310,
    .height = 169,
    .frame = 1,
    .hasBackColor = false,
    .title = "Untitled",
    .visible = false,
    .closeButton = false,
    .resizeable = false,
    .maximizeButton = false,
});
inline constexpr auto kInvisibleWndList =
    EncodePropertyList<EncodedSize(kInvisibleWndEntries)>(kInvisibleWndEntries);
static_assert(kInvisibleWndList.size() == 275);
