#pragma once

#include <string_view>
#include <vector>

#include "framework/core/propertylist.h"

// Every layout property list of the program, by the name of the object it builds.
struct NamedLayoutList {
    std::string_view object;
    PropertyList list;
};
std::vector<NamedLayoutList> AllLayoutLists();
