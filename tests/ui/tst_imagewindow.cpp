// The image window's pictures and crosshair: loading by drop and paste, the
// exclusive-or cross and box, and what a failed load leaves alone.
#include "ErrorBox.h"
#include "UiTestSupport.h"

#include <QClipboard>
#include <QDropEvent>
#include <QFile>
#include <QLabel>
#include <QMimeData>
#include <QPaintEvent>
#include <QPainter>
#include <QTemporaryDir>

#include <algorithm>

namespace {

QList<QPoint> Symmetric(QList<QPoint> a, QList<QPoint> b) {
    const auto order = [](QPoint p, QPoint q) {
        return std::pair(p.y(), p.x()) < std::pair(q.y(), q.x());
    };
    std::sort(a.begin(), a.end(), order);
    std::sort(b.begin(), b.end(), order);
    QList<QPoint> out;
    std::set_symmetric_difference(a.begin(), a.end(), b.begin(), b.end(), std::back_inserter(out),
                                  order);
    return out;
}

// Sums the area of every paint the picture area receives.
class PaintCounter : public QObject {
  public:
    explicit PaintCounter(QWidget *area) { area->installEventFilter(this); }
    qint64 pixels = 0;

  protected:
    bool eventFilter(QObject *, QEvent *event) override {
        if (event->type() == QEvent::Paint)
            for (const QRect &r : static_cast<QPaintEvent *>(event)->region())
                pixels += qint64{r.width()} * r.height();
        return false;
    }
};

} // namespace

class TestImageWindow : public QObject {
    Q_OBJECT

  private:
    std::unique_ptr<WindowFixture> fixture;
    std::unique_ptr<QTemporaryDir> dir;

    QString Save(const QImage &image, const QString &name, const char *format) {
        const QString path = dir->filePath(name);
        if (!image.save(path, format, 95))
            qFatal("cannot write %s", qPrintable(path));
        return path;
    }
    QString PatternBitmap(const QString &name, int w, int h) {
        return Save(PatternImage(w, h), name, "BMP");
    }
    QWidget *Image1() { return Control<QWidget>(Form2, "Image1"); }

