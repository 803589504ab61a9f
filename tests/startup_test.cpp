#include <QApplication>
#include <QTest>
#include <QThread>
#include <QTimer>
#include <gtest/gtest.h>

#include <algorithm>
#include <limits>
#include <set>

#include "app/menubar1.h"
#include "app/quorvel.h"
#include "app/startup.h"
#include "app/windowaccessor.h"
#include "framework/core/runtime.h"
#include "framework/core/system.h"
#include "framework/frameworkclasses.h"
#include "framework/pictures/folderitem.h"
#include "framework/windowing/windowlist.h"
#include "testsupport.h"
#include "windows/aboutwnd.h"
#include "windows/controlwnd.h"
#include "windows/descriptionwnd.h"
#include "windows/invisiblewnd.h"
#include "windows/windowclasses.h"

// Start-up and shut-down run here as the program's entry runs them, in this process, with a
// tick source the test drives: the splash's wait costs no real time.

namespace {

std::shared_ptr<Window> Open(const char* qualifiedName) { return GetImplicitWindow(qualifiedName); }

bool Shown(const char* qualifiedName)
{
    std::shared_ptr<Window> window = Open(qualifiedName);
    return window && window->IsVisible();
}

// Hands out ticks from a starting value, a step further on each call, and lets the test act
// at each one. The counter is wide so that a start near the top of Int32 cannot overflow it.
class TickSource {
public:
    TickSource(int32_t start, int32_t step) : next_(start), step_(step)
    {
        SetTicksForTesting([this] {
            const auto tick = static_cast<int32_t>(std::min<int64_t>(next_, std::numeric_limits<int32_t>::max()));
            next_ += step_;
            handed.push_back(tick);
            if (onTick)
                onTick(tick);
            return tick;
        });
    }
    ~TickSource() { SetTicksForTesting({}); }
    TickSource(const TickSource&) = delete;
    TickSource& operator=(const TickSource&) = delete;

    std::vector<int32_t> handed;
    std::function<void(int32_t)> onTick;

private:
    int64_t next_;
    int32_t step_;
};

// Notices the first turn of the real event loop (not the splash's background tasks, which run
// outside it) and acts there once.
class LoopProbe {
public:
    explicit LoopProbe(std::function<void()> inLoop) : inLoop_(std::move(inLoop))
    {
        QObject::connect(&timer_, &QTimer::timeout, [this] {
            if (entered || QThread::currentThread()->loopLevel() == 0)
                return;
            entered = true;
            inLoop_();
        });
        timer_.start(0);
    }
    bool entered = false;

private:
    std::function<void()> inLoop_;
    QTimer timer_;
};

// Remembers every top-level widget that was ever shown.
class ShowWatcher : public QObject {
public:
    ShowWatcher() { qApp->installEventFilter(this); }
    ~ShowWatcher() override { qApp->removeEventFilter(this); }
    bool WasShown(const QWidget* widget) const { return shown_.count(widget) != 0; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::Show && watched->isWidgetType() && static_cast<QWidget*>(watched)->isWindow())
            shown_.insert(static_cast<QWidget*>(watched));
        return false;
    }

private:
    std::set<const QObject*> shown_;
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

    // The entry's steps after registration; returns the exit status.
    static int32_t RunProgram()
    {
        Main();
        ModuleFinalisation();
        return RuntimeExit();
    }

    // Runs the whole program, checks the windows as the event loop begins and leaves it with
    // Quit(0) there, then checks what shut-down released.
    int32_t RunToQuit()
    {
        RegisterWindowClasses();
        LoopProbe probe([this] {
            Quit(0);
            // The start, About and calculator windows are open, the calculator alone on screen,
            // the start window never was; the calculator has the shared menu bar.
            EXPECT_TRUE(Open(AboutWnd::kQualifiedName) && !Shown(AboutWnd::kQualifiedName));
            std::shared_ptr<Window> start = Open(InvisibleWnd::kQualifiedName);
            ASSERT_NE(start, nullptr);
            EXPECT_FALSE(shows.WasShown(start->NativeWidget()));
            EXPECT_FALSE(start->IsVisible());
            EXPECT_TRUE(Shown(ControlWnd::kQualifiedName));
            EXPECT_EQ(OpenWindows().size(), 3u);
            EXPECT_TRUE(MenuBar1::HasImplicitInstance());
        });
        Main();
        EXPECT_TRUE(probe.entered);
        // Shut-down releases the windows, the menu bar, the classes and the application.
        ModuleFinalisation();
        EXPECT_FALSE(MenuBar1::HasImplicitInstance());
        EXPECT_TRUE(WindowListReleased());
        EXPECT_EQ(FindClass("Window"), nullptr);
        const int32_t status = RuntimeExit();
        EXPECT_EQ(ApplicationObject(), nullptr);
        return status;
    }

    UiRecorder ui;
    ShowWatcher shows;
};

