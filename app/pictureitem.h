#pragma once

#include <memory>

#include "framework/pictures/picture.h"

// One picture file of the Resources folder, read on first use. While the file cannot be read
// as a picture the item gives nil and looks again on its next use; once it could, the item
// keeps the picture and never touches the file system for it again.
class PictureItem {
public:
    explicit PictureItem(const char* fileName) : fileName_(fileName) {}
    PictureItem(const PictureItem&) = delete;
    PictureItem& operator=(const PictureItem&) = delete;

    // NilObjectException when the application's folder cannot be found, or the file name
    // names no item in it.
    std::shared_ptr<Picture> Get();

private:
    const char* fileName_;
    std::shared_ptr<Picture> pic_;
};
