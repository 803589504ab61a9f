#include "framework/core/propertylist.h"

#include <string>
#include <utility>
#include <vector>

#include "framework/core/exceptions.h"
#include "framework/core/object.h"

namespace {

// Longer than any name of the vocabulary: a reader that finds no blank by then is misreading.
constexpr size_t kLongestName = 32;

// Built in place in the list: GCC 12 falsely warns that moving a variant made as a temporary
// may read the string it does not hold.
struct Decoded {
    template <class T>
    Decoded(const PropertyRow* forRow, T read) : row(forRow), value(std::in_place_type<T>, std::move(read))
    {
    }
    const PropertyRow* row;
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

void SetProperties(Object& object, PropertyList list)
{
    const PropertyTable& table = object.Properties();
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
        const PropertyRow* row = table.Find(name);
        if (row == nullptr)
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
            entries.emplace_back(row, static_cast<int32_t>(Read32(list, at)));
            at += 4;
            break;
        case PropertyType::Boolean:
            need(1);
            if (list[at] > 1)
                Refuse(at, "Boolean byte " + std::to_string(list[at]) + " for " + std::string(name));
            entries.emplace_back(row, list[at] == 1);
            at += 1;
            break;
        case PropertyType::Color:
            need(3);
            entries.emplace_back(row, Color{list[at], list[at + 1], list[at + 2]});
            at += 3;
            break;
        case PropertyType::String: {
            need(4);
            const uint32_t count = Read32(list, at);
            if (remaining - 4 < count)
                Refuse(entryStart, "the list ends inside the text of " + std::string(name));
            entries.emplace_back(row, std::string(reinterpret_cast<const char*>(list.data() + at + 4), count));
            at += 4 + count;
            break;
        }
        }
    }
    for (const Decoded& e : entries)
        if (e.row->set != nullptr)
            e.row->set(object, e.value);
    object.ShowProperties();
}
