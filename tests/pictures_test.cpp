// Tests for the picture writers used by picturegen: the GIF encoder (read
// back by Qt's own GIF reader and by a strict decoder below) and the ICO/CUR
// container writer (read back by Qt's ICO reader and checked field by field).
#include <gtest/gtest.h>

#include <QBuffer>
#include <QGuiApplication>
#include <QImage>
#include <QImageReader>
#include <cstdint>
#include <memory>
#include <random>
#include <set>
#include <string>
#include <vector>

#include "gif_writer.h"
#include "icon_writer.h"

namespace {

// Image plugins need an application object; the offscreen platform keeps the
// tests independent of any display.
class QtApplicationEnvironment : public ::testing::Environment {
public:
    void SetUp() override {
        if (QCoreApplication::instance()) return;
        if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
        m_app = std::make_unique<QGuiApplication>(m_argc, m_argv);
    }

    void TearDown() override { m_app.reset(); }

private:
    int m_argc = 1;
    char m_name[16] = "pictures_test";
    char* m_argv[2] = {m_name, nullptr};
    std::unique_ptr<QGuiApplication> m_app;
};

[[maybe_unused]] ::testing::Environment* const g_qtEnvironment =
    ::testing::AddGlobalTestEnvironment(new QtApplicationEnvironment);

using vexlab::gif::encodeGif;
using vexlab::gif::lzwCompress;
using vexlab::gif::nearestIndex;
using vexlab::gif::palette;
using vexlab::gif::quantise;

int distance2(QRgb a, QRgb b) {
    const int dr = qRed(a) - qRed(b);
    const int dg = qGreen(a) - qGreen(b);
    const int db = qBlue(a) - qBlue(b);
    return dr * dr + dg * dg + db * db;
}

int le16(const QByteArray& d, qsizetype at) {
    return static_cast<unsigned char>(d[at]) | (static_cast<unsigned char>(d[at + 1]) << 8);
}

std::uint32_t le32(const QByteArray& d, qsizetype at) {
    return static_cast<std::uint32_t>(le16(d, at)) |
           (static_cast<std::uint32_t>(le16(d, at + 2)) << 16);
}

// --- A strict GIF decoder ---------------------------------------------------
// Unlike most readers, it insists on a well-formed code stream: codes of the
// right width throughout, an end code exactly where the data ends, and the
// block terminator and trailer after it.

struct LzwResult {
    std::vector<std::uint8_t> indices;
    int clearCodes = 0;
    std::string error;  // empty on success
};

LzwResult lzwDecodeStrict(const std::vector<std::uint8_t>& data, int minCodeSize) {
    LzwResult r;
    const int clear = 1 << minCodeSize;
    const int end = clear + 1;
    std::vector<std::vector<std::uint8_t>> table;
    auto reset = [&] {
        table.clear();
        for (int i = 0; i < clear + 2; ++i) table.push_back({static_cast<std::uint8_t>(i)});
    };
    reset();

    int codeSize = minCodeSize + 1;
    std::size_t bitPos = 0;
    const std::size_t totalBits = data.size() * 8;
    int prev = -1;  // previous code since the last clear, -1 if none
    bool first = true;
    while (true) {
        if (bitPos + codeSize > totalBits) {
            r.error = "code stream ends without an end code";
            return r;
        }
        int code = 0;
        for (int i = 0; i < codeSize; ++i, ++bitPos)
            if (data[bitPos / 8] & (1 << (bitPos % 8))) code |= 1 << i;

        if (first && code != clear) {
            r.error = "stream does not start with a clear code";
            return r;
        }
        first = false;
        if (code == clear) {
            ++r.clearCodes;
            reset();
            codeSize = minCodeSize + 1;
            prev = -1;
            continue;
        }
        if (code == end) {
            // Only padding bits of the final byte may follow.
            if ((bitPos + 7) / 8 != data.size()) r.error = "data after the end code";
            return r;
        }

        std::vector<std::uint8_t> entry;
        if (code < static_cast<int>(table.size())) {
            entry = table[code];
        } else if (prev >= 0 && code == static_cast<int>(table.size())) {
            entry = table[prev];
            entry.push_back(table[prev][0]);
        } else {
            r.error =
                "code " + std::to_string(code) + " not in table of " + std::to_string(table.size());
            return r;
        }
        r.indices.insert(r.indices.end(), entry.begin(), entry.end());

        if (prev >= 0 && table.size() < 4096) {
            std::vector<std::uint8_t> added = table[prev];
            added.push_back(entry[0]);
            table.push_back(std::move(added));
            if (table.size() == (1u << codeSize) && codeSize < 12) ++codeSize;
        }
        prev = code;
    }
}

struct GifResult {
    int width = 0;
    int height = 0;
    std::vector<QRgb> colourTable;
    std::vector<std::uint8_t> indices;
    int clearCodes = 0;
    std::string error;
};

GifResult decodeGifStrict(const QByteArray& d) {
    GifResult g;
    qsizetype pos = 0;
    auto need = [&](qsizetype n) {
        if (pos + n > d.size()) {
            g.error = "truncated file";
            return false;
        }
        return true;
    };
    if (!need(13)) return g;
    if (d.left(6) != "GIF89a") {
        g.error = "bad signature";
        return g;
    }
    g.width = le16(d, 6);
    g.height = le16(d, 8);
    const int flags = static_cast<unsigned char>(d[10]);
    pos = 13;
    if (!(flags & 0x80)) {
        g.error = "no global colour table";
        return g;
    }
    const int tableSize = 1 << ((flags & 7) + 1);
    if (!need(3 * tableSize)) return g;
    for (int i = 0; i < tableSize; ++i, pos += 3)
        g.colourTable.push_back(qRgb(static_cast<unsigned char>(d[pos]),
                                     static_cast<unsigned char>(d[pos + 1]),
                                     static_cast<unsigned char>(d[pos + 2])));

    if (!need(11) || static_cast<unsigned char>(d[pos]) != 0x2c) {
        g.error = "no image descriptor after the colour table";
        return g;
    }
    if (le16(d, pos + 1) != 0 || le16(d, pos + 3) != 0 || le16(d, pos + 5) != g.width ||
        le16(d, pos + 7) != g.height || d[pos + 9] != 0) {
        g.error = "image descriptor does not cover the screen plainly";
        return g;
    }
    const int minCodeSize = static_cast<unsigned char>(d[pos + 10]);
    pos += 11;

    std::vector<std::uint8_t> data;
    while (true) {
        if (!need(1)) return g;
        const int n = static_cast<unsigned char>(d[pos++]);
        if (n == 0) break;
        if (!need(n)) return g;
        data.insert(data.end(), d.begin() + pos, d.begin() + pos + n);
        pos += n;
    }
    if (pos != d.size() - 1 || static_cast<unsigned char>(d[pos]) != 0x3b) {
        g.error = "missing trailer or bytes after it";
        return g;
    }

    LzwResult lzw = lzwDecodeStrict(data, minCodeSize);
    g.indices = std::move(lzw.indices);
    g.clearCodes = lzw.clearCodes;
    g.error = lzw.error;
    if (g.error.empty() && g.indices.size() != static_cast<std::size_t>(g.width) * g.height)
        g.error = "decoded " + std::to_string(g.indices.size()) + " pixels, expected " +
                  std::to_string(g.width * g.height);
    return g;
}

// --- Helpers ------------------------------------------------------------------

QImage readWithQt(const QByteArray& bytes, const char* format) {
    QImage img;
    img.loadFromData(bytes, format);
    return img;
}

// Checks both decoders give exactly the quantised source, pixel for pixel.
// Returns the strict decode for further checks.
GifResult expectRoundTrip(const QImage& source) {
    const QByteArray bytes = encodeGif(source);
    EXPECT_FALSE(bytes.isEmpty());

    const QImage qt = readWithQt(bytes, "GIF");
    EXPECT_FALSE(qt.isNull()) << "Qt cannot read the GIF";
    GifResult strict = decodeGifStrict(bytes);
    EXPECT_EQ(strict.error, "");
    if (qt.isNull() || !strict.error.empty()) return strict;

    EXPECT_EQ(qt.size(), source.size());
    EXPECT_EQ(strict.width, source.width());
    EXPECT_EQ(strict.height, source.height());
    if (qt.size() != source.size() || strict.width != source.width() ||
        strict.height != source.height())
        return strict;

    const QImage src = source.convertToFormat(QImage::Format_ARGB32);
    int qtMismatches = 0;
    int strictMismatches = 0;
    for (int y = 0; y < src.height(); ++y) {
        for (int x = 0; x < src.width(); ++x) {
            const QRgb want = quantise(src.pixel(x, y));
            const QRgb fromQt = qt.pixel(x, y);
            const QRgb fromStrict = strict.colourTable.at(
                strict.indices[static_cast<std::size_t>(y) * src.width() + x]);
            if (fromQt != want && qtMismatches++ < 3)
                ADD_FAILURE() << "Qt pixel (" << x << "," << y << ") is " << std::hex << fromQt
                              << ", expected " << want;
            if (fromStrict != want && strictMismatches++ < 3)
                ADD_FAILURE() << "strict pixel (" << x << "," << y << ") is " << std::hex
                              << fromStrict << ", expected " << want;
        }
    }
    EXPECT_EQ(qtMismatches, 0);
    EXPECT_EQ(strictMismatches, 0);
    return strict;
}

QImage randomPaletteImage(int w, int h, unsigned seed) {
    std::mt19937 rng(seed);
    QImage img(w, h, QImage::Format_RGB32);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) img.setPixel(x, y, palette()[rng() % 256]);
    return img;
}

