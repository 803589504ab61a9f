#include "app/windowaccessor.h"

#include "framework/windowing/windowlist.h"

std::shared_ptr<Window> ImplicitWindow(std::string_view qualifiedName)
{
    if (std::shared_ptr<Window> open = GetImplicitWindow(qualifiedName))
        return open;
    auto created = RuntimeCheckCast<Window>(RuntimeNewObject(ClassNamed(qualifiedName)));
    created->Constructor();
    return created;
}
