// Files and texts a user may throw at the program: each gives a clear
// message or nothing at all, keeps the picture shown, and never crashes or
// hangs.
#include "ErrorBox.h"
#include "HostileFiles.h"
#include "UiTestSupport.h"

#include <QBuffer>
#include <QClipboard>
#include <QDropEvent>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QMimeData>
#include <QTemporaryDir>

#include <sys/stat.h>
#include <unistd.h>

// clang-format off
#include <cstdio>
#include <jpeglib.h>
#include <jerror.h>
// clang-format on

namespace {

QByteArray ImageBytes(const QImage &image, const char *format) {
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, format, 90);
    return bytes;
}
QByteArray JpegBytes(const QImage &image) {
    return ImageBytes(image, "JPG");
}

// The offset of a JPEG's first frame header's length field.
qsizetype FrameHeader(const QByteArray &jpeg) {
    for (qsizetype i = 2; i + 1 < jpeg.size(); ++i)
        if (static_cast<uchar>(jpeg[i]) == 0xFF &&
            (static_cast<uchar>(jpeg[i + 1]) & 0xF0) == 0xC0 &&
            static_cast<uchar>(jpeg[i + 1]) != 0xC4 && static_cast<uchar>(jpeg[i + 1]) != 0xC8 &&
            static_cast<uchar>(jpeg[i + 1]) != 0xCC)
            return i + 2;
    qFatal("no frame header");
}

QByteArray BitmapHeader(quint32 width, quint32 height) {
    QByteArray header(54, '\0');
    const auto put = [&](int at, quint32 v) {
        for (int i = 0; i < 4; ++i)
            header[at + i] = static_cast<char>((v >> (8 * i)) & 0xFF);
    };
    header[0] = 'B';
    header[1] = 'M';
    put(2, 54);
    put(10, 54);
    put(14, 40);
    put(18, width);
    put(22, height);
    header[26] = 1;
    header[28] = 24;
    return header;
}

} // namespace

class TestHostileInputs : public QObject {
    Q_OBJECT

  private:
    std::unique_ptr<WindowFixture> fixture;
    QTemporaryDir dir;
    QString shown; // the picture loaded before each attempt

