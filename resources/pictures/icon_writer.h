// Writers for Windows icon (.ico) and cursor (.cur) files holding one image.
//
// Both share one container: a 6-byte directory header (reserved 0, type
// 1 = icon or 2 = cursor, image count), then one 16-byte entry per image,
// then the image data. Icons carry a PNG image. Cursors carry a classic DIB
// (BITMAPINFOHEADER with doubled height, 32-bit BGRA colour rows bottom-up,
// then a 1-bit AND mask) because some readers refuse PNG cursors; their
// entry's planes and bit-count fields hold the hotspot instead.
#pragma once

#include <QByteArray>
#include <QImage>
#include <QString>

namespace vexlab::icons {

// Encodes `image` (1..256 pixels each way) as an .ico file with a PNG payload.
// Returns an empty array for an unusable image.
QByteArray encodeIco(const QImage& image);

// Encodes `image` (1..256 pixels each way) as a .cur file with the hotspot at
// (hotX, hotY), which must lie inside the image. Pixels with alpha 0 are
// marked transparent in the AND mask. Returns an empty array for an unusable
// image or hotspot.
QByteArray encodeCur(const QImage& image, int hotX, int hotY);

// Writes `bytes` to `path`, replacing any existing file. Returns false for
// empty data or a failed write.
bool writeFile(const QByteArray& bytes, const QString& path);

}  // namespace vexlab::icons
