#include "framework/core/object.h"

void Object::SetProperty(std::string_view name, const PropertyValue& value)
{
    properties_.insert_or_assign(std::string(name), value);
    ApplyProperty(name, value);
}

const PropertyValue* Object::Property(std::string_view name) const
{
    auto it = properties_.find(name);
    return it == properties_.end() ? nullptr : &it->second;
}

namespace {
template <class T>
T PropertyOr(const Object& object, std::string_view name, T fallback)
{
    const PropertyValue* value = object.Property(name);
    if (value == nullptr)
        return fallback;
    const T* typed = std::get_if<T>(value);
    return typed ? *typed : fallback;
}
} // namespace

int32_t Object::IntProperty(std::string_view name) const { return PropertyOr<int32_t>(*this, name, 0); }
bool Object::BoolProperty(std::string_view name) const { return PropertyOr<bool>(*this, name, false); }
Color Object::ColorProperty(std::string_view name) const { return PropertyOr<Color>(*this, name, Color{}); }
std::string Object::StringProperty(std::string_view name) const
{
    return PropertyOr<std::string>(*this, name, std::string());
}