// --- Palette and quantisation -------------------------------------------------

TEST(GifPalette, HasTheCubeAndDistinctGreys) {
    const auto& p = palette();
    std::set<QRgb> distinct(p.begin(), p.end());
    EXPECT_EQ(distinct.size(), 256u);
    EXPECT_EQ(p[0], qRgb(0, 0, 0));
    EXPECT_EQ(p[215], qRgb(255, 255, 255));
    EXPECT_EQ(p[36 * 1 + 6 * 2 + 3], qRgb(51, 102, 153));
    for (int i = 216; i < 256; ++i) {
        EXPECT_EQ(qRed(p[i]), qGreen(p[i]));
        EXPECT_EQ(qRed(p[i]), qBlue(p[i]));
    }
    for (QRgb c : p) EXPECT_EQ(qAlpha(c), 255);
}

TEST(GifPalette, NearestIndexIsTrulyNearest) {
    const auto& p = palette();
    auto bruteForceDistance = [&](QRgb c) {
        int best = distance2(c, p[0]);
        for (QRgb e : p) best = std::min(best, distance2(c, e));
        return best;
    };

    for (int i = 0; i < 256; ++i)
        EXPECT_EQ(nearestIndex(p[i]), i) << "palette entry " << i << " is not its own nearest";

    std::vector<QRgb> samples;
    for (int v = 0; v < 256; ++v) {
        samples.push_back(qRgb(v, v, v));            // every grey
        samples.push_back(qRgb(v, 255 - v, v / 2));  // a sweep through colours
        samples.push_back(qRgb(v, v, std::min(255, v + 3)));
    }
    std::mt19937 rng(12345);
    for (int i = 0; i < 20000; ++i) samples.push_back(qRgb(rng() % 256, rng() % 256, rng() % 256));

    for (QRgb c : samples) {
        ASSERT_EQ(distance2(c, p[nearestIndex(c)]), bruteForceDistance(c))
            << "colour " << std::hex << c;
    }
}

