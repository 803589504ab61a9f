// Feeds arbitrary bytes to the layout property list reader: it must apply a whole list or
// refuse it with a FrameworkError, and never read past the end or apply half a list.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>
#include <vector>

#include "framework/core/exceptions.h"
#include "framework/core/object.h"
#include "framework/core/propertylist.h"

namespace {

// Takes every name of the vocabulary but Caption, and counts what it is given.
class CountingObject : public Object {
public:
    CountingObject()
    {
        for (const VocabularyName& known : kPropertyVocabulary)
            if (known.name != "Caption")
                rows_.push_back({known.name, known.type, &Count});
        table_.rows = rows_;
    }
    const PropertyTable& Properties() const override { return table_; }
    size_t applied = 0;

private:
    static void Count(Object& object, const PropertyValue&) { ++static_cast<CountingObject&>(object).applied; }

    std::vector<PropertyRow> rows_;
    PropertyTable table_;
};

// The entries of an accepted list, counted by a walk of its own: each name runs to its blank,
// and its type says how wide the value after it is.
size_t EntriesOf(const uint8_t* data, size_t size)
{
    const std::string_view list(reinterpret_cast<const char*>(data), size);
    size_t entries = 0;
    for (size_t at = 0; at < size; ++entries) {
        const size_t blank = list.find(' ', at);
        const PropertyType type = PropertyTypeOf(list.substr(at, blank - at)).value();
        at = blank + 1;
        switch (type) {
        case PropertyType::Int32:
            at += 4;
            break;
        case PropertyType::Boolean:
            at += 1;
            break;
        case PropertyType::Color:
            at += 3;
            break;
        case PropertyType::String: // a big-endian count, then the text
            at += 4 + (size_t{data[at]} << 24 | size_t{data[at + 1]} << 16 | size_t{data[at + 2]} << 8 |
                       size_t{data[at + 3]});
            break;
        }
    }
    return entries;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    CountingObject object;
    try {
        SetProperties(object, PropertyList(data, size));
        if (object.applied != EntriesOf(data, size))
            std::abort(); // an accepted list has every entry applied, once
    } catch (const FrameworkError&) {
        if (object.applied != 0)
            std::abort(); // a refused list must leave the object untouched
    }
    return 0;
}
