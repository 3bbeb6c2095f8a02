// The pictures the window shows at the normal scale, decoded as the game is built
// (tools/picture_pixels.cpp) into the pixels a pixmap holds: showing them reads no image file.
#pragma once

#include <QImage>

#include <cstdint>
#include <span>

namespace tessal::layout {

struct DecodedPicture {
    const char* file; // its name in assets/, as the layout table gives it
    int width, height, bytesPerLine;
    QImage::Format format;
    const std::uint32_t* pixels; // its rows, one after the other
};
std::span<const DecodedPicture> decodedPictures();

} // namespace tessal::layout
