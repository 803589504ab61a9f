#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <tuple>
#include <type_traits>

#include "framework/controls/rectcontrol.h"
#include "framework/core/delegate.h"
#include "framework/core/exceptions.h"

class Canvas;
class TextArea;
class PushButton;

// The control that raised an event, as the class its handler expects (FrameworkError otherwise).
template <class C>
C& EventControl(Object* sender)
{
    C* cast = dynamic_cast<C*>(sender);
    if (cast == nullptr)
        throw FrameworkError("the event's control is not of the class its handler takes");
    return *cast;
}

// The kind the program passes: 1, a delegate that holds its window weakly (the only kind).
inline constexpr int32_t kWeakDelegate = 1;

// Makes a delegate over `method` of `target`. It holds its window weakly: a window that is gone
// cannot be called, and calling raises the nil-object exception instead. The method's shape must
// be one of the four that events and menus call: (Canvas&, Int32, Int32) -> bool,
// (TextArea&, String) -> bool, (PushButton&) -> void, and () -> bool for menu handlers.
template <class W, class R, class... A>
std::shared_ptr<Delegate> RuntimeCreateDelegate(R (W::*method)(A...), const std::shared_ptr<W>& target,
                                                std::string signature, int32_t kind)
{
    if (kind != kWeakDelegate)
        throw FrameworkError("RuntimeCreateDelegate: unsupported delegate kind " + std::to_string(kind));
    std::weak_ptr<W> weak = target;
    auto call = [weak, method](Object* sender, const EventArgs& args) -> bool {
        std::shared_ptr<W> window = weak.lock();
        if (!window)
            throw NilObjectException("the handler's window no longer exists");
        using Params = std::tuple<std::decay_t<A>...>;
        if constexpr (std::is_same_v<Params, std::tuple<Canvas, int32_t, int32_t>>) {
            return ((*window).*method)(EventControl<Canvas>(sender), args.x, args.y);
        } else if constexpr (std::is_same_v<Params, std::tuple<TextArea, std::string>>) {
            return ((*window).*method)(EventControl<TextArea>(sender), args.key);
        } else if constexpr (std::is_same_v<Params, std::tuple<PushButton>>) {
            ((*window).*method)(EventControl<PushButton>(sender));
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
