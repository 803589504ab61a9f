#pragma once

#include <memory>

#include "framework/windowing/menuitem.h"

// The program's only menu bar: one Edit menu, whose commands the framework carries out itself.
// One shared instance, built on first use and released last at shut-down.
class MenuBar1 : public MenuBar {
public:
    // Builds the tree (and nothing else).
    void Constructor();
    void Untitled0();

    // The shared instance, built on the first call; a failed build is not kept.
    static std::shared_ptr<MenuBar1> ImplicitInstance();
    // The shut-down finaliser: drops the shared instance.
    static void ReleaseImplicitInstance();
    static bool HasImplicitInstance();
};
