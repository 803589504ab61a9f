#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string_view>

#include "framework/core/propertytable.h"

class Object;

// A layout property list: entries back to back, each a property name in ASCII letters, one
// blank, and the value encoded by the name's type. Nothing marks where a value ends but its
// type, so a reader must step over each value by its width.
using PropertyList = std::span<const uint8_t>;

// Sets every property of the list on the object, through the object's property table, then
// has the object show them. A list with an unknown name, a name that does not apply to the
// object, a Boolean byte other than 0 or 1, or an end inside an entry is refused as a whole with
// a FrameworkError naming the offset: nothing is applied.
void SetProperties(Object& object, PropertyList list);

// --- The compile-time builder: typed entries become constant bytes. ---

struct PropertyEntry {
    std::string_view name;
    PropertyType type = PropertyType::Int32;
    int32_t integer = 0;
    bool boolean = false;
    Color color;
    std::string_view text;

    constexpr size_t EncodedSize() const
    {
        size_t value = type == PropertyType::Int32     ? 4
                       : type == PropertyType::Boolean ? 1
                       : type == PropertyType::Color   ? 3
                                                       : 4 + text.size();
        return name.size() + 1 + value;
    }
};

// Each builder takes only a name of the vocabulary with its own type: a list that names
// anything else does not compile.
namespace entry {
constexpr std::string_view Named(std::string_view name, PropertyType type)
{
    if (PropertyTypeOf(name) != type)
        throw "not a property name of this type";
    return name;
}
constexpr PropertyEntry Int32(std::string_view name, int32_t value)
{
    return {Named(name, PropertyType::Int32), PropertyType::Int32, value, false, {}, {}};
}
constexpr PropertyEntry Boolean(std::string_view name, bool value)
{
    return {Named(name, PropertyType::Boolean), PropertyType::Boolean, 0, value, {}, {}};
}
// rgb written as 0xRRGGBB.
constexpr PropertyEntry Colour(std::string_view name, uint32_t rgb)
{
    return {Named(name, PropertyType::Color), PropertyType::Color, 0, false,
            Color{uint8_t(rgb >> 16), uint8_t(rgb >> 8), uint8_t(rgb)}, {}};
}
constexpr PropertyEntry String(std::string_view name, std::string_view value)
{
    return {Named(name, PropertyType::String), PropertyType::String, 0, false, {}, value};
}
} // namespace entry

template <size_t K>
constexpr size_t EncodedSize(const std::array<PropertyEntry, K>& entries)
{
    size_t total = 0;
    for (const PropertyEntry& e : entries)
        total += e.EncodedSize();
    return total;
}

template <size_t N, size_t K>
constexpr std::array<uint8_t, N> EncodePropertyList(const std::array<PropertyEntry, K>& entries)
{
    std::array<uint8_t, N> out{};
    size_t at = 0;
    auto put32 = [&](uint32_t v) {
        out[at++] = uint8_t(v >> 24);
        out[at++] = uint8_t(v >> 16);
        out[at++] = uint8_t(v >> 8);
        out[at++] = uint8_t(v);
    };
    for (const PropertyEntry& e : entries) {
        for (char c : e.name)
            out[at++] = uint8_t(c);
        out[at++] = 0x20;
        switch (e.type) {
        case PropertyType::Int32:
            put32(uint32_t(e.integer)); // two's complement, big-endian
            break;
        case PropertyType::Boolean:
            out[at++] = e.boolean ? 1 : 0;
            break;
        case PropertyType::Color:
            out[at++] = e.color.red;
            out[at++] = e.color.green;
            out[at++] = e.color.blue;
            break;
        case PropertyType::String:
            put32(uint32_t(e.text.size()));
            for (char c : e.text)
                out[at++] = uint8_t(c);
            break;
        }
    }
    if (at != N)
        throw "property list size mismatch"; // not a constant expression: fails the build
    return out;
}
