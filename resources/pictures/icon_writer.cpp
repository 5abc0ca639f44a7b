#include "icon_writer.h"

#include <QBuffer>
#include <QFile>
#include <cstdint>

namespace vexlab::icons {

namespace {

constexpr int kDirSize = 6;
constexpr int kEntrySize = 16;
constexpr int kInfoHeaderSize = 40;

void putLe16(QByteArray& out, std::uint32_t v) {
    out.append(static_cast<char>(v & 0xff));
    out.append(static_cast<char>((v >> 8) & 0xff));
}

void putLe32(QByteArray& out, std::uint32_t v) {
    putLe16(out, v & 0xffff);
    putLe16(out, (v >> 16) & 0xffff);
}

bool usableSize(const QImage& image) {
    return !image.isNull() && image.width() <= 256 && image.height() <= 256;
}

// One-image container: directory, single entry, payload.
QByteArray container(int type, const QImage& image, std::uint16_t field1, std::uint16_t field2,
                     const QByteArray& payload) {
    QByteArray out;
    putLe16(out, 0);     // reserved
    putLe16(out, type);  // 1 = icon, 2 = cursor
    putLe16(out, 1);     // image count

    // A stored width or height of 0 stands for 256.
    out.append(static_cast<char>(image.width() & 0xff));
    out.append(static_cast<char>(image.height() & 0xff));
    out.append('\0');  // colour count: not palette based
    out.append('\0');  // reserved
    putLe16(out, field1);
    putLe16(out, field2);
    putLe32(out, static_cast<std::uint32_t>(payload.size()));
    putLe32(out, kDirSize + kEntrySize);

    out.append(payload);
    return out;
}

}  // namespace

QByteArray encodeIco(const QImage& image) {
    if (!usableSize(image)) return {};

    QByteArray png;
    QBuffer buffer(&png);
    buffer.open(QIODevice::WriteOnly);
    if (!image.convertToFormat(QImage::Format_ARGB32).save(&buffer, "PNG")) return {};

    return container(1, image, /*planes*/ 1, /*bit count*/ 32, png);
}

QByteArray encodeCur(const QImage& image, int hotX, int hotY) {
    if (!usableSize(image) || hotX < 0 || hotY < 0 || hotX >= image.width() ||
        hotY >= image.height())
        return {};

    const QImage src = image.convertToFormat(QImage::Format_ARGB32);
    const int w = src.width();
    const int h = src.height();
    const int xorRowBytes = w * 4;
    const int andRowBytes = ((w + 31) / 32) * 4;  // rows padded to 32 bits
    const int xorSize = xorRowBytes * h;
    const int andSize = andRowBytes * h;

    QByteArray dib;
    putLe32(dib, kInfoHeaderSize);
    putLe32(dib, static_cast<std::uint32_t>(w));
    putLe32(dib, static_cast<std::uint32_t>(2 * h));  // colour rows + mask rows
    putLe16(dib, 1);                                  // planes
    putLe16(dib, 32);                                 // bits per pixel
    putLe32(dib, 0);                                  // BI_RGB, uncompressed
    putLe32(dib, static_cast<std::uint32_t>(xorSize + andSize));
    putLe32(dib, 0);  // horizontal resolution
    putLe32(dib, 0);  // vertical resolution
    putLe32(dib, 0);  // colours used
    putLe32(dib, 0);  // important colours

    // Colour rows, bottom-up, BGRA. Fully transparent pixels are stored as
    // zero so that readers ignoring alpha see black under a set mask bit.
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

    // AND mask rows, bottom-up, most significant bit first; 1 = transparent.
    for (int y = h - 1; y >= 0; --y) {
        const auto* line = reinterpret_cast<const QRgb*>(src.constScanLine(y));
        QByteArray row(andRowBytes, '\0');
        for (int x = 0; x < w; ++x) {
            if (qAlpha(line[x]) == 0)
                row[x / 8] =
                    static_cast<char>(static_cast<unsigned char>(row[x / 8]) | (0x80 >> (x % 8)));
        }
        dib.append(row);
    }

    return container(2, image, static_cast<std::uint16_t>(hotX), static_cast<std::uint16_t>(hotY),
                     dib);
}

bool writeFile(const QByteArray& bytes, const QString& path) {
    if (bytes.isEmpty()) return false;
    QFile f(path);
    if (!f.open(QIODevice::WriteOnly | QIODevice::Truncate)) return false;
    return f.write(bytes) == bytes.size() && f.flush();
}

}  // namespace vexlab::icons
