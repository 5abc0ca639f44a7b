// The pictures that ship in the program folder, and the writers that make
// them: what a reader of those files relies on, not how they are encoded.
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QImage>
#include <QImageReader>
#include <QTemporaryDir>
#include <algorithm>
#include <cstdlib>
#include <memory>

#include "picture_files.h"

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

QString programFile(const char* name) {
    return QDir(QStringLiteral(VEXLAB_PROGRAM_DIR)).filePath(QLatin1String(name));
}

int le16(const QByteArray& d, qsizetype at) {
    return static_cast<unsigned char>(d[at]) | (static_cast<unsigned char>(d[at + 1]) << 8);
}

QByteArray fileBytes(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

// --- Shipped pictures ---------------------------------------------------------

struct Shipped {
    const char* name;
    const char* format;  // as Qt's reader names it: cursors come under "ico"
    int width;
    int height;
};

constexpr Shipped kShipped[] = {
    {"simulator-logo.gif", "gif", 240, 80},
    {"tolvane-fig.gif", "gif", 640, 420},
    {"router.ico", "ico", 32, 32},
    {"switch.ico", "ico", 32, 32},
    {"Pc04.ico", "ico", 32, 32},
    {"serial.ico", "ico", 32, 32},
    {"Pen03.ico", "ico", 32, 32},
    {"labs.ico", "ico", 32, 32},
    {"Wait05.cur", "ico", 32, 32},
    {"Cross03.cur", "ico", 32, 32},
};

TEST(ShippedPictures, EachLoadsWithItsSize) {
    for (const Shipped& s : kShipped) {
        SCOPED_TRACE(s.name);
        QImageReader reader(programFile(s.name));
        EXPECT_EQ(reader.format(), QByteArray(s.format));
        const QImage image = reader.read();
        ASSERT_FALSE(image.isNull()) << reader.errorString().toStdString();
        EXPECT_EQ(image.size(), QSize(s.width, s.height));
    }
}

TEST(ShippedPictures, GifBackgroundsStayWhite) {
    // The logo sits on a white page; an off-white palette entry would show
    // as a grey box around it.
    for (const char* name : {"simulator-logo.gif", "tolvane-fig.gif"}) {
        SCOPED_TRACE(name);
        const QImage image(programFile(name));
        ASSERT_FALSE(image.isNull());
        EXPECT_EQ(image.pixel(0, 0), qRgb(255, 255, 255));
        EXPECT_EQ(image.pixel(image.width() - 1, image.height() - 1), qRgb(255, 255, 255));
    }
}

TEST(ShippedPictures, IconsAndCursorsHaveClearBackgrounds) {
    for (const Shipped& s : kShipped) {
        if (QByteArray(s.name).endsWith(".gif")) continue;
        SCOPED_TRACE(s.name);
        const QImage image = QImage(programFile(s.name)).convertToFormat(QImage::Format_ARGB32);
        ASSERT_FALSE(image.isNull());
        EXPECT_EQ(qAlpha(image.pixel(0, 0)), 0);
        int opaque = 0;
        for (int y = 0; y < image.height(); ++y)
            for (int x = 0; x < image.width(); ++x) opaque += qAlpha(image.pixel(x, y)) == 255;
        EXPECT_GT(opaque, 30) << "nothing drawn";
    }
}

TEST(ShippedPictures, CursorsPointWithTheirHotSpots) {
    struct Cursor {
        const char* name;
        int hotX;
        int hotY;
    };
    for (const Cursor c : {Cursor{"Wait05.cur", 16, 16}, Cursor{"Cross03.cur", 16, 16}}) {
        SCOPED_TRACE(c.name);
        const QByteArray bytes = fileBytes(programFile(c.name));
        ASSERT_GE(bytes.size(), 22);
        EXPECT_EQ(le16(bytes, 2), 2) << "stored as a cursor, not an icon";
        EXPECT_EQ(le16(bytes, 10), c.hotX);
        EXPECT_EQ(le16(bytes, 12), c.hotY);
        // The spot that clicks is on the drawing, not on the clear background.
        const QImage image = QImage(programFile(c.name)).convertToFormat(QImage::Format_ARGB32);
        EXPECT_EQ(qAlpha(image.pixel(c.hotX, c.hotY)), 255);
    }
}

// --- Writers ------------------------------------------------------------------

class PictureWriter : public ::testing::Test {
protected:
    QString path(const char* name) const { return QDir(dir.path()).filePath(QLatin1String(name)); }
    QTemporaryDir dir;
};

TEST_F(PictureWriter, GifKeepsFlatColoursAndApproximatesGradients) {
    QImage flat(50, 30, QImage::Format_RGB32);
    flat.fill(Qt::white);
    for (int y = 5; y < 25; ++y)
        for (int x = 0; x < 50; ++x)
            flat.setPixel(x, y, x < 25 ? qRgb(0, 51, 153) : qRgb(204, 0, 0));
    ASSERT_TRUE(vexlab::pictures::writeGif(flat, path("flat.gif")));
    EXPECT_EQ(QImage(path("flat.gif")).convertToFormat(QImage::Format_RGB32), flat);

    // More colours than a palette holds: each comes back close.
    QImage ramp(256, 64, QImage::Format_RGB32);
    for (int y = 0; y < ramp.height(); ++y)
        for (int x = 0; x < ramp.width(); ++x) ramp.setPixel(x, y, qRgb(x, y * 4, 255 - x));
    ASSERT_TRUE(vexlab::pictures::writeGif(ramp, path("ramp.gif")));
    const QImage back = QImage(path("ramp.gif")).convertToFormat(QImage::Format_RGB32);
    ASSERT_EQ(back.size(), ramp.size());
    int worst = 0;
    long total = 0;
    for (int y = 0; y < ramp.height(); ++y)
        for (int x = 0; x < ramp.width(); ++x) {
            const QRgb a = back.pixel(x, y);
            const QRgb b = ramp.pixel(x, y);
            const int off = std::max({std::abs(qRed(a) - qRed(b)), std::abs(qGreen(a) - qGreen(b)),
                                      std::abs(qBlue(a) - qBlue(b))});
            worst = std::max(worst, off);
            total += off;
        }
    EXPECT_LE(worst, 40);
    EXPECT_LE(total / (ramp.width() * ramp.height()), 16);
}

TEST_F(PictureWriter, TransparencyIsBlendedOverWhiteInGifs) {
    QImage image(4, 4, QImage::Format_ARGB32);
    image.fill(Qt::transparent);
    ASSERT_TRUE(vexlab::pictures::writeGif(image, path("clear.gif")));
    EXPECT_EQ(QImage(path("clear.gif")).pixel(2, 2), qRgb(255, 255, 255));
}

TEST_F(PictureWriter, CursorWithOddWidthReadsBackWithItsMaskAndHotSpot) {
    // 13 pixels of mask need two bytes a row, padded to four.
    QImage image(13, 7, QImage::Format_ARGB32);
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            image.setPixel(x, y, (x + y) % 3 == 0 ? qRgba(0, 0, 0, 0) : qRgb(x * 19, y * 30, 90));
    ASSERT_TRUE(vexlab::pictures::writeCur(image, 12, 6, path("odd.cur")));
    const QByteArray bytes = fileBytes(path("odd.cur"));
    EXPECT_EQ(le16(bytes, 10), 12);
    EXPECT_EQ(le16(bytes, 12), 6);
    const QImage back = QImage(path("odd.cur")).convertToFormat(QImage::Format_ARGB32);
    ASSERT_EQ(back.size(), image.size());
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x) {
            SCOPED_TRACE(testing::Message() << "pixel " << x << "," << y);
            if (qAlpha(image.pixel(x, y)) == 0)
                EXPECT_EQ(qAlpha(back.pixel(x, y)), 0);
            else
                EXPECT_EQ(back.pixel(x, y), image.pixel(x, y));
        }
}

