#include "picture_files.h"

#include <gif_lib.h>

#include <QImageWriter>
#include <QPainter>
#include <QSaveFile>
#include <array>
#include <cstdint>
#include <vector>

namespace vexlab::pictures {

namespace {

bool saveBytes(const QByteArray& bytes, const QString& path) {
    if (bytes.isEmpty()) return false;
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly)) return false;
    if (file.write(bytes) != bytes.size()) {
        file.cancelWriting();
        return false;
    }
    return file.commit();
}

// --- GIF --------------------------------------------------------------------

int appendToArray(GifFileType* gif, const GifByteType* data, int length) {
    static_cast<QByteArray*>(gif->UserData)->append(reinterpret_cast<const char*>(data), length);
    return length;
}

QImage overWhite(const QImage& image) {
    QImage opaque(image.size(), QImage::Format_RGB32);
    opaque.fill(Qt::white);
    QPainter p(&opaque);
    p.drawImage(0, 0, image);
    return opaque;
}

struct Indexed {
    std::vector<GifByteType> pixels;
    std::array<GifColorType, 256> colours{};
};

// giflib's median cut works on five bits per primary, so on its own it turns
// a white background into (248, 248, 248). Each palette entry is refitted to
// the mean of the pixels that were mapped to it, which keeps flat areas true.
Indexed quantise(const QImage& rgb) {
    const auto count = static_cast<std::size_t>(rgb.width()) * rgb.height();
    std::vector<GifByteType> red(count), green(count), blue(count);
    for (int y = 0, i = 0; y < rgb.height(); ++y) {
        const auto* line = reinterpret_cast<const QRgb*>(rgb.constScanLine(y));
        for (int x = 0; x < rgb.width(); ++x, ++i) {
            red[i] = static_cast<GifByteType>(qRed(line[x]));
            green[i] = static_cast<GifByteType>(qGreen(line[x]));
            blue[i] = static_cast<GifByteType>(qBlue(line[x]));
        }
    }

    Indexed out;
    out.pixels.resize(count);
    int size = static_cast<int>(out.colours.size());
    if (GifQuantizeBuffer(rgb.width(), rgb.height(), &size, red.data(), green.data(), blue.data(),
                          out.pixels.data(), out.colours.data()) != GIF_OK)
        return {};

    std::array<std::array<std::uint64_t, 4>, 256> sums{};
    for (std::size_t i = 0; i < count; ++i) {
        auto& s = sums[out.pixels[i]];
        s[0] += red[i];
        s[1] += green[i];
        s[2] += blue[i];
        ++s[3];
    }
    for (std::size_t k = 0; k < sums.size(); ++k) {
        const auto& s = sums[k];
        if (s[3] == 0) continue;
        auto mean = [&](std::uint64_t sum) {
            return static_cast<GifByteType>((sum + s[3] / 2) / s[3]);
        };
        out.colours[k] = GifColorType{mean(s[0]), mean(s[1]), mean(s[2])};
    }
    return out;
}

QByteArray encodeGif(const QImage& image) {
    if (image.isNull() || image.width() > 65535 || image.height() > 65535) return {};
    const QImage rgb = overWhite(image);
    Indexed indexed = quantise(rgb);
    if (indexed.pixels.empty()) return {};

    QByteArray bytes;
    int error = 0;
    GifFileType* gif = EGifOpen(&bytes, appendToArray, &error);
    if (!gif) return {};
    ColorMapObject* map =
        GifMakeMapObject(static_cast<int>(indexed.colours.size()), indexed.colours.data());
    bool ok = map && EGifPutScreenDesc(gif, rgb.width(), rgb.height(), 8, 0, map) == GIF_OK &&
              EGifPutImageDesc(gif, 0, 0, rgb.width(), rgb.height(), false, nullptr) == GIF_OK;
    for (int y = 0; ok && y < rgb.height(); ++y)
        ok = EGifPutLine(gif, indexed.pixels.data() + static_cast<std::size_t>(y) * rgb.width(),
                         rgb.width()) == GIF_OK;
    GifFreeMapObject(map);
    if (EGifCloseFile(gif, &error) != GIF_OK) ok = false;
    return ok ? bytes : QByteArray();
}

