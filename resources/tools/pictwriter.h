#pragma once

#include <QByteArray>
#include <QImage>

// The image as a version 2 PICT file (extended header, 72 dpi): one DirectBitsRect of 32-bit
// pixels stored as red, green and blue planes with every row PackBits-compressed (packType 4),
// the way QuickDraw itself records a 32-bit picture. Transparency is flattened onto white.
QByteArray WritePict(const QImage& image);
