#pragma once

#include <cstdint>
#include <functional>

// The program's life from process entry to exit. The entry registers the classes, runs Main,
// then ModuleFinalisation, and exits with RuntimeExit's result.

// Installs the exception helper, runs the framework initialisation with Startup, then the
// event loop. An exception out of any of these goes to the unhandled-exception report and
// skips the steps after it; Main then returns normally so that shut-down still runs.
void Main();
// The start-up callback, in its fixed order: the framework's external classes, the plug-in
// table, the file types, the application object, the application's menu handlers, the start
// window.
void Startup();
void InitFileTypes();
void NewAppInstance();
void ApplicationAddMenuHandlers();
void MakeDefaultView();
// Releases every module-level reference, the shared menu bar last.
void ModuleFinalisation();

// The program's own classes, after the framework's: Quorvel and MenuBar1.
void RegisterAppClasses();
