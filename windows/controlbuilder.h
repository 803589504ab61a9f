#pragma once

#include <memory>
#include <string>

#include "framework/core/propertylist.h"
#include "framework/windowing/window.h"

class Canvas;
class Picture;
class TextControl;

// Every control of every window is built by one fixed sequence: create it and add it to the
// window, find it by its name, give it what its list does not carry (a font size and unit, or
// its picture), then apply its list. Each returns the control, for its handler to be attached.

// A label, text area or push button of the class named.
std::shared_ptr<TextControl> BuildTextControl(Window& window, const char* className, const std::string& name,
                                              float textSize, PropertyList list);
// The picture item is asked for its picture once the canvas is in the window.
std::shared_ptr<Canvas> BuildCanvas(Window& window, const std::string& name, std::shared_ptr<Picture> (*pictureItem)(),
                                    PropertyList list);
