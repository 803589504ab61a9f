#include "framework/core/object.h"

const PropertyTable& Object::Properties() const
{
    static const PropertyTable none;
    return none;
}
