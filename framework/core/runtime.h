#pragma once

#include <exception>
#include <functional>
#include <memory>
#include <string>
#include <string_view>

#include "framework/core/exceptions.h"
#include "framework/core/object.h"

// A class known to the runtime: its qualified name, its parent, and how to make an instance.
struct ClassRecord {
    std::string name;
    std::shared_ptr<const ClassRecord> parent;
    std::function<std::shared_ptr<Object>()> factory; // empty for classes that are never created
};

// Brings the runtime up and shuts it down. RuntimeExit returns the process exit status:
// the code given to Quit, or 1 when an exception was reported.
void RuntimeInit();
int32_t RuntimeExit();

// Registers a class under its name with the named parent (which must already be registered).
const ClassRecord& RegisterClass(const std::string& name, const std::string& parentName,
                                 std::function<std::shared_ptr<Object>()> factory = {});
template <class T>
const ClassRecord& RegisterClass(const std::string& name, const std::string& parentName)
{
    return RegisterClass(name, parentName, [] { return std::make_shared<T>(); });
}
// nullptr when no class of that name is registered.
const ClassRecord* FindClass(std::string_view name);
const ClassRecord& ClassNamed(std::string_view name); // throws FrameworkError when unknown
// Releases the class map at shut-down; objects keep their own records alive.
void ReleaseClassMaps();

// A new object of the class, its class recorded.
std::shared_ptr<Object> RuntimeNewObject(const ClassRecord& record);

// nil stays nil; an object of another class is a FrameworkError, never a silent reinterpretation.
template <class T>
std::shared_ptr<T> RuntimeCheckCast(const std::shared_ptr<Object>& object)
{
    if (!object)
        return nullptr;
    auto cast = std::dynamic_pointer_cast<T>(object);
    if (!cast)
        throw FrameworkError("RuntimeCheckCast: object of class " +
                             (object->Class() ? object->Class()->name : std::string("?")) +
                             " is not of the requested class");
    return cast;
}

// The helper that runs program code under an exception guard: it returns what escaped, or null.
using ExceptionHelper = std::function<std::exception_ptr(const std::function<void()>&)>;
std::exception_ptr CallFunctionWithExceptionHandling(const std::function<void()>& routine);
void RuntimeSetExceptionHelper(ExceptionHelper helper);
// Runs framework initialisation, which calls the start-up routine back exactly once.
void RunFrameworkInitialization(const std::function<void()>& startup);
void RuntimeInitExternalClasses();
// The plug-in entry-point table; the program has none, so it is allocated empty.
void InitPluginEntrypoints();
size_t PluginEntrypointCount();

// The application object, held by the framework until the process ends.
void RuntimeRegisterAppObject(std::shared_ptr<Object> application);
std::shared_ptr<Object> ApplicationObject();

// The event loop: returns when the application quits. An exception that an event handler let
// escape ends the loop and is rethrown from here.
void RuntimeRun();
void Quit(int32_t code);
// One line on standard error and, where a display exists, a message box.
void UnhandledException(std::exception_ptr error);

// Runs program code called from a Qt event. An escaping exception must not unwind through Qt:
// it is kept, the event loop is asked to end, and RuntimeRun rethrows it.
void DispatchGuarded(const std::function<void()>& call);
// The exception kept by DispatchGuarded, if any; taking it clears it (tests use this).
std::exception_ptr TakePendingException();
