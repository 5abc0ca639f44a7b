#include "gif_writer.h"

#include <QFile>
#include <algorithm>
#include <limits>

namespace vexlab::gif {

namespace {

constexpr int kCubeLevels = 6;
constexpr int kCubeStep = 51;                                       // 255 / (kCubeLevels - 1)
constexpr int kCubeSize = kCubeLevels * kCubeLevels * kCubeLevels;  // 216
constexpr int kExtraGreys = kPaletteSize - kCubeSize;               // 40

constexpr int kMinCodeSize = 8;
constexpr int kClearCode = 1 << kMinCodeSize;  // 256
constexpr int kEndCode = kClearCode + 1;       // 257
constexpr int kFirstFreeCode = kClearCode + 2;
constexpr int kMaxCodeSize = 12;
constexpr int kMaxCodes = 1 << kMaxCodeSize;  // 4096

std::array<QRgb, kPaletteSize> buildPalette() {
    std::array<QRgb, kPaletteSize> p{};
    int i = 0;
    for (int r = 0; r < kCubeLevels; ++r)
        for (int g = 0; g < kCubeLevels; ++g)
            for (int b = 0; b < kCubeLevels; ++b)
                p[i++] = qRgb(r * kCubeStep, g * kCubeStep, b * kCubeStep);
    // 41 is prime and does not divide 255 * k for k < 41, so none of these
    // coincide with the cube's greys (multiples of 51).
    for (int k = 1; k <= kExtraGreys; ++k) {
        const int v = (k * 255 + (kExtraGreys + 1) / 2) / (kExtraGreys + 1);
        p[i++] = qRgb(v, v, v);
    }
    return p;
}

// All greys of the palette, sorted by value, with their palette indices.
struct Grey {
    int value;
    std::uint8_t index;
};

std::array<Grey, kCubeLevels + kExtraGreys> buildGreys(const std::array<QRgb, kPaletteSize>& p) {
    std::array<Grey, kCubeLevels + kExtraGreys> greys{};
    int n = 0;
    for (int level = 0; level < kCubeLevels; ++level) {
        const int idx = level * (36 + 6 + 1);
        greys[n++] = {qRed(p[idx]), static_cast<std::uint8_t>(idx)};
    }
    for (int k = 0; k < kExtraGreys; ++k) {
        const int idx = kCubeSize + k;
        greys[n++] = {qRed(p[idx]), static_cast<std::uint8_t>(idx)};
    }
    std::sort(greys.begin(), greys.end(),
              [](const Grey& a, const Grey& b) { return a.value < b.value; });
    return greys;
}

int distance2(QRgb a, QRgb b) {
    const int dr = qRed(a) - qRed(b);
    const int dg = qGreen(a) - qGreen(b);
    const int db = qBlue(a) - qBlue(b);
    return dr * dr + dg * dg + db * db;
}

int nearestLevel(int component) {
    return (component + kCubeStep / 2) / kCubeStep;
}

void putLe16(QByteArray& out, int v) {
    out.append(static_cast<char>(v & 0xff));
    out.append(static_cast<char>((v >> 8) & 0xff));
}

// Packs variable-width codes least-significant bit first, as GIF requires.
class BitPacker {
public:
    explicit BitPacker(std::vector<std::uint8_t>& out) : m_out(out) {}

    void put(int code, int width) {
        m_acc |= static_cast<std::uint32_t>(code) << m_bits;
        m_bits += width;
        while (m_bits >= 8) {
            m_out.push_back(static_cast<std::uint8_t>(m_acc & 0xff));
            m_acc >>= 8;
            m_bits -= 8;
        }
    }

