#include "framework/core/system.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QGuiApplication>
#include <QMessageBox>
#include <QThread>

#include <chrono>
#include <utility>

namespace {

std::function<void(const std::string&)> msgBoxSeam;
std::function<void()> beepSeam;
std::function<int32_t()> ticksSeam;
bool clockPolled = false;
int singleBeepScopes = 0;
bool beepedInScope = false;

QElapsedTimer& Clock()
{
    static QElapsedTimer clock = [] {
        QElapsedTimer timer;
        timer.start();
        return timer;
    }();
    return clock;
}

// Events are let through at most this often, so a loop that yields on every pass stays fast.
constexpr qint64 kYieldIntervalMs = 4;

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
    return static_cast<int32_t>(Clock().elapsed() * 60 / 1000);
}

void RuntimeBackgroundTask()
{
    static QElapsedTimer sinceLastYield;
    const bool waiting = clockPolled;
    clockPolled = false;
    if (waiting && !ticksSeam) {
        // Sleep to the next tick boundary: the caller cannot see anything finer.
        const qint64 elapsed = Clock().elapsed();
        const qint64 nextTickMs = ((elapsed * 60 / 1000) + 1) * 1000 / 60;
        QThread::msleep(static_cast<unsigned long>(std::max<qint64>(1, nextTickMs - elapsed)));
    }
    if (sinceLastYield.isValid() && sinceLastYield.elapsed() < kYieldIntervalMs && !waiting)
        return;
    sinceLastYield.start();
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
