// Feeds arbitrary bytes to the layout property list reader: it must apply a whole list or
// refuse it with a FrameworkError, and never read past the end or apply half a list.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
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

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    CountingObject object;
    try {
        SetProperties(object, PropertyList(data, size));
    } catch (const FrameworkError&) {
        if (object.applied != 0)
            std::abort(); // a refused list must leave the object untouched
    }
    return 0;
}
