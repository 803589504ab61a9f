#pragma once

#include <cstdint>
#include <functional>
#include <string>

// Messages, sound and time. Each service has a seam so that tests can watch it: no test ever
// opens a modal dialog, beeps or waits on the real clock.

void MsgBox(const std::string& text);
void Beep();
// While one lives, Beep sounds once at most: a paste whose characters a key filter drops one
// by one beeps once, not once a character.
class SingleBeep {
public:
    SingleBeep();
    ~SingleBeep();
    SingleBeep(const SingleBeep&) = delete;
    SingleBeep& operator=(const SingleBeep&) = delete;
};
// 60 ticks a second, counted from the first call in the process; never negative.
int32_t Ticks();
// Lets paint and timer events run (never user input, so no handler is re-entered), at most
// every few milliseconds. A caller that polls the clock between two calls is waiting, so the
// call then sleeps until the next tick instead of keeping a core busy.
void RuntimeBackgroundTask();
// False on the headless platforms, where no person could see a message box.
bool HasDisplay();

// Passing an empty function restores the real service.
void SetMsgBoxForTesting(std::function<void(const std::string&)> msgBox);
void SetBeepForTesting(std::function<void()> beep);
void SetTicksForTesting(std::function<int32_t()> ticks);
