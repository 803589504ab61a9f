#include "resources/tools/pictwriter.h"

#include <QPainter>

#include <cstdint>
#include <vector>

namespace {

constexpr int kFileHeaderSize = 512;
constexpr uint32_t k72Dpi = 72u << 16;

class Out {
public:
    void U8(uint8_t v) { bytes_.append(static_cast<char>(v)); }
    void U16(uint16_t v)
    {
        U8(static_cast<uint8_t>(v >> 8));
        U8(static_cast<uint8_t>(v));
    }
    void U32(uint32_t v)
    {
        U16(static_cast<uint16_t>(v >> 16));
        U16(static_cast<uint16_t>(v));
    }
    void Rect(int top, int left, int bottom, int right)
    {
        U16(static_cast<uint16_t>(top));
        U16(static_cast<uint16_t>(left));
        U16(static_cast<uint16_t>(bottom));
        U16(static_cast<uint16_t>(right));
    }
    void Bytes(const std::vector<uint8_t>& data)
    {
        bytes_.append(reinterpret_cast<const char*>(data.data()), static_cast<qsizetype>(data.size()));
    }
    void AlignToWord()
    {
        if (bytes_.size() % 2 != 0) {
            U8(0);
        }
    }
    void PatchU16(qsizetype at, uint16_t v)
    {
        bytes_[at] = static_cast<char>(v >> 8);
        bytes_[at + 1] = static_cast<char>(v);
    }
    qsizetype Size() const { return bytes_.size(); }
    QByteArray Take() { return std::move(bytes_); }

private:
    QByteArray bytes_;
};

// Apple's PackBits: runs of three or more equal bytes become a repeat, the rest literals of at
// most 128 bytes.
std::vector<uint8_t> PackBits(const std::vector<uint8_t>& in)
{
    std::vector<uint8_t> out;
    size_t i = 0;
    while (i < in.size()) {
        size_t run = 1;
        while (i + run < in.size() && run < 128 && in[i + run] == in[i]) {
            ++run;
        }
        if (run >= 3) {
            out.push_back(static_cast<uint8_t>(1 - static_cast<int>(run)));
            out.push_back(in[i]);
            i += run;
            continue;
        }
        size_t start = i;
        while (i < in.size() && i - start < 128) {
            if (i + 2 < in.size() && in[i] == in[i + 1] && in[i] == in[i + 2]) {
                break;
            }
            ++i;
        }
        out.push_back(static_cast<uint8_t>(i - start - 1));
        out.insert(out.end(), in.begin() + static_cast<std::ptrdiff_t>(start),
                   in.begin() + static_cast<std::ptrdiff_t>(i));
    }
    return out;
}

}  // namespace

QByteArray WritePict(const QImage& image)
{
    QImage opaque(image.size(), QImage::Format_RGB32);
    opaque.fill(Qt::white);
    {
        QPainter painter(&opaque);
        painter.drawImage(0, 0, image);
    }
    const int width = opaque.width();
    const int height = opaque.height();
    const int rowBytes = width * 4;

    Out out;
    for (int i = 0; i < kFileHeaderSize; ++i) {
        out.U8(0);
    }
    const qsizetype pictureStart = out.Size();
    out.U16(0);  // picSize, patched below
    out.Rect(0, 0, height, width);
    out.U16(0x0011);
    out.U16(0x02FF);
    out.U16(0x0C00);  // extended version 2 header
    out.U16(0xFFFE);
    out.U16(0);
    out.U32(k72Dpi);
    out.U32(k72Dpi);
    out.Rect(0, 0, height, width);
    out.U32(0);
    out.U16(0x001E);  // DefHilite
    out.U16(0x0001);  // clip to the frame
    out.U16(10);
    out.Rect(0, 0, height, width);

    out.U16(0x009A);  // DirectBitsRect
    out.U32(0x000000FF);
    out.U16(static_cast<uint16_t>(0x8000 | rowBytes));
    out.Rect(0, 0, height, width);
    out.U16(0);   // pmVersion
    out.U16(4);   // packType: component planes, PackBits per row
    out.U32(0);   // packSize
    out.U32(k72Dpi);
    out.U32(k72Dpi);
    out.U16(16);  // pixelType: RGBDirect
    out.U16(32);  // pixelSize
    out.U16(3);   // cmpCount
    out.U16(8);   // cmpSize
    out.U32(0);   // planeBytes
    out.U32(0);   // pmTable
    out.U32(0);   // pmReserved
    out.Rect(0, 0, height, width);  // srcRect
    out.Rect(0, 0, height, width);  // dstRect
    out.U16(0);   // srcCopy

    std::vector<uint8_t> planes(static_cast<size_t>(width) * 3);
    for (int y = 0; y < height; ++y) {
        const auto* line = reinterpret_cast<const QRgb*>(opaque.constScanLine(y));
        if (rowBytes < 8) {
            // Rows this short are stored as they are in memory: pad byte, red, green, blue.
            for (int x = 0; x < width; ++x) {
                out.U32(line[x] & 0x00FFFFFFu);
            }
            continue;
        }
        for (int x = 0; x < width; ++x) {
            planes[static_cast<size_t>(x)] = static_cast<uint8_t>(qRed(line[x]));
            planes[static_cast<size_t>(width + x)] = static_cast<uint8_t>(qGreen(line[x]));
            planes[static_cast<size_t>(2 * width + x)] = static_cast<uint8_t>(qBlue(line[x]));
        }
        std::vector<uint8_t> packed = PackBits(planes);
        if (rowBytes > 250) {
            out.U16(static_cast<uint16_t>(packed.size()));
        } else {
            out.U8(static_cast<uint8_t>(packed.size()));
        }
        out.Bytes(packed);
    }
    out.AlignToWord();
    out.U16(0x00FF);
    out.PatchU16(pictureStart, static_cast<uint16_t>(out.Size() - pictureStart));
    return out.Take();
}
