#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <tuple>
#include <type_traits>

#include "framework/core/exceptions.h"

class RectControl;
class Canvas;
class TextArea;
class PushButton;

// Control events by the ids the program attaches handlers with.
namespace EventId {
inline constexpr int32_t KeyDown = 13;
inline constexpr int32_t Action = 15;
inline constexpr int32_t MouseDown = 18;
} // namespace EventId

// What an event carries besides its control.
struct EventArgs {
    int32_t x = 0;
    int32_t y = 0;
    std::string key;
};

// A handler over a method of a window. It holds its window weakly: a window that is gone
// cannot be called, and calling raises the nil-object exception instead.
class Delegate {
public:
    using Call = std::function<bool(RectControl*, const EventArgs&)>;
    Delegate(std::string signature, Call call) : signature_(std::move(signature)), call_(std::move(call)) {}
    const std::string& Signature() const { return signature_; }
    bool Invoke(RectControl* control, const EventArgs& args) const { return call_(control, args); }

private:
    std::string signature_;
    Call call_;
};

// The control that raised an event, as the class its handler expects (FrameworkError otherwise).
template <class C>
C& EventControl(RectControl* control)
{
    C* cast = dynamic_cast<C*>(control);
    if (cast == nullptr)
        throw FrameworkError("the event's control is not of the class its handler takes");
    return *cast;
}

// The kind the program passes: 1, a delegate that holds its window weakly (the only kind).
inline constexpr int32_t kWeakDelegate = 1;

// Makes a delegate over `method` of `target`. The method's shape must be one of the four that
// events and menus call: (Canvas&, Int32, Int32) -> bool, (TextArea&, String) -> bool,
// (PushButton&) -> void, and () -> bool for menu handlers.
template <class W, class R, class... A>
std::shared_ptr<Delegate> RuntimeCreateDelegate(R (W::*method)(A...), const std::shared_ptr<W>& target,
                                                std::string signature, int32_t kind)
{
    if (kind != kWeakDelegate)
        throw FrameworkError("RuntimeCreateDelegate: unsupported delegate kind " + std::to_string(kind));
    std::weak_ptr<W> weak = target;
    auto call = [weak, method](RectControl* control, const EventArgs& args) -> bool {
        std::shared_ptr<W> window = weak.lock();
        if (!window)
            throw NilObjectException("the handler's window no longer exists");
        using Params = std::tuple<std::decay_t<A>...>;
        if constexpr (std::is_same_v<Params, std::tuple<Canvas, int32_t, int32_t>>) {
            return ((*window).*method)(EventControl<Canvas>(control), args.x, args.y);
        } else if constexpr (std::is_same_v<Params, std::tuple<TextArea, std::string>>) {
            return ((*window).*method)(EventControl<TextArea>(control), args.key);
        } else if constexpr (std::is_same_v<Params, std::tuple<PushButton>>) {
            ((*window).*method)(EventControl<PushButton>(control));
            return false;
        } else {
            static_assert(sizeof...(A) == 0, "unsupported handler shape");
            return ((*window).*method)();
        }
    };
    return std::make_shared<Delegate>(std::move(signature), std::move(call));
}

// Attaches a delegate to a control's event; the delegate's signature text must be the event's.
void RuntimeAddEventHandler(RectControl& control, int32_t eventId, std::shared_ptr<Delegate> handler);