TEST(GifPalette, QuantiseBlendsTransparencyOverWhite) {
    EXPECT_EQ(quantise(qRgba(0, 0, 0, 0)), qRgb(255, 255, 255));
    EXPECT_EQ(quantise(qRgba(12, 200, 90, 0)), qRgb(255, 255, 255));
    EXPECT_EQ(quantise(qRgb(0, 0, 0)), qRgb(0, 0, 0));
    // Half-transparent pure red over white is (255, 127, 127): the cube's
    // (255, 102, 102) is 25 away per channel, (255, 153, 153) is 26.
    EXPECT_EQ(quantise(qRgba(255, 0, 0, 128)), qRgb(255, 102, 102));
    // Opaque colours map to their nearest palette entry.
    EXPECT_EQ(quantise(qRgb(250, 5, 40)), qRgb(255, 0, 51));
}

// --- GIF round trips ----------------------------------------------------------

TEST(GifEncode, SolidImage) {
    // One colour repeated is the encoder's "string + its own first
    // character" case over and over.
    QImage img(50, 40, QImage::Format_RGB32);
    img.fill(qRgb(0, 51, 153));
    expectRoundTrip(img);

    img.fill(qRgb(130, 20, 240));  // not a palette colour
    expectRoundTrip(img);
}

TEST(GifEncode, GradientWithManyColours) {
    // Red across, green down, blue in small tiles: every cube colour and many
    // greys show up, in long runs and short ones.
    QImage img(256, 256, QImage::Format_RGB32);
    for (int y = 0; y < img.height(); ++y)
        for (int x = 0; x < img.width(); ++x)
            img.setPixel(x, y, qRgb(x, y, (x % 16) * 16 + y % 16));
    const GifResult r = expectRoundTrip(img);
    std::set<std::uint8_t> used(r.indices.begin(), r.indices.end());
    EXPECT_GE(used.size(), 216u) << "gradient should use most of the palette";
}

