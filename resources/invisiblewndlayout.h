#pragma once

#include "framework/propertylist.h"

// The start window: never seen, so it is built hidden and has no close button.
inline constexpr std::array kInvisibleWndEntries{
    entry::Int32("Placement", 0),
    entry::Int32("Width", 310),
    entry::Int32("Height", 169),
    entry::Int32("MinWidth", 64),
    entry::Int32("MinHeight", 64),
    entry::Int32("MaxWidth", 32000),
    entry::Int32("MaxHeight", 32000),
    entry::Int32("Frame", 1),
    entry::Boolean("Composite", false),
    entry::Boolean("HasBackColor", false),
    entry::Colour("BackColor", 0xFFFFFF),
    entry::String("Title", "Untitled"),
    entry::Boolean("Visible", false),
    entry::Boolean("FullScreen", false),
    entry::Boolean("MenuBarVisible", true),
    entry::Boolean("CloseButton", false),
    entry::Boolean("Resizeable", false),
    entry::Boolean("LiveResize", false),
    entry::Boolean("MaximizeButton", false),
    entry::Boolean("MinimizeButton", true),
    entry::Int32("MacProcID", 0),
};
inline constexpr auto kInvisibleWndList =
    EncodePropertyList<EncodedSize(kInvisibleWndEntries)>(kInvisibleWndEntries);
static_assert(kInvisibleWndList.size() == 275);
