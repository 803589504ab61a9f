#pragma once

#include <QImage>

// A picture the program shows: an image in memory. Pictures are shared through
// std::shared_ptr<Picture>; a nil picture is nullptr.
class Picture {
public:
    explicit Picture(QImage image);

    const QImage& Image() const { return image_; }
    int Width() const { return image_.width(); }
    int Height() const { return image_.height(); }

private:
    QImage image_;
};
