#include "app/startup.h"

#include "app/menubar1.h"
#include "app/pictureitems.h"
#include "app/quorvel.h"
#include "app/windowaccessor.h"
#include "framework/controls/textarea.h"
#include "framework/core/runtime.h"
#include "framework/windowing/windowlist.h"

void Main()
{
    RuntimeSetExceptionHelper(&CallFunctionWithExceptionHandling);
    std::exception_ptr error = CallFunctionWithExceptionHandling([] {
        RunFrameworkInitialization(&Startup);
        RuntimeRun();
    });
    if (error)
        UnhandledException(error);
}

void Startup()
{
    RuntimeInitExternalClasses();
    InitPluginEntrypoints();
    InitFileTypes();
    NewAppInstance();
    ApplicationAddMenuHandlers();
    MakeDefaultView();
}

// The program opens no documents.
void InitFileTypes() {}

void NewAppInstance()
{
    auto application = RuntimeCheckCast<Quorvel>(RuntimeNewObject(ClassNamed("Quorvel")));
    application->Constructor();
    RuntimeRegisterAppObject(application);
}

// The application handles no menu item; the windows register their own.
void ApplicationAddMenuHandlers() {}

void MakeDefaultView()
{
    // The framework keeps the start window; its Open event runs the splash.
    ImplicitWindow("InvisibleWnd.InvisibleWnd");
}

void ModuleFinalisation()
{
    ReleaseTextAreasAwaitingUpdate();
    ReleaseWindowList();
    ReleasePictureItems();
    ReleaseClassMaps();
    MenuBar1::ReleaseImplicitInstance();
}

void RegisterAppClasses()
{
    RegisterClass<Quorvel>("Quorvel", "Application");
    RegisterClass<MenuBar1>("MenuBar1", "MenuBar");
}
