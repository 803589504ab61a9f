#include "app/pictureitems.h"

#include <optional>

#include "app/pictureitem.h"

namespace {

// One item per file, kept from first use until shut-down: a picture holds a toolkit image, which
// must not outlive the toolkit.
struct PictureItems {
    PictureItem vesk{"Vesk.pict"};
    PictureItem veskSmall{"VeskSmall.pict"};
    // Stored as PNG data under a bare name; it is recognised by its contents.
    PictureItem badgeSmall{"QuorvelBadge"};
    PictureItem question48{"Question48.jpg"};
};

std::optional<PictureItems>& Held()
{
    static std::optional<PictureItems> items;
    return items;
}

PictureItems& Items()
{
    std::optional<PictureItems>& items = Held();
    if (!items)
        items.emplace();
    return *items;
}

} // namespace

std::shared_ptr<Picture> Vesk() { return Items().vesk.Get(); }
std::shared_ptr<Picture> VeskSmall() { return Items().veskSmall.Get(); }
std::shared_ptr<Picture> BadgeSmall() { return Items().badgeSmall.Get(); }
std::shared_ptr<Picture> Question48() { return Items().question48.Get(); }

void ReleasePictureItems() { Held().reset(); }
