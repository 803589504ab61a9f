#include "app/pictureitems.h"

#include "app/pictureitem.h"

// Each item keeps its picture for the rest of the run; nothing releases it at shut-down.

std::shared_ptr<Picture> Vesk()
{
    static PictureItem item("Vesk.pict");
    return item.Get();
}

std::shared_ptr<Picture> VeskSmall()
{
    static PictureItem item("VeskSmall.pict");
    return item.Get();
}

// Stored as PNG data under a bare name; it is recognised by its contents.
std::shared_ptr<Picture> BadgeSmall()
{
    static PictureItem item("QuorvelBadge");
    return item.Get();
}

std::shared_ptr<Picture> Question48()
{
    static PictureItem item("Question48.jpg");
    return item.Get();
}
