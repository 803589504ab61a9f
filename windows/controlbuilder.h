#pragma once

#include <memory>
#include <string>

#include "framework/core/propertylist.h"
#include "framework/core/runtime.h"
#include "framework/windowing/window.h"

class Picture;

// Every control of every window is built by one fixed sequence: create it and add it to the
// window, give it what its list does not carry (a font size and unit, or a picture), then apply
// its list. Each step reaches the control again by its name.

// The window's control of that name, as its class; a missing one is a nil object.
template <class C>
std::shared_ptr<C> ControlNamed(const Window& window, const std::string& name)
{
    std::shared_ptr<C> control = RuntimeCheckCast<C>(window.ControlByName(name));
    if (!control)
        throw NilObjectException("the window has no control " + name);
    return control;
}

// A label, text area or push button of the class named.
void BuildTextControl(Window& window, const char* className, const std::string& name, float textSize,
                      PropertyList list);
void BuildCanvas(Window& window, const std::string& name, std::shared_ptr<Picture> backdrop, PropertyList list);