TEST(GifEncode, SinglePixel) {
    QImage img(1, 1, QImage::Format_RGB32);
    img.fill(qRgb(255, 204, 0));
    expectRoundTrip(img);
}

TEST(GifEncode, OddSizes) {
    expectRoundTrip(randomPaletteImage(333, 7, 1));
    expectRoundTrip(randomPaletteImage(7, 333, 2));
    expectRoundTrip(randomPaletteImage(1, 517, 3));
    expectRoundTrip(randomPaletteImage(517, 1, 4));
}

TEST(GifEncode, LargeNoiseResetsTheCodeTableSeveralTimes) {
    const GifResult r = expectRoundTrip(randomPaletteImage(640, 480, 99));
    // The stream starts with one clear code; each further one is a reset of
    // a full table.
    EXPECT_GE(r.clearCodes, 5);
}

TEST(GifEncode, SemiTransparentPixelsComeOutBlendedOverWhite) {
    QImage img(64, 16, QImage::Format_ARGB32);
    for (int y = 0; y < img.height(); ++y)
        for (int x = 0; x < img.width(); ++x) img.setPixel(x, y, qRgba(200, 16 * y, 40, x * 4));
    expectRoundTrip(img);
}

TEST(GifEncode, EveryLengthAroundCodeWidthChangesAndResets) {
    // A sequence with no adjacent pair repeated (runs 0, d, 2d, ... for odd
    // steps d) makes every pixel after the first cost exactly one code, so
    // the table grows by one entry per pixel: it resets every 3837 codes
    // (entries 258..4094), and widens codes after 255, 767 and 1791 codes.
    // Ending the data right at a widening is where the end code must already
    // be wider; repeating that after 0..7 resets puts the end of the data at
    // every bit position within the last byte.
    std::vector<std::uint8_t> seq;
    for (int step = 1; seq.size() < 32768; step += 2)
        for (int i = 0; i < 256; ++i) seq.push_back(static_cast<std::uint8_t>(i * step));

    constexpr int kCodesPerReset = 3837;
    std::vector<int> lengths;
    for (int n = 1; n <= 300; ++n) lengths.push_back(n);
    for (int resets = 0; resets <= 7; ++resets)
        for (int codes : {255, 767, 1791, kCodesPerReset})
            for (int d = -2; d <= 2; ++d) lengths.push_back(resets * kCodesPerReset + codes + d);

    for (int n : lengths) {
        const std::vector<std::uint8_t> input(seq.begin(), seq.begin() + n);
        const LzwResult r = lzwDecodeStrict(lzwCompress(input), 8);
        ASSERT_EQ(r.error, "") << "length " << n;
        ASSERT_EQ(r.indices, input) << "length " << n;
        ASSERT_EQ(r.clearCodes, 1 + (n - 1) / kCodesPerReset) << "length " << n;
    }

    // Some of the same through whole files, read by Qt as well.
    for (int n :
         {255, 256, 767, 1791, kCodesPerReset, kCodesPerReset + 1, 5 * kCodesPerReset + 255}) {
        QImage img(n, 1, QImage::Format_RGB32);
        for (int x = 0; x < n; ++x) img.setPixel(x, 0, palette()[seq[x]]);
        SCOPED_TRACE("image width " + std::to_string(n));
        expectRoundTrip(img);
    }
}

