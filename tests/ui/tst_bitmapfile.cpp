// Reading Windows bitmaps into a picture surface: every layout of the 8 x 4
// pattern in tests/data (made by scripts/make-test-pictures), headers that
// claim too many pixels, damaged and empty input, and copies of images in
// other formats.
#include "BitmapFile.h"
#include "TestPattern.h"
#include "digitize/Errors.h"
#include "digitize/picture/Surface.h"

#include <QBuffer>
#include <QFile>
#include <QImage>
#include <QTest>

#include <cstdint>
#include <functional>
#include <random>

namespace {

using digitize::Colour;
using digitize::Surface;

using testpattern::Rgb;
constexpr int PatternWidth = testpattern::Width;
constexpr int PatternHeight = testpattern::Height;
const auto &Pattern = testpattern::Rows;

Colour Shown(char name) {
    const Colour c = testpattern::Colour(name);
    if (c == digitize::OutsideColour)
        qFatal("no colour '%c' in the pattern", name);
    return c;
}

// The 1-bit file keeps the black pixels and whitens the rest.
char Mono(char name) {
    return name == 'K' ? 'K' : 'W';
}

QString Hex(std::uint32_t value) {
    return QStringLiteral("0x%1").arg(value, 8, 16, QLatin1Char('0'));
}

// Empty when every pixel holds the pattern's colour; else the first few
// differences. The buffer's words must be opaque 0xFFRRGGBB.
QString PatternDifferences(const Surface &surface, bool mono) {
    if (surface.Width() != PatternWidth || surface.Height() != PatternHeight)
        return QStringLiteral("size %1 x %2, expected 8 x 4")
            .arg(surface.Width())
            .arg(surface.Height());
    QStringList differences;
    for (int y = 0; y < PatternHeight; ++y)
        for (int x = 0; x < PatternWidth; ++x) {
            const char name = mono ? Mono(Pattern[y][x]) : Pattern[y][x];
            const std::uint32_t want = digitize::WordFromColour(Shown(name));
            const std::uint32_t got = surface.Row(y)[x];
            if (got != want)
                differences << QStringLiteral("(%1, %2) '%3': %4, expected %5")
                                   .arg(x)
                                   .arg(y)
                                   .arg(QLatin1Char(name))
                                   .arg(Hex(got), Hex(want));
        }
    if (differences.size() > 4)
        differences = differences.mid(0, 4)
                      << QStringLiteral("... %1 in all").arg(differences.size());
    return differences.join(QLatin1String("; "));
}

// The differences of a surface made by `read`, or the error it threw.
QString DifferencesOf(const std::function<Surface()> &read, bool mono) {
    try {
        return PatternDifferences(read(), mono);
    } catch (const digitize::Error &error) {
        return QStringLiteral("threw \"%1\"").arg(QString::fromStdString(error.what()));
    }
}

QByteArray FileBytes(const QString &name) {
    QFile file(QStringLiteral(TEST_DATA_DIR "/") + name);
    if (!file.open(QIODevice::ReadOnly))
        qFatal("cannot open %s", qPrintable(file.fileName()));
    return file.readAll();
}

// The message of the Error the action throws, or a note that it threw none.
QString ErrorFrom(const std::function<void()> &action) {
    try {
        action();
    } catch (const digitize::Error &error) {
        return QString::fromStdString(error.what());
    }
    return QStringLiteral("(no error)");
}

QString ErrorReading(const QByteArray &bytes) {
    return ErrorFrom([&] {
        QBuffer buffer;
        buffer.setData(bytes);
        buffer.open(QIODevice::ReadOnly);
        ReadBitmap(buffer);
    });
}

void PutLittle(QByteArray &bytes, qsizetype at, std::uint32_t value, int size) {
    for (int i = 0; i < size; ++i)
        bytes[at + i] = static_cast<char>((value >> (8 * i)) & 0xFFu);
}

// A bitmap's headers (and palette) with a few bytes of pixels: a 40-byte
// info header, or the 12-byte OS/2 one with 16-bit sizes.
QByteArray BitmapHeader(int headerSize, std::int32_t width, std::int32_t height, int bits,
                        int compression) {
    const int colours = bits <= 8 ? 1 << bits : 0;
    const int paletteEntry = headerSize == 12 ? 3 : 4;
    const int offset = 14 + headerSize + colours * paletteEntry;
    QByteArray bytes(offset + 64, '\0');
    bytes[0] = 'B';
    bytes[1] = 'M';
    PutLittle(bytes, 2, static_cast<std::uint32_t>(bytes.size()), 4);
    PutLittle(bytes, 10, static_cast<std::uint32_t>(offset), 4);
    PutLittle(bytes, 14, static_cast<std::uint32_t>(headerSize), 4);
    if (headerSize == 12) {
        PutLittle(bytes, 18, static_cast<std::uint32_t>(width), 2);
        PutLittle(bytes, 20, static_cast<std::uint32_t>(height), 2);
        PutLittle(bytes, 22, 1, 2);
        PutLittle(bytes, 24, static_cast<std::uint32_t>(bits), 2);
    } else {
        PutLittle(bytes, 18, static_cast<std::uint32_t>(width), 4);
        PutLittle(bytes, 22, static_cast<std::uint32_t>(height), 4);
        PutLittle(bytes, 26, 1, 2);
        PutLittle(bytes, 28, static_cast<std::uint32_t>(bits), 2);
        PutLittle(bytes, 30, static_cast<std::uint32_t>(compression), 4);
    }
    return bytes;
}

// The pattern as a 32-bit image.
QImage PatternImage(bool mono = false) {
    QImage image(PatternWidth, PatternHeight, QImage::Format_RGB32);
    for (int y = 0; y < PatternHeight; ++y)
        for (int x = 0; x < PatternWidth; ++x) {
            const Colour c = Shown(mono ? Mono(Pattern[y][x]) : Pattern[y][x]);
            image.setPixel(x, y, qRgb(c & 0xFF, (c >> 8) & 0xFF, (c >> 16) & 0xFF));
        }
    return image;
}

} // namespace