    void Drop(const QList<QUrl> &urls) {
        QMimeData mime;
        mime.setUrls(urls);
        QDragEnterEvent enter(QPoint(5, 5), Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(Form2, &enter);
        QVERIFY2(enter.isAccepted(), "the image window takes dropped files");
        QDropEvent drop(QPointF(5, 5), Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(Form2, &drop);
    }

  private slots:
    void initTestCase() { QLocale::setDefault(QLocale::c()); }
    void init() {
        fixture = std::make_unique<WindowFixture>();
        dir = std::make_unique<QTemporaryDir>();
    }
    void cleanup() {
        fixture.reset();
        dir.reset();
    }

    void theBlankAreaBecomesAWhitePictureAtFirstUse() {
        const QImage blank = PictureNow();
        QCOMPARE(blank.size(), QSize(650, 550));
        QCOMPARE(blank.pixel(0, 0), qRgb(255, 255, 255));
        QCOMPARE(blank.pixel(649, 549), qRgb(255, 255, 255));
    }

    void aFileNamedOnTheCommandLineOpensOnceTheWindowsShow() {
        const QString path = PatternBitmap(QStringLiteral("start.bmp"), 30, 20);
        fixture->Windows().OpenAtStart(path);
        QCOMPARE(Form2->windowTitle(), QStringLiteral("Plotwise")); // not before the loop runs
        QTRY_COMPARE(PathShown(), path);
        QCOMPARE(PictureNow(), PatternImage(30, 20));
        // A file that is not there is reported, and the picture stays.
        const QString missing = dir->filePath(QStringLiteral("gone.png"));
        const ErrorBoxSeen seen = CatchErrorBox([&] {
            fixture->Windows().OpenAtStart(missing);
            QTest::qWait(50);
        });
        QCOMPARE(seen.text, QStringLiteral("Cannot open file ") + missing + QLatin1Char('.'));
        QCOMPARE(PathShown(), path);
    }

    void dropLoadsTheFirstFileOnly() {
        const QString a = PatternBitmap(QStringLiteral("a.bmp"), 40, 30);
        const QString b = Save(PatternImage(50, 60), QStringLiteral("b.jpg"), "JPG");
        const QString c = PatternBitmap(QStringLiteral("c.bmp"), 70, 80);
        Drop({QUrl::fromLocalFile(a), QUrl::fromLocalFile(b), QUrl::fromLocalFile(c)});
        QCOMPARE(PathShown(), a);
        QCOMPARE(PictureNow(), PatternImage(40, 30));
        QCOMPARE(Image1()->size(), QSize(40, 30));
    }

    void pasteTakesAPathAFileUrlOrAPicture() {
        const QString path = PatternBitmap(QStringLiteral("my chart.bmp"), 33, 22);
        QGuiApplication::clipboard()->setText(path);
        Form2->PasteImage();
        QCOMPARE(PathShown(), path);
        QCOMPARE(PictureNow().size(), QSize(33, 22));

        const QString jpeg = Save(PatternImage(64, 48), QStringLiteral("ch art.jpg"), "JPG");
        QGuiApplication::clipboard()->setText(
            QUrl::fromLocalFile(jpeg).toString(QUrl::FullyEncoded) + QStringLiteral("\r\n"));
        Form2->PasteImage();
        QCOMPARE(PathShown(), jpeg);
        QCOMPARE(PictureNow().size(), QSize(64, 48));

        auto *urls = new QMimeData; // the clipboard owns it
        urls->setUrls({QUrl::fromLocalFile(path)});
        QGuiApplication::clipboard()->setMimeData(urls);
        Form2->PasteImage();
        QCOMPARE(PathShown(), path);

        QGuiApplication::clipboard()->setImage(PatternImage(21, 12));
        Form2->PasteImage();
        QCOMPARE(Form2->windowTitle(), QStringLiteral("Image.bmp"));
        QCOMPARE(PictureNow(), PatternImage(21, 12));
        QCOMPARE(Image1()->size(), QSize(21, 12));
    }

    void picturesLoadByExtensionOrByContent_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("format");
        QTest::newRow("JPEG as .Jpg") << "chart.Jpg"
                                      << "JPG";
        QTest::newRow("JPEG as .jpeg") << "chart.jpeg"
                                       << "JPG";
        QTest::newRow("JPEG as .JPE") << "chart.JPE"
                                      << "JPG";
        QTest::newRow("JPEG as .jfif") << "chart.jfif"
                                       << "JPG";
        QTest::newRow("PNG as .PNG") << "chart.PNG"
                                     << "PNG";
        QTest::newRow("PNG as .jpg") << "png.jpg"
                                     << "PNG";
        QTest::newRow("JPEG as .png") << "jpeg.png"
                                      << "JPG";
        QTest::newRow("bitmap as .tif") << "bmp.tif"
                                        << "BMP";
    }
    void picturesLoadByExtensionOrByContent() {
        QFETCH(QString, name);
        QFETCH(QString, format);
        const QImage pattern = PatternImage(120, 90);
        const QString path = Save(pattern, name, qPrintable(format));
        Form2->LoadImage(path);
        QCOMPARE(PathShown(), path);
        QCOMPARE(PictureNow().size(), QSize(120, 90));
        if (format != QLatin1String("JPG")) {
            QCOMPARE(PictureNow(), pattern.convertToFormat(QImage::Format_RGB32));
            return;
        }
        // A JPEG shows the colours it was saved with, within the compression's error.
        const QRgb got = PictureNow().pixel(60, 45);
        const QRgb want = pattern.pixel(60, 45);
        QVERIFY2(qAbs(qRed(got) - qRed(want)) < 40 && qAbs(qBlue(got) - qBlue(want)) < 40,
                 "decoded colour far from the saved one");
    }

    void repeatedMovesLeaveExactlyOneCross() {
        Form2->LoadImage(PatternBitmap(QStringLiteral("p.bmp"), 200, 150));
        const QImage before = PictureNow();
        Form2->MoveCrosshair(10, 10);
        Form2->MoveCrosshair(10, 10);
        Form2->MoveCrosshair(20, 30);
        QCOMPARE(Differences(before, PictureNow()), CrossPixels(20, 30, 200, 150));
        // The centre keeps the picture's colour under the cross.
        QCOMPARE(PictureNow().pixel(20, 30), before.pixel(20, 30));
        // Fractions are kept; drawing rounds halves to even.
        Form2->MoveCrosshair(10.5F, 20.5F);
        QCOMPARE(Differences(before, PictureNow()), CrossPixels(10, 20, 200, 150));
        Form2->MoveCrosshair(11.5F, 21.5F);
        QCOMPARE(Differences(before, PictureNow()), CrossPixels(12, 22, 200, 150));
        QCOMPARE(CurX, 11.5F);
        // A crosshair outside the picture draws only what falls inside.
        Form2->MoveCrosshair(-10, 40);
        QCOMPARE(Differences(before, PictureNow()), CrossPixels(-10, 40, 200, 150));
    }

    void anyMouseButtonPlacesTheCrosshair() {
        QTest::mouseClick(Image1(), Qt::RightButton, Qt::NoModifier, QPoint(30, 40));
        QCOMPARE(CurX, 30.0F);
        QCOMPARE(CurY, 40.0F);
        QCOMPARE(Control<QLabel>(Form1, "Label3")->text(), QStringLiteral("30.0 , 40.00"));
        QTest::mouseClick(Image1(), Qt::LeftButton, Qt::ShiftModifier, QPoint(31, 41));
        QCOMPARE(CurX, 31.0F);
        QTest::mouseClick(Image1(), Qt::MiddleButton, Qt::NoModifier, QPoint(2, 3));
        QCOMPARE(CurY, 3.0F);
    }

    void aMoveRepaintsOnlyTheMarks() {
        Form2->LoadImage(PatternBitmap(QStringLiteral("big.bmp"), 600, 500));
        Form2->MoveCrosshair(100, 100);
        BoxShown = true;
        Form2->MoveCrosshair(200, 200);
        QTest::qWait(50);
        PaintCounter counter(Image1());
        Form2->MoveCrosshair(210, 205);
        QTRY_VERIFY(counter.pixels > 0);
        const qint64 marks = 2 * (600 + 500) + 4 * 4 * 31;
        QVERIFY2(counter.pixels <= marks,
                 qPrintable(QStringLiteral("repainted %1 pixels").arg(counter.pixels)));
    }

    // A load that replaced nothing keeps the marks known, so the next move erases them.
    void aFailedLoadOrPasteKeepsTheMarks() {
        const QString good = PatternBitmap(QStringLiteral("good.bmp"), 120, 100);
        Form2->LoadImage(good);
        const QImage before = PictureNow();
        QFile corrupt(dir->filePath(QStringLiteral("bad.jpg")));
        QVERIFY(corrupt.open(QIODevice::WriteOnly));
        corrupt.write("\xFF\xD8\xFF\xE0 not really a JPEG at all");
        corrupt.close();
        QVERIFY(QDir(dir->path()).mkdir(QStringLiteral("folder.jpg")));
        const QString other = PatternBitmap(QStringLiteral("other.psd"), 10, 10);

        struct Attempt {
            QString what;
            std::function<void()> run;
            QString message;
        };
        const QList<Attempt> attempts = {
            {"missing file", [&] { Form2->LoadImage(dir->filePath("nothing.jpg")); }, QString()},
            {"other extension", [&] { Form2->LoadImage(other); },
             "Only JPEG (.jpg, .jpeg, .jpe, .jfif), PNG (.png), TIFF (.tif, .tiff), Windows "
             "bitmap (.bmp), GIF (.gif), WebP (.webp), SVG (.svg, .svgz) and PDF (.pdf) files "
             "are read, not " +
                 other + "."},
            {"decoder error", [&] { Form2->LoadImage(corrupt.fileName()); },
             "Cannot read " + corrupt.fileName() + ": JPEG error #"},
            {"folder", [&] { Form2->LoadImage(dir->filePath("folder.jpg")); },
             "Cannot open file " + dir->filePath("folder.jpg") + "."},
            {"empty clipboard",
             [&] {
                 QGuiApplication::clipboard()->clear();
                 Form2->PasteImage();
             },
             "The clipboard holds no picture and no file path."},
            {"clipboard picture that cannot be read",
             [&] {
                 auto *broken = new QMimeData; // the clipboard owns it
                 broken->setData(QStringLiteral("application/x-qt-image"), "not a picture");
                 QGuiApplication::clipboard()->setMimeData(broken);
                 Form2->PasteImage();
             },
             QString()},
        };
        int x = 30;
        for (const Attempt &attempt : attempts) {
            Form2->MoveCrosshair(static_cast<float>(x), 40);
            const ErrorBoxSeen seen = CatchErrorBox([&] { Guard([&] { attempt.run(); }); });
            QVERIFY2(seen.shown == !attempt.message.isEmpty(), qPrintable(attempt.what));
            QVERIFY2(seen.text.startsWith(attempt.message),
                     qPrintable(attempt.what + ": " + seen.text));
            QVERIFY2(CrossDrawn, qPrintable(attempt.what));
            QCOMPARE(PathShown(), good);
            x += 10;
            Form2->MoveCrosshair(static_cast<float>(x), 50);
            QVERIFY2(Differences(before, PictureNow()) == CrossPixels(x, 50, 120, 100),
                     qPrintable(attempt.what + ": a mark was left in the picture"));
        }
    }

    void erasingUsesTheGeometryTheMarksWereDrawnWith() {
        Form2->LoadImage(PatternBitmap(QStringLiteral("g.bmp"), 160, 120));
        const QImage before = PictureNow();
        XStepOn = BoxShown = true;
        Form2->MoveCrosshair(50, 50);
        QCOMPARE(Differences(before, PictureNow()),
                 Symmetric(CrossPixels(50, 50, 160, 120), OutlinePixels(35, 35, 65, 65, 160, 120)));
        BoxHalfW = 6;
        Form2->MoveCrosshair(80, 60);
        QCOMPARE(Differences(before, PictureNow()),
                 Symmetric(CrossPixels(80, 60, 160, 120), OutlinePixels(74, 45, 86, 75, 160, 120)));
        BoxShown = false;
        Form2->MoveCrosshair(90, 70);
        QCOMPARE(Differences(before, PictureNow()), CrossPixels(90, 70, 160, 120));
        BoxShown = true;
        Form2->MoveCrosshair(100, 70);
        QCOMPARE(
            Differences(before, PictureNow()),
            Symmetric(CrossPixels(100, 70, 160, 120), OutlinePixels(94, 55, 106, 85, 160, 120)));
    }

    void aNewPictureShowsNoMarksUntilTheNextMove_data() {
        QTest::addColumn<QString>("how");
        for (const char *how : {"dropped", "pasted path", "pasted picture"})
            QTest::newRow(how) << QString::fromLatin1(how);
    }
    // The marks in the old picture are forgotten, and the new ones reach its
    // last row and column.
    void aNewPictureShowsNoMarksUntilTheNextMove() {
        QFETCH(QString, how);
        BoxShown = true;
        FocusWindow(Form2);
        QTest::mouseClick(Image1(), Qt::LeftButton, Qt::NoModifier, QPoint(20, 20));
        const QImage next = PatternImage(90, 70);
        const QString path = PatternBitmap(QStringLiteral("n.bmp"), 90, 70);
        if (how == QStringLiteral("dropped")) {
            Drop({QUrl::fromLocalFile(path)});
        } else {
            if (how == QStringLiteral("pasted path"))
                QGuiApplication::clipboard()->setText(path);
            else
                QGuiApplication::clipboard()->setImage(next);
            QTest::keyClick(Form2, Qt::Key_V, Qt::ControlModifier);
        }
        QCOMPARE(Image1()->size(), QSize(90, 70));
        QVERIFY2(!CrossDrawn && !BoxDrawn, "marks of the old picture are taken for drawn");
        QCOMPARE(PictureNow(), next);
        QTest::mouseClick(Image1(), Qt::LeftButton, Qt::NoModifier, QPoint(30, 30));
        QCOMPARE(Differences(next, PictureNow()),
                 Symmetric(CrossPixels(30, 30, 90, 70), OutlinePixels(15, 15, 45, 45, 90, 70)));
        QTest::mouseClick(Image1(), Qt::LeftButton, Qt::NoModifier, QPoint(89, 69));
        QCOMPARE(Differences(next, PictureNow()),
                 Symmetric(CrossPixels(89, 69, 90, 70), OutlinePixels(74, 54, 104, 84, 90, 70)));
    }

    void aPictureTooLargeIsRefusedBeforeTheOldOneChanges() {
        const QString good = PatternBitmap(QStringLiteral("keep.bmp"), 50, 40);
        Form2->LoadImage(good);
        // A bitmap header claiming 100000 x 100000 pixels, and nothing after it.
        QByteArray header(54, '\0');
        header[0] = 'B';
        header[1] = 'M';
        const auto put = [&](int at, quint32 v) {
            for (int i = 0; i < 4; ++i)
                header[at + i] = static_cast<char>((v >> (8 * i)) & 0xFF);
        };
        put(2, 54);
        put(10, 54);
        put(14, 40);
        put(18, 100000);
        put(22, 100000);
        header[26] = 1;
        header[28] = 24;
        QFile huge(dir->filePath(QStringLiteral("huge.bmp")));
        QVERIFY(huge.open(QIODevice::WriteOnly));
        huge.write(header);
        huge.close();
        const ErrorBoxSeen seen =
            CatchErrorBox([&] { Guard([&] { Form2->LoadImage(huge.fileName()); }); });
        QVERIFY2(seen.text.contains(QStringLiteral("100000 x 100000 pixels")),
                 qPrintable(seen.text));
        QCOMPARE(PathShown(), good);
        QCOMPARE(PictureNow(), PatternImage(50, 40));
    }
};

QTEST_MAIN(TestImageWindow)
#include "tst_imagewindow.moc"
