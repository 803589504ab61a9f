#include "framework/core/runtime.h"

#include <QApplication>
#include <QGuiApplication>

#include <cstdio>
#include <map>

#include "framework/core/system.h"

namespace {

std::map<std::string, std::shared_ptr<const ClassRecord>, std::less<>>* classMap = nullptr;
ExceptionHelper exceptionHelper;
std::vector<void*>* pluginEntrypoints = nullptr;
std::shared_ptr<Object> applicationObject;
std::exception_ptr pendingException;
std::unique_ptr<QApplication> ownedApplication;
int32_t quitCode = 0;
bool quitRequested = false;
bool exceptionReported = false;

// Qt wants an argument vector; the program reads none, so it gets its name alone.
int qtArgc = 1;
char qtProgramName[] = "quorvel";
char* qtArgv[] = {qtProgramName, nullptr};

} // namespace

void RuntimeInit()
{
    if (classMap == nullptr)
        classMap = new std::map<std::string, std::shared_ptr<const ClassRecord>, std::less<>>();
    quitCode = 0;
    quitRequested = false;
    exceptionReported = false;
    pendingException = nullptr;
}

int32_t RuntimeExit()
{
    applicationObject.reset();
    delete pluginEntrypoints;
    pluginEntrypoints = nullptr;
    ownedApplication.reset();
    return exceptionReported && quitCode == 0 ? 1 : quitCode;
}

const ClassRecord& RegisterClass(const std::string& name, const std::string& parentName,
                                 std::function<std::shared_ptr<Object>()> factory)
{
    if (classMap == nullptr)
        RuntimeInit();
    if (classMap->count(name) != 0)
        throw FrameworkError("RegisterClass: class " + name + " is registered twice");
    std::shared_ptr<const ClassRecord> parent;
    if (!parentName.empty()) {
        auto it = classMap->find(parentName);
        if (it == classMap->end())
            throw FrameworkError("RegisterClass: parent " + parentName + " of " + name + " is unknown");
        parent = it->second;
    }
    auto record = std::make_shared<ClassRecord>(ClassRecord{name, parent, std::move(factory)});
    return *classMap->emplace(name, std::move(record)).first->second;
}

const ClassRecord* FindClass(std::string_view name)
{
    if (classMap == nullptr)
        return nullptr;
    auto it = classMap->find(name);
    return it == classMap->end() ? nullptr : it->second.get();
}

const ClassRecord& ClassNamed(std::string_view name)
{
    const ClassRecord* record = FindClass(name);
    if (record == nullptr)
        throw FrameworkError("no class named " + std::string(name) + " is registered");
    return *record;
}

void ReleaseClassMaps()
{
    delete classMap;
    classMap = nullptr;
}

std::shared_ptr<Object> RuntimeNewObject(const ClassRecord& record)
{
    if (!record.factory)
        throw FrameworkError("RuntimeNewObject: class " + record.name + " cannot be instantiated");
    std::shared_ptr<Object> object = record.factory();
    auto it = classMap->find(record.name);
    object->SetClass(it != classMap->end() ? it->second : nullptr);
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

void RuntimeSetExceptionHelper(ExceptionHelper helper) { exceptionHelper = std::move(helper); }

void RunFrameworkInitialization(const std::function<void()>& startup)
{
    // Start-up's own exceptions pass to the caller, which reports them and skips the loop.
    startup();
}

void RuntimeInitExternalClasses()
{
    if (QApplication::instance() == nullptr)
        ownedApplication = std::make_unique<QApplication>(qtArgc, qtArgv);
    // The program decides when it ends (closing the calculator window), not the toolkit.
    QApplication::setQuitOnLastWindowClosed(false);
}

void InitPluginEntrypoints()
{
    delete pluginEntrypoints;
    pluginEntrypoints = new std::vector<void*>();
}

size_t PluginEntrypointCount() { return pluginEntrypoints ? pluginEntrypoints->size() : 0; }

void RuntimeRegisterAppObject(std::shared_ptr<Object> application)
{
    applicationObject = std::move(application);
}

std::shared_ptr<Object> ApplicationObject() { return applicationObject; }

void RuntimeRun()
{
    if (!quitRequested && !pendingException && QApplication::instance() != nullptr)
        QApplication::exec();
    if (std::exception_ptr error = TakePendingException())
        std::rethrow_exception(error);
}

void Quit(int32_t code)
{
    quitCode = code;
    quitRequested = true;
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
    exceptionReported = true;
    std::string text = "Unhandled exception: " + Describe(error);
    std::fprintf(stderr, "quorvel: %s\n", text.c_str());
    std::fflush(stderr);
    if (HasDisplay())
        MsgBox(text);
}

void DispatchGuarded(const std::function<void()>& call)
{
    std::exception_ptr error =
        exceptionHelper ? exceptionHelper(call) : CallFunctionWithExceptionHandling(call);
    if (error) {
        if (!pendingException)
            pendingException = error;
        QCoreApplication::exit(1);
    }
}

std::exception_ptr TakePendingException()
{
    std::exception_ptr error = pendingException;
    pendingException = nullptr;
    return error;
}