class TestBitmapFile : public QObject {
    Q_OBJECT

  private slots:
    void readsEachKindOfBitmapAsThePattern_data() {
        QTest::addColumn<QString>("file");
        QTest::addColumn<bool>("mono");
        QTest::newRow("1-bit") << QStringLiteral("pattern-1bit.bmp") << true;
        QTest::newRow("4-bit") << QStringLiteral("pattern-4bit.bmp") << false;
        QTest::newRow("8-bit") << QStringLiteral("pattern-8bit.bmp") << false;
        QTest::newRow("8-bit run-length") << QStringLiteral("pattern-rle8.bmp") << false;
        QTest::newRow("4-bit run-length") << QStringLiteral("pattern-rle4.bmp") << false;
        QTest::newRow("24-bit bottom-up") << QStringLiteral("pattern-24bit.bmp") << false;
        QTest::newRow("24-bit top-down") << QStringLiteral("pattern-24bit-topdown.bmp") << false;
        QTest::newRow("32-bit") << QStringLiteral("pattern-32bit.bmp") << false;
    }

    void readsEachKindOfBitmapAsThePattern() {
        QFETCH(QString, file);
        QFETCH(bool, mono);
        QFile onDisk(QStringLiteral(TEST_DATA_DIR "/") + file);
        QVERIFY2(onDisk.open(QIODevice::ReadOnly), qPrintable(onDisk.fileName()));
        const QString fromFile = DifferencesOf([&] { return ReadBitmap(onDisk); }, mono);
        QVERIFY2(fromFile.isEmpty(), qPrintable(QStringLiteral("from the file: ") + fromFile));

        QBuffer inMemory;
        inMemory.setData(FileBytes(file));
        QVERIFY(inMemory.open(QIODevice::ReadOnly));
        const QString fromMemory = DifferencesOf([&] { return ReadBitmap(inMemory); }, mono);
        QVERIFY2(fromMemory.isEmpty(), qPrintable(QStringLiteral("from memory: ") + fromMemory));
    }

    // Every pixel is there; only the closing codes are not.
    void readsRunLengthDataEndingAfterTheLastPixel_data() {
        QTest::addColumn<QByteArray>("bytes");
        const QByteArray rle8 = FileBytes(QStringLiteral("pattern-rle8.bmp"));
        const QByteArray rle4 = FileBytes(QStringLiteral("pattern-rle4.bmp"));
        QTest::newRow("8-bit without end of bitmap") << rle8.left(rle8.size() - 2);
        QTest::newRow("8-bit without the last end of line and end of bitmap")
            << rle8.left(rle8.size() - 4);
        QTest::newRow("4-bit without end of bitmap, an absolute run last")
            << rle4.left(rle4.size() - 2);
    }