    QString Write(const QString &name, const hostile::Bytes &bytes) {
        return Write(name, QByteArray(reinterpret_cast<const char *>(bytes.data()),
                                      static_cast<qsizetype>(bytes.size())));
    }
    QString Write(const QString &name, const QByteArray &bytes) {
        QFile file(dir.filePath(name));
        if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size())
            qFatal("cannot write %s", qPrintable(file.fileName()));
        return file.fileName();
    }
    // A drop arrives after the drag entered the window, as from a file manager.
    void Drop(const QUrl &url) {
        QMimeData mime;
        mime.setUrls({url});
        QDragEnterEvent enter(QPoint(5, 5), Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(Form2, &enter);
        QDropEvent drop(QPointF(5, 5), Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(Form2, &drop);
    }
    void Paste(const QString &text) {
        QGuiApplication::clipboard()->setText(text);
        Guard([] { Form2->PasteImage(); });
    }
    void CheckPictureKept(const char *what) {
        QVERIFY2(PathShown() == shown, what);
        QVERIFY2(PictureNow() == PatternImage(40, 30), what);
    }

  private slots:
    void initTestCase() {
        QLocale::setDefault(QLocale::c());
        QVERIFY(PatternImage(40, 30).save(dir.filePath("shown.bmp")));
        shown = dir.filePath("shown.bmp");
    }
    void init() {
        fixture = std::make_unique<WindowFixture>();
        Form2->LoadImage(shown);
    }
    void cleanup() { fixture.reset(); }
    void cleanupTestCase() {
        QFile::setPermissions(dir.filePath("locked.jpg"),
                              QFileDevice::ReadOwner | QFileDevice::WriteOwner);
    }

    void dropsAreRefusedWithAClearMessage_data() {
        QTest::addColumn<QString>("path");
        QTest::addColumn<QString>("message");
        const QByteArray jpeg = JpegBytes(PatternImage(64, 48));
        const QString jpegError = QStringLiteral("JPEG error #");

        QTest::newRow("truncated JPEG") << Write("truncated.jpg", jpeg.left(jpeg.size() / 2))
                                        << jpegError + QString::number(JWRN_JPEG_EOF) + ".";
        QByteArray corrupt = jpeg;
        corrupt[FrameHeader(jpeg)] = 0;
        corrupt[FrameHeader(jpeg) + 1] = 1;
        QTest::newRow("corrupt JPEG")
            << Write("corrupt.jpg", corrupt) << jpegError + QString::number(JERR_BAD_LENGTH) + ".";
        QByteArray huge = jpeg;
        const qsizetype sof = FrameHeader(jpeg);
        for (qsizetype at : {sof + 3, sof + 5}) { // height, then width: 60000 = 0xEA60
            huge[at] = static_cast<char>(0xEA);
            huge[at + 1] = static_cast<char>(0x60);
        }
        QTest::newRow("JPEG claiming 60000 x 60000")
            << Write("huge.jpg", huge) << QStringLiteral("60000 x 60000 pixels");
        QTest::newRow("bitmap claiming 100000 x 100000")
            << Write("huge.bmp", BitmapHeader(100000, 100000))
            << QStringLiteral("100000 x 100000 pixels");
        QTest::newRow("bitmap of garbage")
            << Write("garbage.bmp", QByteArray("BM") + QByteArray(300, '\x7f'))
            << QStringLiteral("Bitmap image is not valid.");
        QTest::newRow("zero-length JPEG") << Write("empty.jpg", QByteArray())
                                          << jpegError + QString::number(JERR_INPUT_EMPTY) + ".";
        QDir(dir.path()).mkdir(QStringLiteral("x.jpg"));
        QTest::newRow("directory named x.jpg")
            << dir.filePath("x.jpg") << "Cannot open file " + dir.filePath("x.jpg") + ".";
        const QString fifo = dir.filePath(QStringLiteral("pipe.jpg"));
        if (mkfifo(QFile::encodeName(fifo).constData(), 0600) != 0)
            qFatal("cannot make a named pipe");
        QTest::newRow("named pipe x.jpg") << fifo << "Cannot open file " + fifo + ".";
        const QString locked = Write("locked.jpg", jpeg);
        QFile::setPermissions(locked, QFileDevice::WriteOwner);
        QTest::newRow("unreadable file") << locked << "Cannot open file " + locked + ".";
        const QString psd = Write("picture.psd", jpeg);
        QTest::newRow("other extension")
            << psd
            << "Only JPEG (.jpg, .jpeg, .jpe, .jfif), PNG (.png), TIFF (.tif, .tiff), Windows "
               "bitmap (.bmp), GIF (.gif), WebP (.webp), SVG (.svg, .svgz) and PDF (.pdf) files "
               "are read, not " +
                   psd + ".";

        const QByteArray png = ImageBytes(PatternImage(64, 48), "PNG");
        const qsizetype idat = png.indexOf("IDAT");
        const QString cut = Write("cut.png", png.left(idat + 40));
        QTest::newRow("truncated PNG") << cut << "Cannot read " + cut + ": PNG error: ";
        QByteArray flipped = png;
        flipped[idat + 40] = static_cast<char>(flipped[idat + 40] ^ 0x10);
        const QString damaged = Write("damaged.png", flipped);
        QTest::newRow("PNG with a damaged byte")
            << damaged << "Cannot read " + damaged + ": PNG error: IDAT: CRC error.";
        const QString pngAsJpeg = Write("picture.jpg", png.left(idat + 40));
        QTest::newRow("truncated PNG named .jpg")
            << pngAsJpeg << "Cannot read " + pngAsJpeg + ": PNG error: ";
        const QString tiff = Write("garbage.tiff", QByteArray("II*\0\xff\xff\xff\x7f", 8));
        QTest::newRow("TIFF of garbage") << tiff << "Cannot read " + tiff + ": TIFF error: ";

        const auto tooLarge = [](const QString &path, const char *size) {
            return "Cannot read " + path + ": The picture is too large: " + size +
                   " pixels, more than 65535 pixels a side.";
        };
        const QString longRow = Write("long-row.png", hostile::Png(268435456, 1, 16, 0, {0, 0, 0}));
        QTest::newRow("PNG of 268435456 x 1 at 16 bits")
            << longRow << tooLarge(longRow, "268435456 x 1");
        const QString wide =
            Write("wide.png", hostile::Png(70000, 2, 8, 0, hostile::Bytes(140002)));
        QTest::newRow("PNG of 70000 x 2") << wide << tooLarge(wide, "70000 x 2");
        hostile::Tiff inflating; // 16384 x 16384 RGB at 16 bits, 1.5 GiB in one strip
        inflating.width = inflating.height = inflating.rowsPerStrip = 16384;
        inflating.samplesPerPixel = 3;
        inflating.bitsPerSample = 16;
        inflating.photometric = 2;
        inflating.compression = 8;
        inflating.strips = {hostile::Deflated(hostile::Bytes(4096))};
        const QString inflated = Write("inflating.tif", inflating.Write());
        QTest::newRow("TIFF whose strip inflates to 1.5 GiB")
            << inflated
            << "Cannot read " + inflated + ": TIFF error: a strip takes 1610612736 bytes";
        hostile::Tiff uncounted;
        uncounted.rowsPerStrip = 64;
        uncounted.strips = {hostile::Bytes(64 * 64, 9)};
        uncounted.byteCounts = {0};
        const QString zero = Write("zero-count.tif", uncounted.Write());
        QTest::newRow("TIFF whose strip byte count is 0")
            << zero << "Cannot read " + zero + ": TIFF error: Bogus \"StripByteCounts\" field.";
        const QString empty = Write("empty.bmp", QByteArray());
        QTest::newRow("empty bitmap")
            << empty << "Cannot read " + empty + ": Bitmap image is not valid.";
    }

    void dropsAreRefusedWithAClearMessage() {
        QFETCH(QString, path);
        QFETCH(QString, message);
        if (QString::fromLatin1(QTest::currentDataTag()) == QLatin1String("unreadable file") &&
            geteuid() == 0)
            QSKIP("root reads any file");
        const ErrorBoxSeen seen = CatchErrorBox([&] { Drop(QUrl::fromLocalFile(path)); });
        QVERIFY2(seen.shown, "no message");
        QVERIFY2(seen.text.contains(message), qPrintable(seen.text));
        CheckPictureKept(QTest::currentDataTag());
    }

    void longAndStrangePathsAreHandled() {
        // 1000 characters: a drop and a paste load it.
        QString deep = dir.path();
        while (deep.size() < 940)
            deep += QStringLiteral("/") + QString(40, QLatin1Char('d'));
        QVERIFY(QDir().mkpath(deep));
        const QString longPath = deep + QStringLiteral("/") +
                                 QString(1000 - deep.size() - 5, QLatin1Char('p')) +
                                 QStringLiteral(".bmp");
        QCOMPARE(longPath.size(), 1000);
        QVERIFY(PatternImage(7, 5).save(longPath, "BMP"));
        QVERIFY(!CatchErrorBox([&] { Drop(QUrl::fromLocalFile(longPath)); }).shown);
        QCOMPARE(PathShown(), longPath);
        QCOMPARE(PictureNow(), PatternImage(7, 5));
        Form2->LoadImage(shown);
        Paste(longPath);
        QCOMPARE(PathShown(), longPath);
        QCOMPARE(PictureNow(), PatternImage(7, 5));

        // Spaces are part of the name.
        Form2->LoadImage(shown);
        const QString spaced = dir.filePath(QStringLiteral("my  chart  1.bmp"));
        QVERIFY(PatternImage(9, 4).save(spaced, "BMP"));
        Drop(QUrl::fromLocalFile(spaced));
        QCOMPARE(PathShown(), spaced);

        // Bytes that are not UTF-8 cannot be named through Qt's file names:
        // nothing happens, and nothing breaks.
        Form2->LoadImage(shown);
        const QImage before = PictureNow();
        const QByteArray raw = QFile::encodeName(dir.path()) + "/bad \xff\xfe name.bmp";
        std::FILE *file = std::fopen(raw.constData(), "wb");
        QVERIFY(file != nullptr);
        const QByteArray bitmap = [] {
            QByteArray bytes;
            QBuffer buffer(&bytes);
            buffer.open(QIODevice::WriteOnly);
            PatternImage(3, 3).save(&buffer, "BMP");
            return bytes;
        }();
        std::fwrite(bitmap.constData(), 1, static_cast<std::size_t>(bitmap.size()), file);
        std::fclose(file);
        const ErrorBoxSeen seen = CatchErrorBox([&] {
            Drop(QUrl::fromEncoded("file://" +
                                   QUrl::toPercentEncoding(QString::fromUtf8(raw), "/")));
        });
        QVERIFY2(!seen.shown, qPrintable(seen.text));
        QCOMPARE(PathShown(), shown);
        QCOMPARE(PictureNow(), before);
        std::remove(raw.constData()); // Qt cannot name it to clean up

        // A megabyte of clipboard text names no file, in a message of a few lines.
        Form2->LoadImage(shown);
        Form2->MoveCrosshair(10, 10);
        const QImage marked = PictureNow();
        const ErrorBoxSeen megabyte =
            CatchErrorBox([&] { Paste(QString(1 << 20, QLatin1Char('x'))); });
        QVERIFY(megabyte.shown);
        QVERIFY2(megabyte.text.size() < 300, qPrintable(megabyte.text.left(300)));
        QCOMPARE(PathShown(), shown);
        QCOMPARE(PictureNow(), marked);
        QVERIFY2(CrossDrawn, "nothing was loaded, so the cross is still known");
    }

    void fieldsOfEveryKindGiveAValueOrAMessage_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("message");
        QTest::addColumn<QString>("readout");
        QTest::newRow("1e39") << "1e39"
                              << "Floating point overflow." << QString();
        QTest::newRow("lone minus") << "-"
                                    << "'-' is not a valid floating point value." << QString();
        QTest::newRow("15 digits") << "999999999999999" << QString() << "249999996747776.0 , 20.00";
        QTest::newRow("tab") << "\t"
                             << "'\t' is not a valid floating point value." << QString();
        QTest::newRow("empty") << ""
                               << "'' is not a valid floating point value." << QString();
        QTest::newRow("lone point") << "."
                                    << "'.' is not a valid floating point value." << QString();
        QTest::newRow("X Max as X Zero")
            << " 0 "
            << "X Zero and X Max are both 0: an axis needs two different values." << QString();
    }

    void fieldsOfEveryKindGiveAValueOrAMessage() {
        QFETCH(QString, text);
        QFETCH(QString, message);
        QFETCH(QString, readout);
        QWidget *image = Control<QWidget>(Form2, "Image1");
        QTest::mouseMove(image, QPoint(1, 1)); // the row before left the mouse at (25, 20)
        Control<QLineEdit>(Form1, "Edit2")->setText(text);
        const ErrorBoxSeen seen = CatchErrorBox([&] { QTest::mouseMove(image, QPoint(25, 20)); });
        QCOMPARE(seen.text, message);
        if (!readout.isEmpty())
            QCOMPARE(Control<QLabel>(Form1, "Label3")->text(), readout);
    }
};

QTEST_MAIN(TestHostileInputs)
#include "tst_hostileinputs.moc"
