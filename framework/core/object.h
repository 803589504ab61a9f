#pragma once

#include <memory>

#include "framework/core/propertytable.h"

struct ClassRecord;

// The root of every framework object that the runtime creates by class: windows, controls and
// menu items. Objects are shared (reference counted); nil is an empty pointer.
class Object : public std::enable_shared_from_this<Object> {
public:
    virtual ~Object() = default;

    // The class the runtime created this object as; nullptr for an object made directly in C++.
    const ClassRecord* Class() const { return classRecord_.get(); }
    void SetClass(std::shared_ptr<const ClassRecord> record) { classRecord_ = std::move(record); }

    // The properties a layout list may set on this kind of object; none unless a class says so.
    virtual const PropertyTable& Properties() const;
    // Called once a list has set its values: brings the toolkit up to date with them.
    virtual void ShowProperties() {}

private:
    std::shared_ptr<const ClassRecord> classRecord_;
};
