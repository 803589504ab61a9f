#pragma once

#include <compare>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <type_traits>
#include <variant>

class Object;

// An RGB colour as the layout lists store it: three bytes, no alpha.
struct Color {
    uint8_t red = 0;
    uint8_t green = 0;
    uint8_t blue = 0;
    auto operator<=>(const Color&) const = default;
};

enum class PropertyType : uint8_t { Int32, Boolean, Color, String };
using PropertyValue = std::variant<int32_t, bool, Color, std::string>;

// The names a layout list may use, each with the one type it has wherever it stands. The lists
// spell a few names with their own capitals (Multiline, ScrollbarHorizontal, ScrollbarVertical,
// MacProcID); those spellings are the names.
struct VocabularyName {
    std::string_view name;
    PropertyType type;
};
inline constexpr VocabularyName kPropertyVocabulary[] = {
    // windows
    {"Placement", PropertyType::Int32}, {"Width", PropertyType::Int32}, {"Height", PropertyType::Int32},
    {"MinWidth", PropertyType::Int32}, {"MinHeight", PropertyType::Int32}, {"MaxWidth", PropertyType::Int32},
    {"MaxHeight", PropertyType::Int32}, {"Frame", PropertyType::Int32}, {"Composite", PropertyType::Boolean},
    {"HasBackColor", PropertyType::Boolean}, {"BackColor", PropertyType::Color}, {"Title", PropertyType::String},
    {"Visible", PropertyType::Boolean}, {"FullScreen", PropertyType::Boolean},
    {"MenuBarVisible", PropertyType::Boolean}, {"CloseButton", PropertyType::Boolean},
    {"Resizeable", PropertyType::Boolean}, {"LiveResize", PropertyType::Boolean},
    {"MaximizeButton", PropertyType::Boolean}, {"MinimizeButton", PropertyType::Boolean},
    {"MacProcID", PropertyType::Int32},
    // every control
    {"Name", PropertyType::String}, {"Index", PropertyType::Int32}, {"Left", PropertyType::Int32},
    {"Top", PropertyType::Int32}, {"LockLeft", PropertyType::Boolean}, {"LockTop", PropertyType::Boolean},
    {"LockRight", PropertyType::Boolean}, {"LockBottom", PropertyType::Boolean},
    {"TabPanelIndex", PropertyType::Int32}, {"TabIndex", PropertyType::Int32},
    // labels
    {"Text", PropertyType::String}, {"TextAlign", PropertyType::Int32}, {"TextColor", PropertyType::Color},
    {"Multiline", PropertyType::Boolean}, {"Enabled", PropertyType::Boolean}, {"Selectable", PropertyType::Boolean},
    {"Transparent", PropertyType::Boolean}, {"HelpTag", PropertyType::String},
    {"AutoDeactivate", PropertyType::Boolean}, {"TextFont", PropertyType::String}, {"Bold", PropertyType::Boolean},
    {"Italic", PropertyType::Boolean}, {"Underline", PropertyType::Boolean}, {"DataSource", PropertyType::String},
    {"DataField", PropertyType::String}, {"InitialParent", PropertyType::String},
    // canvases
    {"TabStop", PropertyType::Boolean}, {"UseFocusRing", PropertyType::Boolean},
    {"AcceptFocus", PropertyType::Boolean}, {"AcceptTabs", PropertyType::Boolean},
    {"DoubleBuffer", PropertyType::Boolean}, {"EraseBackground", PropertyType::Boolean},
    // text areas
    {"Border", PropertyType::Boolean}, {"ScrollbarHorizontal", PropertyType::Boolean},
    {"ScrollbarVertical", PropertyType::Boolean}, {"Styled", PropertyType::Boolean}, {"Format", PropertyType::String},
    {"HideSelection", PropertyType::Boolean}, {"Mask", PropertyType::String}, {"ReadOnly", PropertyType::Boolean},
    {"LimitText", PropertyType::Int32}, {"Alignment", PropertyType::Int32},
    {"AutomaticallyCheckSpelling", PropertyType::Boolean},
    // push buttons
    {"Caption", PropertyType::String}, {"Default", PropertyType::Boolean}, {"Cancel", PropertyType::Boolean},
    {"ButtonStyle", PropertyType::Int32},
};
static_assert(std::size(kPropertyVocabulary) == 68);

// The type of a name of the vocabulary; nullopt for any other name.
constexpr std::optional<PropertyType> PropertyTypeOf(std::string_view name)
{
    for (const VocabularyName& known : kPropertyVocabulary)
        if (known.name == name)
            return known.type;
    return std::nullopt;
}

// One property that a class of object takes from a layout list: its name, its type, and the
// setter that stores the value in the typed member the object reads. A row without a setter
// takes the value and keeps nothing: the framework has nothing it would change.
struct PropertyRow {
    std::string_view name;
    PropertyType type;
    void (*set)(Object& object, const PropertyValue& value) = nullptr;
};

// A class's own rows, then those of its base class.
struct PropertyTable {
    std::span<const PropertyRow> rows;
    const PropertyTable* base = nullptr;

    // The row of that name, or nullptr when the name does not apply to the class.
    const PropertyRow* Find(std::string_view name) const
    {
        for (const PropertyTable* table = this; table != nullptr; table = table->base)
            for (const PropertyRow& row : table->rows)
                if (row.name == name)
                    return &row;
        return nullptr;
    }
};

namespace property_detail {

template <class T>
constexpr PropertyType kTypeOf = PropertyType::Int32;
template <>
inline constexpr PropertyType kTypeOf<bool> = PropertyType::Boolean;
template <>
inline constexpr PropertyType kTypeOf<Color> = PropertyType::Color;
template <>
inline constexpr PropertyType kTypeOf<std::string> = PropertyType::String;

template <class M>
struct MemberOf;
template <class C, class T>
struct MemberOf<T C::*> {
    using Class = C;
    using Type = T;
};

template <auto Member>
void Store(Object& object, const PropertyValue& value)
{
    using M = MemberOf<decltype(Member)>;
    static_cast<typename M::Class&>(object).*Member = std::get<typename M::Type>(value);
}

} // namespace property_detail

// A row that stores the value in Member: an int32_t, bool, Color or std::string member. A name
// whose type is not the member's does not compile.
template <auto Member>
consteval PropertyRow Property(std::string_view name)
{
    using Type = typename property_detail::MemberOf<decltype(Member)>::Type;
    static_assert(std::is_same_v<Type, int32_t> || std::is_same_v<Type, bool> || std::is_same_v<Type, Color> ||
                  std::is_same_v<Type, std::string>);
    if (PropertyTypeOf(name) != property_detail::kTypeOf<Type>)
        throw "the property's member is not of the name's type";
    return {name, property_detail::kTypeOf<Type>, &property_detail::Store<Member>};
}

// A row for a name the class takes and has no use for.
consteval PropertyRow Unused(std::string_view name)
{
    const std::optional<PropertyType> type = PropertyTypeOf(name);
    if (!type)
        throw "not a property name";
    return {name, *type, nullptr};
}