    void readsRunLengthDataEndingAfterTheLastPixel() {
        QFETCH(QByteArray, bytes);
        QBuffer buffer(&bytes);
        QVERIFY(buffer.open(QIODevice::ReadOnly));
        const QString differences = DifferencesOf([&] { return ReadBitmap(buffer); }, false);
        QVERIFY2(differences.isEmpty(), qPrintable(differences));
    }

    void refusesAHeaderClaimingTooManyPixelsNamingItsSize_data() {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QString>("size");
        QTest::newRow("24-bit 100000 x 100000")
            << BitmapHeader(40, 100000, 100000, 24, 0) << QStringLiteral("100000 x 100000 pixels");
        QTest::newRow("24-bit top-down 100000 x 100000")
            << BitmapHeader(40, 100000, -100000, 24, 0) << QStringLiteral("100000 x 100000 pixels");
        QTest::newRow("8-bit 100000 x 100000")
            << BitmapHeader(40, 100000, 100000, 8, 0) << QStringLiteral("100000 x 100000 pixels");
        QTest::newRow("8-bit run-length 100000 x 100000")
            << BitmapHeader(40, 100000, 100000, 8, 1) << QStringLiteral("100000 x 100000 pixels");
        QTest::newRow("1-bit 100000 x 3000")
            << BitmapHeader(40, 100000, 3000, 1, 0) << QStringLiteral("100000 x 3000 pixels");
        QTest::newRow("32-bit 3000 x 100000")
            << BitmapHeader(40, 3000, 100000, 32, 0) << QStringLiteral("3000 x 100000 pixels");
        QTest::newRow("one row more than the most held, 16384 x 16385")
            << BitmapHeader(40, 16384, 16385, 24, 0) << QStringLiteral("16384 x 16385 pixels");
        QTest::newRow("OS/2 header 20000 x 20000")
            << BitmapHeader(12, 20000, 20000, 24, 0) << QStringLiteral("20000 x 20000 pixels");
    }

    void refusesAHeaderClaimingTooManyPixelsNamingItsSize() {
        QFETCH(QByteArray, bytes);
        QFETCH(QString, size);
        const QString message = ErrorReading(bytes);
        QVERIFY2(message.contains(size), qPrintable(message));
    }

    void refusesDamagedDataAsNotValid_data() {
        QTest::addColumn<QByteArray>("bytes");
        std::minstd_rand random(3);
        QByteArray garbage(300, '\0');
        for (auto &byte : garbage)
            byte = static_cast<char>(random() & 0xFF);
        const QByteArray bits24 = FileBytes(QStringLiteral("pattern-24bit.bmp"));
        const QByteArray bits8 = FileBytes(QStringLiteral("pattern-8bit.bmp"));
        const QByteArray bits4 = FileBytes(QStringLiteral("pattern-4bit.bmp"));
        const QByteArray bits1 = FileBytes(QStringLiteral("pattern-1bit.bmp"));
        const QByteArray bits32 = FileBytes(QStringLiteral("pattern-32bit.bmp"));
        const QByteArray rle8 = FileBytes(QStringLiteral("pattern-rle8.bmp"));
        const QByteArray rle4 = FileBytes(QStringLiteral("pattern-rle4.bmp"));
        QTest::newRow("no bytes") << QByteArray();
        QTest::newRow("random bytes") << garbage;
        QTest::newRow("BM and random bytes") << QByteArray("BM") + garbage;
        QTest::newRow("a JPEG file") << FileBytes(QStringLiteral("pattern-blocks.jpg"));
        QTest::newRow("only the two signature bytes") << bits24.left(2);
        QTest::newRow("only the file header") << bits24.left(14);
        QTest::newRow("cut inside the info header") << bits24.left(30);
        QTest::newRow("headers without pixels") << bits24.left(54);
        QTest::newRow("24-bit, half its rows") << bits24.left(54 + 2 * 24);
        QTest::newRow("24-bit, last byte missing") << bits24.left(bits24.size() - 1);
        QTest::newRow("32-bit, last row missing") << bits32.left(bits32.size() - 32);
        QTest::newRow("8-bit, cut inside the palette") << bits8.left(54 + 100);
        QTest::newRow("8-bit, last row missing") << bits8.left(bits8.size() - 8);
        QTest::newRow("4-bit, last row missing") << bits4.left(bits4.size() - 4);
        QTest::newRow("1-bit, last row missing") << bits1.left(bits1.size() - 4);
        // The last six bytes: the top row's last run, end of line, end of bitmap.
        QTest::newRow("8-bit run-length, last run missing") << rle8.left(rle8.size() - 6);
        QTest::newRow("8-bit run-length, half its data")
            << rle8.left((rle8.size() + 54 + 1024) / 2);
        // The last four bytes: the end of an absolute run and end of bitmap.
        QTest::newRow("4-bit run-length, last run cut") << rle4.left(rle4.size() - 4);
        QTest::newRow("4-bit run-length, half its data") << rle4.left((rle4.size() + 118) / 2);
    }