TEST(GifEncode, RejectsUnencodableImages) {
    EXPECT_TRUE(encodeGif(QImage()).isEmpty());
    EXPECT_TRUE(encodeGif(QImage(70000, 1, QImage::Format_RGB32)).isEmpty());
}

// --- ICO and CUR ----------------------------------------------------------------

QImage testPattern(int w, int h) {
    QImage img(w, h, QImage::Format_ARGB32);
    for (int y = 0; y < h; ++y) {
        for (int x = 0; x < w; ++x) {
            if ((x + y) % 5 == 0)
                img.setPixel(x, y, qRgba(0, 0, 0, 0));  // fully transparent
            else
                img.setPixel(x, y,
                             qRgba((x * 37) % 256, (y * 53) % 256, (x * y) % 256,
                                   (x + y) % 3 == 0 ? 255 : 128 + x % 100));
        }
    }
    return img;
}

// Compares two pictures after converting both to `format`: ARGB32 for an
// exact match, ARGB32_Premultiplied where the reader hands back premultiplied
// pixels (which cannot carry every unpremultiplied value).
void expectSamePixels(const QImage& got, const QImage& want, QImage::Format format) {
    ASSERT_EQ(got.size(), want.size());
    const QImage g = got.convertToFormat(format);
    const QImage w = want.convertToFormat(format);
    int mismatches = 0;
    for (int y = 0; y < w.height(); ++y) {
        for (int x = 0; x < w.width(); ++x) {
            const QRgb a = reinterpret_cast<const QRgb*>(g.constScanLine(y))[x];
            const QRgb b = reinterpret_cast<const QRgb*>(w.constScanLine(y))[x];
            // Colour under a fully transparent pixel carries no meaning.
            const bool same = qAlpha(b) == 0 ? qAlpha(a) == 0 : a == b;
            if (!same && mismatches++ < 3)
                ADD_FAILURE() << "pixel (" << x << "," << y << ") is " << std::hex << a
                              << ", expected " << b;
        }
    }
    EXPECT_EQ(mismatches, 0);
}

TEST(IconWriter, IcoHeaderAndPngPayloadReadBackByQt) {
    const QImage src = testPattern(32, 32);
    const QByteArray ico = vexlab::icons::encodeIco(src);
    ASSERT_GE(ico.size(), 22 + 8);

    EXPECT_EQ(le16(ico, 0), 0);  // reserved
    EXPECT_EQ(le16(ico, 2), 1);  // icon
    EXPECT_EQ(le16(ico, 4), 1);  // one image
    EXPECT_EQ(static_cast<unsigned char>(ico[6]), 32);
    EXPECT_EQ(static_cast<unsigned char>(ico[7]), 32);
    EXPECT_EQ(le16(ico, 10), 1);   // planes
    EXPECT_EQ(le16(ico, 12), 32);  // bits per pixel
    EXPECT_EQ(le32(ico, 14), static_cast<std::uint32_t>(ico.size() - 22));
    EXPECT_EQ(le32(ico, 18), 22u);
    EXPECT_EQ(ico.mid(22, 8), QByteArray("\x89PNG\r\n\x1a\n", 8));

    const QImage back = readWithQt(ico, "ICO");
    ASSERT_FALSE(back.isNull());
    expectSamePixels(back, src, QImage::Format_ARGB32);
}

TEST(IconWriter, LargestIconStoresZeroForSize256) {
    const QImage src = testPattern(256, 256);
    const QByteArray ico = vexlab::icons::encodeIco(src);
    ASSERT_GE(ico.size(), 22);
    EXPECT_EQ(ico[6], 0);
    EXPECT_EQ(ico[7], 0);
    const QImage back = readWithQt(ico, "ICO");
    ASSERT_FALSE(back.isNull());
    expectSamePixels(back, src, QImage::Format_ARGB32);
}

