#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <vector>

// A picture decoded from a PICT file: width * height pixels, row by row, each 0xAARRGGBB.
struct DecodedImage {
    int width;
    int height;
    std::vector<uint32_t> argb;
};

// Decodes the pixel images of a version 2 PICT file (512-byte file header first). Drawing
// opcodes other than pixel maps are skipped by their stated lengths; the pixel maps are copied
// onto a white canvas the size of the picture frame. Returns nullopt for anything malformed,
// truncated, oversized or holding no pixel map, so a hostile file is refused, never half drawn.
std::optional<DecodedImage> DecodePict(std::span<const uint8_t> bytes);
