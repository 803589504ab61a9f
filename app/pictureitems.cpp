#include "app/pictureitems.h"

#include "app/pictureitem.h"

namespace {

// One item per file name, kept for the rest of the run; nothing releases it at shut-down.
template <const char* FileName>
std::shared_ptr<Picture> Item()
{
    static PictureItem item(FileName);
    return item.Get();
}

constexpr char kVesk[] = "Vesk.pict";
constexpr char kVeskSmall[] = "VeskSmall.pict";
// Stored as PNG data under a bare name; it is recognised by its contents.
constexpr char kBadgeSmall[] = "QuorvelBadge";
constexpr char kQuestion48[] = "Question48.jpg";

} // namespace

std::shared_ptr<Picture> Vesk() { return Item<kVesk>(); }
std::shared_ptr<Picture> VeskSmall() { return Item<kVeskSmall>(); }
std::shared_ptr<Picture> BadgeSmall() { return Item<kBadgeSmall>(); }
std::shared_ptr<Picture> Question48() { return Item<kQuestion48>(); }
