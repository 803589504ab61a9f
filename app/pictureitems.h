#pragma once

#include <memory>

#include "framework/pictures/picture.h"

// The program's pictures, read from the Resources folder on first use. Each returns nil (and
// tries again next time) while its file cannot be read, and the same picture once it could,
// until shut-down releases them.
std::shared_ptr<Picture> Vesk();
std::shared_ptr<Picture> VeskSmall();
std::shared_ptr<Picture> BadgeSmall();
std::shared_ptr<Picture> Question48();

// Shut-down: the pictures go while the toolkit still runs; a fresh start-up reads them anew.
void ReleasePictureItems();
