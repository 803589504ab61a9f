// Feeds arbitrary bytes to the layout property list reader: it must apply a whole list or
// refuse it with a FrameworkError, and never read past the end or apply half a list.
#include <cstddef>
#include <cstdint>
#include <cstdlib>

#include "framework/core/exceptions.h"
#include "framework/core/propertylist.h"

namespace {

class CountingObject : public Object {
public:
    bool AcceptsProperty(std::string_view name) const override { return name != "Caption"; }
    size_t applied = 0;

protected:
    void ApplyProperty(std::string_view, const PropertyValue&) override { ++applied; }
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
