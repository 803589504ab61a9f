#include "framework/pictures/picture.h"

#include <QImage>

Picture::Picture(QImage image) : image_(std::make_unique<QImage>(std::move(image))) {}

Picture::~Picture() = default;

int Picture::Width() const { return image_->width(); }
int Picture::Height() const { return image_->height(); }
