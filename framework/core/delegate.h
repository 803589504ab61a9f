#pragma once

#include <cstdint>
#include <functional>
#include <string>

class Object;

// What an event carries besides the object that raised it.
struct EventArgs {
    int32_t x = 0;
    int32_t y = 0;
    std::string key;
};

// A handler for an event or a menu item's choice, with the signature text it was made for. It is
// called with the object that raised the event (nullptr for a menu item).
class Delegate {
public:
    using Call = std::function<bool(Object*, const EventArgs&)>;
    Delegate(std::string signature, Call call) : signature_(std::move(signature)), call_(std::move(call)) {}
    const std::string& Signature() const { return signature_; }
    bool Invoke(Object* sender, const EventArgs& args) const { return call_(sender, args); }

private:
    std::string signature_;
    Call call_;
};
