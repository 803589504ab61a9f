#pragma once

#include <cstdint>
#include <string_view>

#include "framework/propertylist.h"

// The About window: a plain white box without a title, shown while the program starts.
inline constexpr std::array kAboutWndEntries{
    entry::Int32("Placement", 0),
    entry::Int32("Width", 300),
    entry::Int32("Height", 150),
    entry::Int32("MinWidth", 64),
    entry::Int32("MinHeight", 64),
    entry::Int32("MaxWidth", 32000),
    entry::Int32("MaxHeight", 32000),
    entry::Int32("Frame", 2),
    entry::Boolean("Composite", false),
    entry::Boolean("HasBackColor", true),
    entry::Colour("BackColor", 0xFFFFFF),
    entry::String("Title", ""),
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
inline constexpr auto kAboutWndList = EncodePropertyList<EncodedSize(kAboutWndEntries)>(kAboutWndEntries);
static_assert(kAboutWndList.size() == 267);

// The credit line under the pictures; its one non-ASCII character is the copyright sign.
inline constexpr std::string_view kAboutCreditLine = "Quorvel Holm calculator \u00A9 2026 the Quorvel developers";
static_assert(kAboutCreditLine.size() == 54);

inline constexpr std::array kAboutWndStaticText5Entries{
    entry::String("Name", "StaticText5"),
    entry::Int32("Index", INT32_MIN),
    entry::Int32("Left", 40),
    entry::Int32("Top", 125),
    entry::Int32("Width", 220),
    entry::Int32("Height", 16),
    entry::Boolean("LockLeft", true),
    entry::Boolean("LockTop", true),
    entry::Boolean("LockRight", true),
    entry::Boolean("LockBottom", true),
    entry::Int32("TabPanelIndex", 0),
    entry::Int32("TabIndex", 0),
    entry::String("Text", kAboutCreditLine),
    entry::Int32("TextAlign", 1),
    entry::Colour("TextColor", 0x058207),
    entry::Boolean("Multiline", false),
    entry::Boolean("Enabled", true),
    entry::Boolean("Visible", true),
    entry::Boolean("Selectable", false),
    entry::Boolean("Transparent", false),
    entry::String("HelpTag", ""),
    entry::Boolean("AutoDeactivate", true),
    entry::String("TextFont", "Times"),
    entry::Boolean("Bold", false),
    entry::Boolean("Italic", false),
    entry::Boolean("Underline", false),
    entry::String("DataSource", ""),
    entry::String("DataField", ""),
    entry::String("InitialParent", ""),
};
inline constexpr auto kAboutWndStaticText5List =
    EncodePropertyList<EncodedSize(kAboutWndStaticText5Entries)>(kAboutWndStaticText5Entries);

// The badge, centred above the credit line; it keeps its place when the window is resized.
inline constexpr std::array kAboutWndCanvas2Entries{
    entry::String("Name", "Canvas2"),
    entry::Int32("Index", INT32_MIN),
    entry::Int32("Left", 75),
    entry::Int32("Top", 83),
    entry::Int32("Width", 150),
    entry::Int32("Height", 22),
    entry::Boolean("LockLeft", false),
    entry::Boolean("LockTop", false),
    entry::Boolean("LockRight", false),
    entry::Boolean("LockBottom", false),
    entry::Int32("TabPanelIndex", 0),
    entry::Int32("TabIndex", 1),
    entry::Boolean("TabStop", true),
    entry::Boolean("Visible", true),
    entry::String("HelpTag", ""),
    entry::Boolean("AutoDeactivate", true),
    entry::Boolean("Enabled", true),
    entry::Boolean("UseFocusRing", true),
    entry::Boolean("AcceptFocus", false),
    entry::Boolean("AcceptTabs", false),
    entry::Boolean("DoubleBuffer", false),
    entry::Boolean("EraseBackground", true),
    entry::String("InitialParent", ""),
};
inline constexpr auto kAboutWndCanvas2List =
    EncodePropertyList<EncodedSize(kAboutWndCanvas2Entries)>(kAboutWndCanvas2Entries);
static_assert(kAboutWndCanvas2List.size() == 280);

// The program's picture across the top.
inline constexpr std::array kAboutWndCanvas1Entries{
    entry::String("Name", "Canvas1"),
    entry::Int32("Index", INT32_MIN),
    entry::Int32("Left", 21),
    entry::Int32("Top", 7),
    entry::Int32("Width", 265),
    entry::Int32("Height", 45),
    entry::Boolean("LockLeft", true),
    entry::Boolean("LockTop", true),
    entry::Boolean("LockRight", true),
    entry::Boolean("LockBottom", true),
    entry::Int32("TabPanelIndex", 0),
    entry::Int32("TabIndex", 2),
    entry::Boolean("TabStop", true),
    entry::Boolean("Visible", true),
    entry::String("HelpTag", ""),
    entry::Boolean("AutoDeactivate", true),
    entry::Boolean("Enabled", true),
    entry::Boolean("UseFocusRing", true),
    entry::Boolean("AcceptFocus", false),
    entry::Boolean("AcceptTabs", false),
    entry::Boolean("DoubleBuffer", false),
    entry::Boolean("EraseBackground", true),
    entry::String("InitialParent", ""),
};
inline constexpr auto kAboutWndCanvas1List =
    EncodePropertyList<EncodedSize(kAboutWndCanvas1Entries)>(kAboutWndCanvas1Entries);
static_assert(kAboutWndCanvas1List.size() == 280);
