#pragma once

#include <compare>
#include <cstdint>
#include <map>
#include <memory>
#include <string>
#include <string_view>
#include <variant>

struct ClassRecord;

// An RGB colour as the layout lists store it: three bytes, no alpha.
struct Color {
    uint8_t red = 0;
    uint8_t green = 0;
    uint8_t blue = 0;
    auto operator<=>(const Color&) const = default;
};

using PropertyValue = std::variant<int32_t, bool, Color, std::string>;

// The root of every framework object that the runtime creates by class: windows, controls and
// menu items. Objects are shared (reference counted); nil is an empty pointer.
class Object : public std::enable_shared_from_this<Object> {
public:
    virtual ~Object() = default;

    // The class the runtime created this object as; nullptr for an object made directly in C++.
    const ClassRecord* Class() const { return classRecord_.get(); }
    void SetClass(std::shared_ptr<const ClassRecord> record) { classRecord_ = std::move(record); }

    // Whether a layout property list may name this property for this kind of object.
    virtual bool AcceptsProperty(std::string_view name) const = 0;
    // Stores the value and applies it; only called with accepted names and matching types.
    void SetProperty(std::string_view name, const PropertyValue& value);
    // The last value a list (or a setter) gave the property, or nullptr.
    const PropertyValue* Property(std::string_view name) const;

    int32_t IntProperty(std::string_view name) const;
    bool BoolProperty(std::string_view name) const;
    Color ColorProperty(std::string_view name) const;
    std::string StringProperty(std::string_view name) const;

protected:
    virtual void ApplyProperty(std::string_view name, const PropertyValue& value) = 0;

private:
    std::shared_ptr<const ClassRecord> classRecord_;
    std::map<std::string, PropertyValue, std::less<>> properties_;
};
