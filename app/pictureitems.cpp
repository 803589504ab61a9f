#include "app/pictureitems.h"

#include "framework/core/exceptions.h"
#include "framework/pictures/folderitem.h"

namespace {

// One cached picture per file name (the template argument keeps each item's statics apart).
// Once loaded the picture is kept and the file system is never touched again for it; while it
// is nil every call looks again, so a picture that appears later is still found.
template <const char* FileName>
std::shared_ptr<Picture> PictureItem()
{
    static bool initialised = false;
    static std::shared_ptr<Picture> pic;
    if (!initialised) {
        initialised = true;
        pic = nullptr;
    }
    if (!pic) {
        std::shared_ptr<FolderItem> resources = GetApplicationBundleResources();
        if (resources) {
            std::shared_ptr<FolderItem> file = resources->Child(FileName);
            if (!file) {
                throw NilObjectException(std::string("no folder item for ") + FileName);
            }
            pic = file->OpenAsPicture();
        }
    }
    return pic;
}

constexpr char kVesk[] = "Vesk.pict";
constexpr char kVeskSmall[] = "VeskSmall.pict";
// Stored as PNG data under a bare name; it is recognised by its contents.
constexpr char kBadgeSmall[] = "QuorvelBadge";
constexpr char kQuestion48[] = "Question48.jpg";

}  // namespace

std::shared_ptr<Picture> Vesk()
{
    return PictureItem<kVesk>();
}

std::shared_ptr<Picture> VeskSmall()
{
    return PictureItem<kVeskSmall>();
}

std::shared_ptr<Picture> BadgeSmall()
{
    return PictureItem<kBadgeSmall>();
}

std::shared_ptr<Picture> Question48()
{
    return PictureItem<kQuestion48>();
}
