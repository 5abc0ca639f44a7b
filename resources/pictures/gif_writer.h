// Minimal GIF89a writer for Vexlab's generated pictures.
//
// Every image is quantised to one fixed 256-colour palette (the 216-colour
// web-safe cube plus 40 extra greys) by picking the nearest palette colour,
// without dithering, so the same picture always produces the same bytes.
// Pixel data is LZW-compressed with variable code sizes (9..12 bits) and a
// clear code whenever the code table fills up.
#pragma once

#include <QtGui/qrgb.h>

#include <QByteArray>
#include <QImage>
#include <QString>
#include <array>
#include <cstdint>
#include <vector>

namespace vexlab::gif {

inline constexpr int kPaletteSize = 256;

// The fixed palette: entries 0..215 are the cube (index = 36*r + 6*g + b with
// each component one of 0, 51, 102, 153, 204, 255), 216..255 are greys that
// fall between the cube's own greys.
const std::array<QRgb, kPaletteSize>& palette();

// Index of the palette entry nearest to `colour` (squared RGB distance;
// alpha is ignored).
std::uint8_t nearestIndex(QRgb colour);

// The colour a pixel takes in the written GIF: semi-transparent pixels are
// first blended over white, then mapped to the nearest palette entry.
// The result is always fully opaque.
QRgb quantise(QRgb colour);

// LZW-compresses palette indices the way GIF image data expects, with a
// minimum code size of 8. Returns the raw code stream (clear code first,
// end-of-information code last), not yet split into sub-blocks.
std::vector<std::uint8_t> lzwCompress(const std::vector<std::uint8_t>& indices);

// Encodes `image` as a single-frame GIF89a file. Returns an empty array for a
// null image or one larger than 65535 pixels in either direction.
QByteArray encodeGif(const QImage& image);

// Writes encodeGif(image) to `path`. Returns false if encoding or writing fails.
bool writeGif(const QImage& image, const QString& path);

}  // namespace vexlab::gif
