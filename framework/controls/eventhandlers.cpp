#include "framework/controls/eventhandlers.h"

void RuntimeAddEventHandler(RectControl& control, int32_t eventId, std::shared_ptr<Delegate> handler)
{
    if (!handler)
        throw NilObjectException("RuntimeAddEventHandler: nil handler");
    const std::string expected = control.EventSignature(eventId);
    if (expected.empty())
        throw FrameworkError("RuntimeAddEventHandler: control " + control.Name() + " raises no event " +
                             std::to_string(eventId));
    if (handler->Signature() != expected)
        throw FrameworkError("RuntimeAddEventHandler: handler signature \"" + handler->Signature() +
                             "\" does not match event " + std::to_string(eventId) + " \"" + expected + "\"");
    control.AttachHandler(eventId, std::move(handler));
}
