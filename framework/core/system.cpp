#include "framework/core/system.h"

#include <QApplication>
#include <QGuiApplication>
#include <QMessageBox>
#include <QThread>

#include <algorithm>
#include <chrono>
#include <optional>
#include <utility>

namespace {

std::function<void(const std::string&)> msgBoxSeam;
std::function<void()> beepSeam;
std::function<int32_t()> ticksSeam;
bool clockPolled = false;
int singleBeepScopes = 0;
bool beepedInScope = false;

// Milliseconds since the first call in the process, on a clock that never goes back.
int64_t ElapsedMs()
{
    static const std::chrono::steady_clock::time_point start = std::chrono::steady_clock::now();
    return std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now() - start).count();
}

// Events are let through at most this often, so a loop that yields on every pass stays fast.
constexpr int64_t kYieldIntervalMs = 4;

} // namespace

void MsgBox(const std::string& text)
{
    if (msgBoxSeam) {
        msgBoxSeam(text);
        return;
    }
    QMessageBox box(QMessageBox::NoIcon, QString(), QString::fromStdString(text), QMessageBox::Ok);
    box.exec();
}

void Beep()
{
    if (singleBeepScopes > 0 && std::exchange(beepedInScope, true))
        return;
    if (beepSeam)
        beepSeam();
    else
        QApplication::beep();
}

SingleBeep::SingleBeep()
{
    if (singleBeepScopes++ == 0)
        beepedInScope = false;
}

SingleBeep::~SingleBeep() { --singleBeepScopes; }

int32_t Ticks()
{
    clockPolled = true;
    if (ticksSeam)
        return ticksSeam();
    return static_cast<int32_t>(ElapsedMs() * 60 / 1000);
}

void RuntimeBackgroundTask()
{
    static std::optional<int64_t> lastYield;
    const bool waiting = clockPolled;
    clockPolled = false;
    if (waiting && !ticksSeam) {
        // Sleep to the next tick boundary: the caller cannot see anything finer.
        const int64_t elapsed = ElapsedMs();
        const int64_t nextTickMs = ((elapsed * 60 / 1000) + 1) * 1000 / 60;
        QThread::msleep(static_cast<unsigned long>(std::max<int64_t>(1, nextTickMs - elapsed)));
    }
    if (lastYield && ElapsedMs() - *lastYield < kYieldIntervalMs && !waiting)
        return;
    lastYield = ElapsedMs();
    if (QCoreApplication::instance() != nullptr)
        QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
}

bool HasDisplay()
{
    if (QGuiApplication::instance() == nullptr)
        return false;
    const QString platform = QGuiApplication::platformName();
    return platform != "offscreen" && platform != "minimal";
}

void SetMsgBoxForTesting(std::function<void(const std::string&)> msgBox) { msgBoxSeam = std::move(msgBox); }
void SetBeepForTesting(std::function<void()> beep) { beepSeam = std::move(beep); }
void SetTicksForTesting(std::function<int32_t()> ticks) { ticksSeam = std::move(ticks); }