    void flush() {
        if (m_bits > 0) m_out.push_back(static_cast<std::uint8_t>(m_acc & 0xff));
        m_acc = 0;
        m_bits = 0;
    }

private:
    std::vector<std::uint8_t>& m_out;
    std::uint32_t m_acc = 0;
    int m_bits = 0;
};

}  // namespace

const std::array<QRgb, kPaletteSize>& palette() {
    static const std::array<QRgb, kPaletteSize> p = buildPalette();
    return p;
}

std::uint8_t nearestIndex(QRgb colour) {
    static const auto greys = buildGreys(palette());
    const auto& p = palette();

    // In a regular cube, the nearest point is found component by component.
    const int cubeIndex = 36 * nearestLevel(qRed(colour)) + 6 * nearestLevel(qGreen(colour)) +
                          nearestLevel(qBlue(colour));
    int best = cubeIndex;
    int bestDist = distance2(colour, p[cubeIndex]);

    // For greys, the squared distance is a parabola in the grey value with its
    // minimum at the mean of r, g and b; the nearest grey is one of the two
    // around that mean.
    const double mean = (qRed(colour) + qGreen(colour) + qBlue(colour)) / 3.0;
    const auto it = std::lower_bound(greys.begin(), greys.end(), mean,
                                     [](const Grey& g, double m) { return g.value < m; });
    for (auto candidate : {it, it == greys.begin() ? it : it - 1}) {
        if (candidate == greys.end()) continue;
        const int d = distance2(colour, p[candidate->index]);
        if (d < bestDist || (d == bestDist && candidate->index < best)) {
            bestDist = d;
            best = candidate->index;
        }
    }
    return static_cast<std::uint8_t>(best);
}

QRgb quantise(QRgb colour) {
    const int a = qAlpha(colour);
    if (a != 255) {
        // Blend over white: c' = c*a + 255*(1-a), rounded.
        auto blend = [a](int c) { return (c * a + 255 * (255 - a) + 127) / 255; };
        colour = qRgb(blend(qRed(colour)), blend(qGreen(colour)), blend(qBlue(colour)));
    }
    return palette()[nearestIndex(colour)];
}

std::vector<std::uint8_t> lzwCompress(const std::vector<std::uint8_t>& indices) {
    std::vector<std::uint8_t> out;
    BitPacker bits(out);

    // child[code * 256 + c] is the code for (string of `code`) + c, or 0 if
    // not in the table yet (0 is never a valid child since it is a root code).
    std::vector<std::uint16_t> child(static_cast<std::size_t>(kMaxCodes) * 256, 0);

    int codeSize = kMinCodeSize + 1;
    int nextCode = kFirstFreeCode;
    bits.put(kClearCode, codeSize);

    if (!indices.empty()) {
        int current = indices[0];
        for (std::size_t i = 1; i < indices.size(); ++i) {
            const int c = indices[i];
            const std::size_t slot = static_cast<std::size_t>(current) * 256 + c;
            if (child[slot] != 0) {
                current = child[slot];
                continue;
            }
            bits.put(current, codeSize);
            child[slot] = static_cast<std::uint16_t>(nextCode);
            // The decoder adds each entry one code later than we do, so it
            // widens its codes exactly when this new entry's number needs the
            // extra bit.
            if (nextCode == (1 << codeSize) && codeSize < kMaxCodeSize) ++codeSize;
            ++nextCode;
            if (nextCode == kMaxCodes - 1) {
                // Start over before the decoder's table could overflow.
                bits.put(kClearCode, codeSize);
                std::fill(child.begin(), child.end(), 0);
                codeSize = kMinCodeSize + 1;
                nextCode = kFirstFreeCode;
            }
            current = c;
        }
        bits.put(current, codeSize);
        // The decoder still adds an entry for this last code and may widen
        // its codes before reading the end code; follow it.
        if (nextCode == (1 << codeSize) && codeSize < kMaxCodeSize) ++codeSize;
    }
    bits.put(kEndCode, codeSize);
    bits.flush();
    return out;
}

QByteArray encodeGif(const QImage& image) {
    if (image.isNull() || image.width() > 0xffff || image.height() > 0xffff) return {};

    const QImage src = image.convertToFormat(QImage::Format_ARGB32);
    const int w = src.width();
    const int h = src.height();

    std::vector<std::uint8_t> indices;
    indices.reserve(static_cast<std::size_t>(w) * h);
    for (int y = 0; y < h; ++y) {
        const auto* line = reinterpret_cast<const QRgb*>(src.constScanLine(y));
        QRgb lastIn = 0;
        std::uint8_t lastOut = 0;
        bool haveLast = false;
        for (int x = 0; x < w; ++x) {
            if (!haveLast || line[x] != lastIn) {
                lastIn = line[x];
                lastOut = nearestIndex(quantise(lastIn));
                haveLast = true;
            }
            indices.push_back(lastOut);
        }
    }

    QByteArray out;
    out.append("GIF89a", 6);

    // Logical screen descriptor: global colour table of 2^(7+1) entries,
    // 8 bits per primary, not sorted.
    putLe16(out, w);
    putLe16(out, h);
    out.append(static_cast<char>(0x80 | (7 << 4) | 7));
    out.append('\0');  // background colour index
    out.append('\0');  // pixel width:height ratio not given

    for (QRgb c : palette()) {
        out.append(static_cast<char>(qRed(c)));
        out.append(static_cast<char>(qGreen(c)));
        out.append(static_cast<char>(qBlue(c)));
    }

    // Image descriptor: whole screen, no local table, not interlaced.
    out.append(static_cast<char>(0x2c));
    putLe16(out, 0);
    putLe16(out, 0);
    putLe16(out, w);
    putLe16(out, h);
    out.append('\0');

    out.append(static_cast<char>(kMinCodeSize));
    const std::vector<std::uint8_t> data = lzwCompress(indices);
    for (std::size_t pos = 0; pos < data.size(); pos += 255) {
        const std::size_t n = std::min<std::size_t>(255, data.size() - pos);
        out.append(static_cast<char>(n));
        out.append(reinterpret_cast<const char*>(data.data() + pos), static_cast<qsizetype>(n));
    }
    out.append('\0');                     // block terminator
    out.append(static_cast<char>(0x3b));  // trailer
    return out;
}

bool writeGif(const QImage& image, const QString& path) {
    const QByteArray bytes = encodeGif(image);
    if (bytes.isEmpty()) return false;
    QFile f(path);
    if (!f.open(QIODevice::WriteOnly | QIODevice::Truncate)) return false;
    return f.write(bytes) == bytes.size() && f.flush();
}

}  // namespace vexlab::gif
