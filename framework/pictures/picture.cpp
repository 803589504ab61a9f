#include "framework/pictures/picture.h"

#include <utility>

Picture::Picture(QImage image) : image_(std::move(image)) {}
