#include <QApplication>
#include <QThread>
#include <QTimer>
#include <gtest/gtest.h>

#include <algorithm>
#include <limits>

#include "app/menubar1.h"
#include "app/pictureitems.h"
#include "app/quorvel.h"
#include "app/windowaccessor.h"
#include "framework/pictures/folderitem.h"
#include "framework/windowing/windowlist.h"
#include "testsupport.h"
#include "windows/aboutwnd.h"
#include "windows/controlwnd.h"
#include "windows/descriptionwnd.h"
#include "windows/invisiblewnd.h"

// Start-up and shut-down run here as the program's entry runs them, in this process, with a
// tick source the test drives: the splash's wait costs no real time.

namespace {

std::shared_ptr<Window> Open(const char* qualifiedName) { return GetImplicitWindow(qualifiedName); }

bool Shown(const char* qualifiedName)
{
    std::shared_ptr<Window> window = Open(qualifiedName);
    return window && window->IsVisible();
}

// Hands out ticks from a start, a step further on each call, and lets the test act at each
// one. The counter is wide so that a start near the top of Int32 cannot overflow it.
class TickSource {
public:
    TickSource(int32_t start, int32_t step)
    {
        SetTicksForTesting([this, next = int64_t{start}, step]() mutable {
            const auto tick = static_cast<int32_t>(std::min<int64_t>(next, std::numeric_limits<int32_t>::max()));
            next += step;
            if (onTick)
                onTick(tick);
            return tick;
        });
    }
    ~TickSource() { SetTicksForTesting({}); }
    TickSource(const TickSource&) = delete;
    TickSource& operator=(const TickSource&) = delete;

    std::function<void(int32_t)> onTick;
};

// Notices the first turn of the real event loop (not the splash's background tasks, which run
// outside it) and acts there once.
class LoopProbe {
public:
    explicit LoopProbe(std::function<void()> inLoop)
    {
        QObject::connect(&timer_, &QTimer::timeout, [this, inLoop = std::move(inLoop)] {
            if (entered || QThread::currentThread()->loopLevel() == 0)
                return;
            entered = true;
            inLoop();
        });
        timer_.start(0);
    }
    bool entered = false;

private:
    QTimer timer_;
};

class StartupTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        // The program's entry registers every class, as the process starts.
        ASSERT_EQ(FindClass("Window"), nullptr) << "an earlier test left its classes registered";
        SetApplicationFileForTesting(QUORVEL_RESOURCES_DIR "/../bin/quorvel");
        RuntimeInit();
        RegisterFrameworkClasses();
        RegisterAppClasses();
    }
    void TearDown() override
    {
        ModuleFinalisation(); // a test that stopped early leaves nothing behind either
        SetApplicationFileForTesting(std::nullopt);
    }

    // Runs the whole program, checks the windows as the event loop begins and leaves it with
    // Quit(status) there, then checks what shut-down released; returns the exit status.
    int32_t RunToQuit(int32_t status = 0)
    {
        RegisterWindowClasses();
        LoopProbe probe([status] {
            Quit(status);
            // The start, About and calculator windows are open, the calculator alone on screen;
            // the calculator has the shared menu bar.
            EXPECT_TRUE(Open(AboutWnd::kQualifiedName) && !Shown(AboutWnd::kQualifiedName));
            EXPECT_TRUE(Open(InvisibleWnd::kQualifiedName) && !Shown(InvisibleWnd::kQualifiedName));
            EXPECT_TRUE(Shown(ControlWnd::kQualifiedName));
            EXPECT_EQ(OpenWindows().size(), 3u);
            EXPECT_TRUE(MenuBar1::HasImplicitInstance());
        });
        Main();
        EXPECT_TRUE(probe.entered);
        EXPECT_EQ(TakePendingException(), nullptr);
        EXPECT_TRUE(ui.messages.empty());
        // Shut-down releases the windows, the pictures, the menu bar, the classes and the
        // application.
        const std::weak_ptr<Picture> picture = Vesk();
        ModuleFinalisation();
        EXPECT_TRUE(picture.expired());
        EXPECT_FALSE(MenuBar1::HasImplicitInstance());
        EXPECT_TRUE(WindowListReleased());
        EXPECT_EQ(FindClass("Window"), nullptr);
        const int32_t exitStatus = RuntimeExit();
        EXPECT_EQ(ApplicationObject(), nullptr);
        return exitStatus;
    }

    UiRecorder ui;
};

