// Writing the generated pictures to disk: GIF through giflib, icons through
// Qt's ICO plugin, and mouse cursors through our own small .cur writer, since
// Qt's plugin writes every file as an icon and has no place for a hot spot.
//
// Each writer goes through a temporary file that is renamed into place, so an
// interrupted build never leaves half a picture behind.
#pragma once

#include <QByteArray>
#include <QImage>
#include <QString>

namespace vexlab::pictures {

// Writes `image` as a single-frame GIF with a palette of at most 256 colours.
// Transparency is blended over white: the GIFs we ship are opaque.
bool writeGif(const QImage& image, const QString& path);

// Writes `image` (at most 256 pixels each way) as a one-image .ico file.
bool writeIco(const QImage& image, const QString& path);

// Encodes `image` (1..256 pixels each way) as a one-image .cur file with the
// hot spot at (hotX, hotY), which must lie inside the image. Fully transparent
// pixels are marked clear in the AND mask. Returns an empty array for an
// unusable image or hot spot.
QByteArray encodeCur(const QImage& image, int hotX, int hotY);

// Writes encodeCur(image, hotX, hotY) to `path`.
bool writeCur(const QImage& image, int hotX, int hotY, const QString& path);

}  // namespace vexlab::pictures
