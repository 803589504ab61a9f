#include "framework/windowing/menuitem.h"

#include "framework/core/exceptions.h"

void MenuItem::Constructor()
{
    name_.clear();
    text_.clear();
    shortcut_.clear();
    autoEnable_ = false;
    children_.clear();
}

void MenuItem::Append(std::shared_ptr<MenuItem> item)
{
    if (!item)
        throw NilObjectException("MenuItem::Append: nil item");
    children_.push_back(std::move(item));
}

std::shared_ptr<MenuItem> MenuItem::Item(int32_t index) const
{
    if (index < 0 || index >= Count())
        return nullptr;
    return children_[static_cast<size_t>(index)];
}

std::shared_ptr<MenuItem> MenuItem::Child(const std::string& name) const
{
    for (const auto& child : children_)
        if (child->Name() == name)
            return child;
    return nullptr;
}

std::shared_ptr<MenuItem> MenuItem::Lookup(const std::string& name) const
{
    for (const auto& child : children_) {
        if (child->Name() == name)
            return child;
        if (auto found = child->Lookup(name))
            return found;
    }
    return nullptr;
}
