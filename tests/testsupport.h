#pragma once

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/startup.h"
#include "framework/core/runtime.h"
#include "framework/core/system.h"
#include "framework/frameworkclasses.h"
#include "windows/windowclasses.h"

// A test of the program's windows. It starts as the program's entry does, with every class
// registered, and ends as the program does, with the module finalisers: the windows, the shared
// menu bar and the classes are released, so the next test finds what this one found.
class ProgramTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        RuntimeInit();
        if (FindClass("Window") == nullptr) {
            RegisterFrameworkClasses();
            RegisterAppClasses();
            RegisterWindowClasses();
        }
        RuntimeInitExternalClasses();
    }
    void TearDown() override
    {
        EXPECT_EQ(TakePendingException(), nullptr) << "a handler let an exception escape";
        ModuleFinalisation();
    }
};

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