TEST_F(StartupTest, StepsRunInOrderAndTheSplashGivesWayToTheCalculator)
{
    QApplication::setQuitOnLastWindowClosed(true);
    TickSource ticks(0, 1);
    bool firstTickSeen = false;
    ticks.onTick = [&](int32_t) {
        // Every tick falls inside the start window's Open event, the last step of start-up.
        if (!firstTickSeen) {
            firstTickSeen = true;
            EXPECT_FALSE(QApplication::quitOnLastWindowClosed()); // the external classes came first
            EXPECT_EQ(PluginEntrypointCount(), 0u);
            EXPECT_NE(RuntimeCheckCast<Quorvel>(ApplicationObject()), nullptr);
            EXPECT_TRUE(Shown(AboutWnd::kQualifiedName));
            EXPECT_NE(Open(InvisibleWnd::kQualifiedName), nullptr);
            EXPECT_EQ(Open(ControlWnd::kQualifiedName), nullptr);
        }
        EXPECT_FALSE(Shown(InvisibleWnd::kQualifiedName));
    };

    EXPECT_EQ(RunToQuit(), 0);
    EXPECT_TRUE(firstTickSeen);
    EXPECT_EQ(TakePendingException(), nullptr);
    EXPECT_TRUE(ui.messages.empty());
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
    ASSERT_FALSE(ticks.handed.empty());
    EXPECT_EQ(ticks.handed.front(), start); // the start second is read first
    const int64_t boundary = (int64_t{start} / 60 + 3) * 60;
    EXPECT_GE(int64_t{lastTickOfWait}, boundary);
    EXPECT_LT(int64_t{lastTickOfWait} - step, boundary);
}

INSTANTIATE_TEST_SUITE_P(Starts, SplashWaitTest,
                         ::testing::Values(std::pair{0, 1}, std::pair{1, 1}, std::pair{59, 1}, std::pair{60, 1},
                                           std::pair{119, 1}, std::pair{3599, 1}, std::pair{1000000, 1},
                                           std::pair{std::numeric_limits<int32_t>::max() - 200, 1},
                                           std::pair{30, 7}, std::pair{0, 60}));

// A key, or a click on the picture, in the About window while the splash waits.
class SplashDismissTest : public StartupTest, public ::testing::WithParamInterface<std::string> {};

TEST_P(SplashDismissTest, ShowsTheCalculatorEarlyAndEndsTheSame)
{
    constexpr int32_t kPressTick = 50;
    TickSource ticks(0, 1);
    bool pressed = false;
    bool calculatorStayed = true;
    ticks.onTick = [&](int32_t tick) {
        if (tick == kPressTick) {
            auto about = RuntimeCheckCast<AboutWnd>(Open(AboutWnd::kQualifiedName));
            ASSERT_NE(about, nullptr);
            EXPECT_EQ(Open(ControlWnd::kQualifiedName), nullptr);
            if (GetParam() == "picture")
                QTest::mouseClick(about->Canvas1()->NativeWidget(), Qt::LeftButton);
            else
                QTest::keyClick(about->NativeWidget(), GetParam() == "Escape" ? Qt::Key_Escape : Qt::Key_X);
            pressed = true;
            EXPECT_FALSE(about->IsVisible());
            EXPECT_TRUE(Shown(ControlWnd::kQualifiedName));
        } else if (pressed && !Shown(ControlWnd::kQualifiedName)) {
            calculatorStayed = false;
        }
    };

    EXPECT_EQ(RunToQuit(), 0);
    EXPECT_TRUE(pressed);
    EXPECT_TRUE(calculatorStayed);
    EXPECT_EQ(TakePendingException(), nullptr);
}

INSTANTIATE_TEST_SUITE_P(Presses, SplashDismissTest, ::testing::Values("letter", "Escape", "picture"));

// Stands in for the start window: it takes the shared menu bar as a real window does, notes
// what start-up had done by then, and fails.
bool failingStartSawApplication = false;
size_t failingStartSawPlugins = 1;

class FailingStartWnd : public Window {
public:
    void Layout() override
    {
        failingStartSawApplication = ApplicationObject() != nullptr;
        failingStartSawPlugins = PluginEntrypointCount();
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
    EXPECT_TRUE(failingStartSawApplication);
    EXPECT_EQ(failingStartSawPlugins, 0u);
    EXPECT_EQ(Open(InvisibleWnd::kQualifiedName), nullptr); // a window that failed is not kept
    EXPECT_TRUE(MenuBar1::HasImplicitInstance());
    EXPECT_FALSE(WindowListReleased());
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
    EXPECT_EQ(RunProgram(), 0);
    EXPECT_TRUE(probe.entered);
}

TEST_F(StartupTest, QuitCodeIsTheExitStatus)
{
    TickSource ticks(0, 1);
    RegisterWindowClasses();
    LoopProbe probe([] { Quit(3); });
    EXPECT_EQ(RunProgram(), 3);
    EXPECT_TRUE(probe.entered);
}

} // namespace
