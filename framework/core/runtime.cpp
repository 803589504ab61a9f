#include "framework/core/runtime.h"

#include <QApplication>
#include <QGuiApplication>

#include <cstdio>
#include <map>
#include <optional>
#include <utility>
#include <vector>

#include "framework/core/heap.h"
#include "framework/core/system.h"

namespace {

using ClassMap = std::map<std::string, std::shared_ptr<const ClassRecord>, std::less<>>;

// What the runtime keeps between its calls, from RuntimeInit to RuntimeExit.
struct RuntimeState {
    std::optional<ClassMap> classes; // nullopt once released at shut-down
    ExceptionHelper exceptionHelper;
    std::optional<std::vector<void*>> pluginEntrypoints;
    std::shared_ptr<Object> applicationObject;
    std::exception_ptr pendingException;
    std::unique_ptr<QApplication> ownedApplication;
    int32_t quitCode = 0;
    bool quitRequested = false;
    bool exceptionReported = false;
};

RuntimeState& State()
{
    static RuntimeState state;
    return state;
}

// Qt wants an argument vector; the program reads none, so it gets its name alone.
int qtArgc = 1;
char qtProgramName[] = "quorvel";
char* qtArgv[] = {qtProgramName, nullptr};

} // namespace

void RuntimeInit()
{
    ConfigureHeap();
    RuntimeState& state = State();
    if (!state.classes)
        state.classes.emplace();
    state.quitCode = 0;
    state.quitRequested = false;
    state.exceptionReported = false;
    state.pendingException = nullptr;
}

int32_t RuntimeExit()
{
    RuntimeState& state = State();
    state.applicationObject.reset();
    state.pluginEntrypoints.reset();
    state.ownedApplication.reset();
    return state.exceptionReported && state.quitCode == 0 ? 1 : state.quitCode;
}

const ClassRecord& RegisterClass(const std::string& name, const std::string& parentName,
                                 std::function<std::shared_ptr<Object>()> factory)
{
    if (!State().classes)
        RuntimeInit();
    ClassMap& classes = *State().classes;
    if (classes.count(name) != 0)
        throw FrameworkError("RegisterClass: class " + name + " is registered twice");
    std::shared_ptr<const ClassRecord> parent;
    if (!parentName.empty()) {
        auto it = classes.find(parentName);
        if (it == classes.end())
            throw FrameworkError("RegisterClass: parent " + parentName + " of " + name + " is unknown");
        parent = it->second;
    }
    auto record = std::make_shared<ClassRecord>(ClassRecord{name, parent, std::move(factory)});
    return *classes.emplace(name, std::move(record)).first->second;
}

const ClassRecord* FindClass(std::string_view name)
{
    const std::optional<ClassMap>& classes = State().classes;
    if (!classes)
        return nullptr;
    auto it = classes->find(name);
    return it == classes->end() ? nullptr : it->second.get();
}

const ClassRecord& ClassNamed(std::string_view name)
{
    const ClassRecord* record = FindClass(name);
    if (record == nullptr)
        throw FrameworkError("no class named " + std::string(name) + " is registered");
    return *record;
}

void ReleaseClassMaps() { State().classes.reset(); }

std::shared_ptr<Object> RuntimeNewObject(const ClassRecord& record)
{
    if (!record.factory)
        throw FrameworkError("RuntimeNewObject: class " + record.name + " cannot be instantiated");
    std::shared_ptr<Object> object = record.factory();
    const std::optional<ClassMap>& classes = State().classes;
    auto it = classes ? classes->find(record.name) : ClassMap::const_iterator();
    object->SetClass(classes && it != classes->end() ? it->second : nullptr);
    return object;
}

std::exception_ptr CallFunctionWithExceptionHandling(const std::function<void()>& routine)
{
    try {
        routine();
    } catch (...) {
        return std::current_exception();
    }
    return nullptr;
}

void RuntimeSetExceptionHelper(ExceptionHelper helper) { State().exceptionHelper = std::move(helper); }

void RunFrameworkInitialization(const std::function<void()>& startup)
{
    // Start-up's own exceptions pass to the caller, which reports them and skips the loop.
    startup();
}

void RuntimeInitExternalClasses()
{
    if (QApplication::instance() == nullptr)
        State().ownedApplication = std::make_unique<QApplication>(qtArgc, qtArgv);
    // The program decides when it ends (closing the calculator window), not the toolkit.
    QApplication::setQuitOnLastWindowClosed(false);
}

void InitPluginEntrypoints() { State().pluginEntrypoints.emplace(); }

size_t PluginEntrypointCount() { return State().pluginEntrypoints ? State().pluginEntrypoints->size() : 0; }

void RuntimeRegisterAppObject(std::shared_ptr<Object> application)
{
    State().applicationObject = std::move(application);
}

std::shared_ptr<Object> ApplicationObject() { return State().applicationObject; }

void RuntimeRun()
{
    if (!State().quitRequested && !State().pendingException && QApplication::instance() != nullptr)
        QApplication::exec();
    if (std::exception_ptr error = TakePendingException())
        std::rethrow_exception(error);
}

void Quit(int32_t code)
{
    State().quitCode = code;
    State().quitRequested = true;
    QCoreApplication::exit(code);
}

namespace {
std::string Describe(std::exception_ptr error)
{
    try {
        std::rethrow_exception(error);
    } catch (const std::exception& e) {
        return e.what();
    } catch (...) {
        return "unknown exception";
    }
}
} // namespace

void UnhandledException(std::exception_ptr error)
{
    State().exceptionReported = true;
    std::string text = "Unhandled exception: " + Describe(error);
    std::fprintf(stderr, "quorvel: %s\n", text.c_str());
    std::fflush(stderr);
    if (HasDisplay())
        MsgBox(text);
}

void DispatchGuarded(const std::function<void()>& call)
{
    const ExceptionHelper& helper = State().exceptionHelper;
    std::exception_ptr error = helper ? helper(call) : CallFunctionWithExceptionHandling(call);
    if (error) {
        if (!State().pendingException)
            State().pendingException = error;
        QCoreApplication::exit(1);
    }
}

std::exception_ptr TakePendingException()
{
    return std::exchange(State().pendingException, nullptr);
}
