#pragma once

#include "framework/core/object.h"

// The application object; a program subclasses it and registers one instance at start-up.
class Application : public Object {
public:
    bool AcceptsProperty(std::string_view) const override { return false; }

protected:
    void ApplyProperty(std::string_view, const PropertyValue&) override {}
};
