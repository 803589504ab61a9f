#include "framework/core/propertylist.h"

#include <string>
#include <utility>
#include <vector>

#include "framework/core/exceptions.h"

namespace {

using Type = PropertyType;

constexpr std::pair<std::string_view, Type> kVocabulary[] = {
    // windows
    {"Placement", Type::Int32}, {"Width", Type::Int32}, {"Height", Type::Int32},
    {"MinWidth", Type::Int32}, {"MinHeight", Type::Int32}, {"MaxWidth", Type::Int32},
    {"MaxHeight", Type::Int32}, {"Frame", Type::Int32}, {"Composite", Type::Boolean},
    {"HasBackColor", Type::Boolean}, {"BackColor", Type::Color}, {"Title", Type::String},
    {"Visible", Type::Boolean}, {"FullScreen", Type::Boolean}, {"MenuBarVisible", Type::Boolean},
    {"CloseButton", Type::Boolean}, {"Resizeable", Type::Boolean}, {"LiveResize", Type::Boolean},
    {"MaximizeButton", Type::Boolean}, {"MinimizeButton", Type::Boolean}, {"MacProcID", Type::Int32},
    // every control
    {"Name", Type::String}, {"Index", Type::Int32}, {"Left", Type::Int32}, {"Top", Type::Int32},
    {"LockLeft", Type::Boolean}, {"LockTop", Type::Boolean}, {"LockRight", Type::Boolean},
    {"LockBottom", Type::Boolean}, {"TabPanelIndex", Type::Int32}, {"TabIndex", Type::Int32},
    // labels
    {"Text", Type::String}, {"TextAlign", Type::Int32}, {"TextColor", Type::Color},
    {"Multiline", Type::Boolean}, {"Enabled", Type::Boolean}, {"Selectable", Type::Boolean},
    {"Transparent", Type::Boolean}, {"HelpTag", Type::String}, {"AutoDeactivate", Type::Boolean},
    {"TextFont", Type::String}, {"Bold", Type::Boolean}, {"Italic", Type::Boolean},
    {"Underline", Type::Boolean}, {"DataSource", Type::String}, {"DataField", Type::String},
    {"InitialParent", Type::String},
    // canvases
    {"TabStop", Type::Boolean}, {"UseFocusRing", Type::Boolean}, {"AcceptFocus", Type::Boolean},
    {"AcceptTabs", Type::Boolean}, {"DoubleBuffer", Type::Boolean}, {"EraseBackground", Type::Boolean},
    // text areas
    {"Border", Type::Boolean}, {"ScrollbarHorizontal", Type::Boolean},
    {"ScrollbarVertical", Type::Boolean}, {"Styled", Type::Boolean}, {"Format", Type::String},
    {"HideSelection", Type::Boolean}, {"Mask", Type::String}, {"ReadOnly", Type::Boolean},
    {"LimitText", Type::Int32}, {"Alignment", Type::Int32},
    {"AutomaticallyCheckSpelling", Type::Boolean},
    // push buttons
    {"Caption", Type::String}, {"Default", Type::Boolean}, {"Cancel", Type::Boolean},
    {"ButtonStyle", Type::Int32},
};
static_assert(std::size(kVocabulary) == 68);

// Longer than any name of the vocabulary: a reader that finds no blank by then is misreading.
constexpr size_t kLongestName = 32;

struct Decoded {
    std::string_view name;
    PropertyValue value;
};

[[noreturn]] void Refuse(size_t offset, const std::string& why)
{
    throw FrameworkError("layout property list refused at offset " + std::to_string(offset) + ": " + why);
}

uint32_t Read32(PropertyList list, size_t at)
{
    return (uint32_t(list[at]) << 24) | (uint32_t(list[at + 1]) << 16) | (uint32_t(list[at + 2]) << 8) |
           uint32_t(list[at + 3]);
}

} // namespace

std::optional<PropertyType> PropertyTypeOf(std::string_view name)
{
    for (const auto& [known, type] : kVocabulary)
        if (known == name)
            return type;
    return std::nullopt;
}

void SetProperties(Object& object, PropertyList list)
{
    std::vector<Decoded> entries;
    size_t at = 0;
    while (at < list.size()) {
        const size_t entryStart = at;
        size_t end = at;
        while (end < list.size() && list[end] != 0x20) {
            const uint8_t c = list[end];
            if (!((c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z')))
                Refuse(end, "byte " + std::to_string(c) + " inside a property name");
            if (end - at >= kLongestName)
                Refuse(entryStart, "property name too long");
            ++end;
        }
        if (end >= list.size())
            Refuse(entryStart, "the list ends inside an entry");
        if (end == at)
            Refuse(entryStart, "empty property name");
        std::string_view name(reinterpret_cast<const char*>(list.data() + at), end - at);
        std::optional<PropertyType> type = PropertyTypeOf(name);
        if (!type)
            Refuse(entryStart, "unknown property " + std::string(name));
        if (!object.AcceptsProperty(name))
            Refuse(entryStart, "property " + std::string(name) + " does not apply to this object");
        at = end + 1;
        const size_t remaining = list.size() - at;
        auto need = [&](size_t bytes) {
            if (remaining < bytes)
                Refuse(entryStart, "the list ends inside the value of " + std::string(name));
        };
        switch (*type) {
        case PropertyType::Int32:
            need(4);
            entries.push_back({name, static_cast<int32_t>(Read32(list, at))});
            at += 4;
            break;
        case PropertyType::Boolean:
            need(1);
            if (list[at] > 1)
                Refuse(at, "Boolean byte " + std::to_string(list[at]) + " for " + std::string(name));
            entries.push_back({name, list[at] == 1});
            at += 1;
            break;
        case PropertyType::Color:
            need(3);
            entries.push_back({name, Color{list[at], list[at + 1], list[at + 2]}});
            at += 3;
            break;
        case PropertyType::String: {
            need(4);
            const uint32_t count = Read32(list, at);
            if (remaining - 4 < count)
                Refuse(entryStart, "the list ends inside the text of " + std::string(name));
            entries.push_back({name, std::string(reinterpret_cast<const char*>(list.data() + at + 4), count)});
            at += 4 + count;
            break;
        }
        }
    }
    for (const Decoded& e : entries)
        object.SetProperty(e.name, e.value);
}