TEST_F(PictureWriter, IconsReadBackWithTheirAlpha) {
    QImage image(32, 32, QImage::Format_ARGB32);
    image.fill(Qt::transparent);
    for (int x = 4; x < 28; ++x) image.setPixel(x, 16, qRgb(0, 51, 153));
    ASSERT_TRUE(vexlab::pictures::writeIco(image, path("line.ico")));
    EXPECT_EQ(QImage(path("line.ico")).convertToFormat(QImage::Format_ARGB32), image);
}

TEST_F(PictureWriter, RefusesWhatItCannotWriteAndLeavesNoFile) {
    const QImage image(8, 8, QImage::Format_ARGB32);
    EXPECT_FALSE(vexlab::pictures::writeCur(image, 8, 0, path("a.cur")));
    EXPECT_FALSE(vexlab::pictures::writeCur(image, 0, -1, path("b.cur")));
    EXPECT_FALSE(vexlab::pictures::writeIco(QImage(257, 4, QImage::Format_ARGB32), path("c.ico")));
    EXPECT_FALSE(vexlab::pictures::writeGif(QImage(), path("d.gif")));
    EXPECT_FALSE(vexlab::pictures::writeGif(image, path("missing/e.gif")));
    EXPECT_TRUE(QDir(dir.path()).entryList(QDir::Files).isEmpty());
}

}  // namespace