// --- CUR --------------------------------------------------------------------

void putLe16(QByteArray& out, std::uint32_t v) {
    out.append(static_cast<char>(v & 0xff));
    out.append(static_cast<char>((v >> 8) & 0xff));
}

void putLe32(QByteArray& out, std::uint32_t v) {
    putLe16(out, v & 0xffff);
    putLe16(out, (v >> 16) & 0xffff);
}

// The bitmap of a cursor: a BITMAPINFOHEADER whose height counts the colour
// rows and the mask rows, 32-bit BGRA rows bottom-up, then the 1-bit AND mask.
QByteArray cursorBitmap(const QImage& src) {
    const int w = src.width();
    const int h = src.height();
    const int andRowBytes = ((w + 31) / 32) * 4;  // mask rows are padded to 32 bits
    QByteArray dib;
    putLe32(dib, 40);
    putLe32(dib, static_cast<std::uint32_t>(w));
    putLe32(dib, static_cast<std::uint32_t>(2 * h));
    putLe16(dib, 1);   // planes
    putLe16(dib, 32);  // bits per pixel
    putLe32(dib, 0);   // uncompressed
    putLe32(dib, static_cast<std::uint32_t>((w * 4 + andRowBytes) * h));
    for (int i = 0; i < 4; ++i) putLe32(dib, 0);  // resolution and colour counts

    // A clear pixel is stored as zero, so a reader that ignores alpha shows
    // black under a set mask bit, which leaves the screen as it was.
    for (int y = h - 1; y >= 0; --y) {
        const auto* line = reinterpret_cast<const QRgb*>(src.constScanLine(y));
        for (int x = 0; x < w; ++x) {
            const QRgb p = qAlpha(line[x]) == 0 ? 0 : line[x];
            dib.append(static_cast<char>(qBlue(p)));
            dib.append(static_cast<char>(qGreen(p)));
            dib.append(static_cast<char>(qRed(p)));
            dib.append(static_cast<char>(qAlpha(p)));
        }
    }
    for (int y = h - 1; y >= 0; --y) {
        const auto* line = reinterpret_cast<const QRgb*>(src.constScanLine(y));
        QByteArray row(andRowBytes, '\0');
        for (int x = 0; x < w; ++x)
            if (qAlpha(line[x]) == 0)
                row[x / 8] = static_cast<char>(row[x / 8] | (0x80 >> (x % 8)));
        dib.append(row);
    }
    return dib;
}

}  // namespace

bool writeGif(const QImage& image, const QString& path) {
    return saveBytes(encodeGif(image), path);
}

bool writeIco(const QImage& image, const QString& path) {
    if (image.isNull() || image.width() > 256 || image.height() > 256) return false;
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly)) return false;
    QImageWriter writer(&file, "ico");
    if (!writer.write(image.convertToFormat(QImage::Format_ARGB32))) {
        file.cancelWriting();
        return false;
    }
    return file.commit();
}

QByteArray encodeCur(const QImage& image, int hotX, int hotY) {
    if (image.isNull() || image.width() > 256 || image.height() > 256) return {};
    if (hotX < 0 || hotY < 0 || hotX >= image.width() || hotY >= image.height()) return {};
    const QImage src = image.convertToFormat(QImage::Format_ARGB32);
    const QByteArray dib = cursorBitmap(src);

    QByteArray out;
    putLe16(out, 0);  // reserved
    putLe16(out, 2);  // cursor
    putLe16(out, 1);  // one image
    // A stored width or height of 0 stands for 256.
    out.append(static_cast<char>(src.width() & 0xff));
    out.append(static_cast<char>(src.height() & 0xff));
    out.append('\0');  // not palette based
    out.append('\0');  // reserved
    putLe16(out, static_cast<std::uint32_t>(hotX));
    putLe16(out, static_cast<std::uint32_t>(hotY));
    putLe32(out, static_cast<std::uint32_t>(dib.size()));
    putLe32(out, 6 + 16);  // the bitmap follows the header and its one entry
    out.append(dib);
    return out;
}

bool writeCur(const QImage& image, int hotX, int hotY, const QString& path) {
    return saveBytes(encodeCur(image, hotX, hotY), path);
}

}  // namespace vexlab::pictures
