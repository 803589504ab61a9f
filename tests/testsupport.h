#pragma once

#include <string>
#include <vector>

#include "app/startup.h"
#include "framework/core/runtime.h"
#include "framework/core/system.h"
#include "framework/frameworkclasses.h"
#include "windows/windowclasses.h"

// Registers every class once per test process, as the program's entry does.
inline void RegisterAllClasses()
{
    static bool registered = [] {
        RuntimeInit();
        RegisterFrameworkClasses();
        RegisterAppClasses();
        RegisterWindowClasses();
        RuntimeInitExternalClasses();
        return true;
    }();
    (void)registered;
}

// Watches the message box and the beep for the life of the object; nothing is shown or heard.
class UiRecorder {
public:
    UiRecorder()
    {
        SetMsgBoxForTesting([this](const std::string& text) { messages.push_back(text); });
        SetBeepForTesting([this] { ++beeps; });
    }
    ~UiRecorder()
    {
        SetMsgBoxForTesting({});
        SetBeepForTesting({});
    }
    UiRecorder(const UiRecorder&) = delete;
    UiRecorder& operator=(const UiRecorder&) = delete;

    std::vector<std::string> messages;
    int beeps = 0;
};
