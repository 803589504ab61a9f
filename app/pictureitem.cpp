#include "app/pictureitem.h"

#include <string>

#include "framework/core/exceptions.h"
#include "framework/pictures/folderitem.h"

std::shared_ptr<Picture> PictureItem::Get()
{
    if (!pic_) {
        std::shared_ptr<FolderItem> resources = GetApplicationBundleResources();
        if (resources) {
            std::shared_ptr<FolderItem> file = resources->Child(fileName_);
            if (!file)
                throw NilObjectException(std::string("no folder item for ") + fileName_);
            pic_ = file->OpenAsPicture();
        }
    }
    return pic_;
}