TEST_F(StartupTest, StepsRunInOrderAndTheSplashGivesWayToTheCalculator)
{
    QApplication::setQuitOnLastWindowClosed(true);
    TickSource ticks(0, 1);
    ticks.onTick = [&](int32_t tick) {
        // Every tick falls inside the start window's Open event, the last step of start-up.
        if (tick == 0) {
            EXPECT_FALSE(QApplication::quitOnLastWindowClosed()); // the external classes came first
            EXPECT_NE(RuntimeCheckCast<Quorvel>(ApplicationObject()), nullptr);
            EXPECT_TRUE(Shown(AboutWnd::kQualifiedName));
            EXPECT_EQ(Open(ControlWnd::kQualifiedName), nullptr);
        }
        EXPECT_FALSE(Shown(InvisibleWnd::kQualifiedName));
    };

    EXPECT_EQ(RunToQuit(3), 3); // the code given to Quit is the exit status
}

// The wait ends at the first tick of the third whole second (of 60 ticks) after the one it
// began in: 121 to 180 ticks after it began.
class SplashWaitTest : public StartupTest, public ::testing::WithParamInterface<std::pair<int32_t, int32_t>> {};

TEST_P(SplashWaitTest, EndsOnTheThirdSecondBoundary)
{
    const auto [start, step] = GetParam(); // the first tick, and the ticks from one call to the next
    TickSource ticks(start, step);
    int32_t lastTickOfWait = start;
    ticks.onTick = [&](int32_t tick) {
        if (Open(ControlWnd::kQualifiedName) == nullptr)
            lastTickOfWait = tick;
    };

    EXPECT_EQ(RunToQuit(), 0);
    const int64_t boundary = (int64_t{start} / 60 + 3) * 60;
    EXPECT_GE(int64_t{lastTickOfWait}, boundary);
    EXPECT_LT(int64_t{lastTickOfWait} - step, boundary);
}

// The last tick of a second (the longest wait), the first (the shortest), a step that jumps
// over the boundary, and a start near the top of Int32.
INSTANTIATE_TEST_SUITE_P(Starts, SplashWaitTest,
                         ::testing::Values(std::pair{59, 1}, std::pair{60, 1}, std::pair{30, 7},
                                           std::pair{std::numeric_limits<int32_t>::max() - 200, 1}));

// Stands in for the start window: it takes the shared menu bar as a real window does, and fails.
class FailingStartWnd : public Window {
public:
    void Layout() override
    {
        SetMenuBar(MenuBar1::ImplicitInstance());
        throw FrameworkError("the start window cannot be laid out");
    }
};

TEST_F(StartupTest, AnExceptionInStartUpIsReportedAndShutDownStillRuns)
{
    RegisterClass<FailingStartWnd>(InvisibleWnd::kQualifiedName, "Window");
    LoopProbe probe([] { Quit(0); });

    testing::internal::CaptureStderr();
    Main();
    const std::string err = testing::internal::GetCapturedStderr();

    EXPECT_EQ(err, "quorvel: Unhandled exception: the start window cannot be laid out\n");
    EXPECT_FALSE(probe.entered);
    EXPECT_EQ(Open(InvisibleWnd::kQualifiedName), nullptr); // a window that failed is not kept
    EXPECT_TRUE(ui.messages.empty()); // no display here: the line on stderr is the report

    ModuleFinalisation();
    EXPECT_FALSE(MenuBar1::HasImplicitInstance());
    EXPECT_TRUE(WindowListReleased());
    EXPECT_NE(RuntimeExit(), 0);
}

// Closing the calculator window ends the program, whatever else is open.
TEST_F(StartupTest, ClosingTheCalculatorEndsTheProgramWithZero)
{
    TickSource ticks(0, 1);
    RegisterWindowClasses();
    QTimer fallback; // had the close not ended the loop, this would, with a status that fails
    QObject::connect(&fallback, &QTimer::timeout, [] { Quit(7); });
    LoopProbe probe([&] {
        ImplicitInstance<DescriptionWnd>()->Show();
        Open(ControlWnd::kQualifiedName)->Close();
        fallback.start(0);
    });
    Main();
    EXPECT_TRUE(probe.entered);
    ModuleFinalisation();
    EXPECT_EQ(RuntimeExit(), 0);
}

} // namespace