    void refusesDamagedDataAsNotValid() {
        QFETCH(QByteArray, bytes);
        QCOMPARE(ErrorReading(bytes), QStringLiteral("Bitmap image is not valid"));
    }

    void copiesImagesOfOtherFormatsWithTheirColours_data() {
        QTest::addColumn<QImage>("image");
        QTest::addColumn<bool>("mono");
        const QImage rgb = PatternImage();
        QTest::newRow("RGB32") << rgb << false;
        QTest::newRow("ARGB32") << rgb.convertToFormat(QImage::Format_ARGB32) << false;
        QTest::newRow("ARGB32 premultiplied")
            << rgb.convertToFormat(QImage::Format_ARGB32_Premultiplied) << false;
        QTest::newRow("RGB888") << rgb.convertToFormat(QImage::Format_RGB888) << false;
        QTest::newRow("BGR888") << rgb.convertToFormat(QImage::Format_BGR888) << false;
        QTest::newRow("RGBA8888") << rgb.convertToFormat(QImage::Format_RGBA8888) << false;
        QTest::newRow("RGBA64") << rgb.convertToFormat(QImage::Format_RGBA64) << false;

        // A colour table in an order of its own, indices set by hand.
        const QString names = QStringLiteral("OgMCYKWBGR");
        QImage indexed(PatternWidth, PatternHeight, QImage::Format_Indexed8);
        QList<QRgb> table;
        for (const QChar name : names) {
            const Colour c = Shown(name.toLatin1());
            table << qRgb(c & 0xFF, (c >> 8) & 0xFF, (c >> 16) & 0xFF);
        }
        indexed.setColorTable(table);
        for (int y = 0; y < PatternHeight; ++y)
            for (int x = 0; x < PatternWidth; ++x)
                indexed.setPixel(x, y,
                                 static_cast<uint>(names.indexOf(QLatin1Char(Pattern[y][x]))));
        QTest::newRow("Indexed8") << indexed << false;

        // Index 0 white, 1 black: the opposite of the usual order.
        QImage mono(PatternWidth, PatternHeight, QImage::Format_Mono);
        mono.setColorTable({qRgb(255, 255, 255), qRgb(0, 0, 0)});
        for (int y = 0; y < PatternHeight; ++y)
            for (int x = 0; x < PatternWidth; ++x)
                mono.setPixel(x, y, Pattern[y][x] == 'K' ? 1 : 0);
        QTest::newRow("Mono") << mono << true;
    }

    void copiesImagesOfOtherFormatsWithTheirColours() {
        QFETCH(QImage, image);
        QFETCH(bool, mono);
        const QString differences = DifferencesOf([&] { return SurfaceFromImage(image); }, mono);
        QVERIFY2(differences.isEmpty(), qPrintable(differences));
    }

    void copiesANullImageAsAnEmptyPicture() {
        const Surface empty = SurfaceFromImage(QImage());
        QCOMPARE(empty.Width(), 0);
        QCOMPARE(empty.Height(), 0);
    }
};

QTEST_MAIN(TestBitmapFile)
#include "tst_bitmapfile.moc"