// Checks a cursor file's header, hotspot, bitmap header and AND mask against
// the source picture, and that Qt reads it back to the same pixels.
void checkCursor(const QImage& src, int hotX, int hotY) {
    const QByteArray cur = vexlab::icons::encodeCur(src, hotX, hotY);
    const int w = src.width();
    const int h = src.height();
    const int andRow = ((w + 31) / 32) * 4;
    const int dibSize = 40 + w * h * 4 + andRow * h;
    ASSERT_EQ(cur.size(), 22 + dibSize);

    EXPECT_EQ(le16(cur, 0), 0);
    EXPECT_EQ(le16(cur, 2), 2);  // cursor
    EXPECT_EQ(le16(cur, 4), 1);
    EXPECT_EQ(static_cast<unsigned char>(cur[6]), w & 0xff);
    EXPECT_EQ(static_cast<unsigned char>(cur[7]), h & 0xff);
    EXPECT_EQ(le16(cur, 10), hotX);
    EXPECT_EQ(le16(cur, 12), hotY);
    EXPECT_EQ(le32(cur, 14), static_cast<std::uint32_t>(dibSize));
    EXPECT_EQ(le32(cur, 18), 22u);

    const qsizetype dib = 22;
    EXPECT_EQ(le32(cur, dib + 0), 40u);
    EXPECT_EQ(le32(cur, dib + 4), static_cast<std::uint32_t>(w));
    EXPECT_EQ(le32(cur, dib + 8), static_cast<std::uint32_t>(2 * h));
    EXPECT_EQ(le16(cur, dib + 12), 1);
    EXPECT_EQ(le16(cur, dib + 14), 32);
    EXPECT_EQ(le32(cur, dib + 16), 0u);

    // Colour rows are bottom-up BGRA; mask rows follow, bottom-up, 1 = clear.
    const QImage argb = src.convertToFormat(QImage::Format_ARGB32);
    const qsizetype colours = dib + 40;
    const qsizetype mask = colours + qsizetype(w) * h * 4;
    int wrong = 0;
    for (int y = 0; y < h; ++y) {
        for (int x = 0; x < w; ++x) {
            const QRgb want = argb.pixel(x, y);
            const int row = h - 1 - y;
            const qsizetype px = colours + (qsizetype(row) * w + x) * 4;
            const QRgb stored = qRgba(
                static_cast<unsigned char>(cur[px + 2]), static_cast<unsigned char>(cur[px + 1]),
                static_cast<unsigned char>(cur[px]), static_cast<unsigned char>(cur[px + 3]));
            const bool maskBit =
                static_cast<unsigned char>(cur[mask + qsizetype(row) * andRow + x / 8]) &
                (0x80 >> (x % 8));
            if (maskBit != (qAlpha(want) == 0) && wrong++ < 3)
                ADD_FAILURE() << "mask bit at (" << x << "," << y << ") is " << maskBit;
            if (qAlpha(want) != 0 && stored != want && wrong++ < 3)
                ADD_FAILURE() << "stored pixel (" << x << "," << y << ") is " << std::hex << stored
                              << ", expected " << want;
        }
    }
    EXPECT_EQ(wrong, 0);

    // Qt's ICO reader takes cursor files too. It returns bitmap pixels
    // premultiplied, so compare in that form; the exact stored bytes were
    // checked above.
    const QImage back = readWithQt(cur, "ICO");
    ASSERT_FALSE(back.isNull()) << "Qt cannot read the cursor";
    expectSamePixels(back, src, QImage::Format_ARGB32_Premultiplied);
}

TEST(IconWriter, CursorHeaderHotspotAndMask) {
    checkCursor(testPattern(32, 32), 16, 16);
    checkCursor(testPattern(32, 32), 0, 31);
}

TEST(IconWriter, CursorWithOddWidthPadsMaskRows) {
    // 13 pixels of mask need 2 bytes, padded to 4; 40 need 5, padded to 8.
    checkCursor(testPattern(13, 7), 6, 3);
    checkCursor(testPattern(40, 9), 39, 8);
}

TEST(IconWriter, RejectsUnusableInput) {
    EXPECT_TRUE(vexlab::icons::encodeIco(QImage()).isEmpty());
    EXPECT_TRUE(vexlab::icons::encodeIco(QImage(257, 16, QImage::Format_ARGB32)).isEmpty());
    const QImage img = testPattern(32, 32);
    EXPECT_TRUE(vexlab::icons::encodeCur(img, 32, 0).isEmpty());
    EXPECT_TRUE(vexlab::icons::encodeCur(img, 0, 32).isEmpty());
    EXPECT_TRUE(vexlab::icons::encodeCur(img, -1, 5).isEmpty());
    EXPECT_FALSE(vexlab::icons::encodeCur(img, 31, 31).isEmpty());
}

}  // namespace
