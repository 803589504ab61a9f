#pragma once

#include <memory>

class QImage;

// A picture the program shows: an image in memory. Pictures are shared through
// std::shared_ptr<Picture>; a nil picture is nullptr.
class Picture {
public:
    explicit Picture(QImage image);
    ~Picture();
    Picture(const Picture&) = delete;
    Picture& operator=(const Picture&) = delete;

    const QImage& Image() const { return *image_; }
    int Width() const;
    int Height() const;

private:
    std::unique_ptr<QImage> image_;
};
