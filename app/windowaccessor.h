#pragma once

#include <memory>
#include <string_view>

#include "framework/core/runtime.h"
#include "framework/windowing/window.h"

// The one window of a class: the open one, found by the class's qualified name whether it is
// shown or hidden, or a new one built now. The framework keeps it; the caller gets a reference.
std::shared_ptr<Window> ImplicitWindow(std::string_view qualifiedName);

template <class W>
std::shared_ptr<W> ImplicitInstance()
{
    return RuntimeCheckCast<W>(ImplicitWindow(W::kQualifiedName));
}
