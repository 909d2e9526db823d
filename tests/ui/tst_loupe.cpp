// The loupe: opened from the control and image windows, showing the clean
// picture around the crosshair or the mouse, zoomed by the wheel, marking the
// pixels of the line colour; driven with real keys, clicks and wheel turns.
#include "LoupeView.h"
#include "LoupeWindow.h"
#include "UiTestSupport.h"
#include "digitize/loupe/Loupe.h"

#include <QAccessible>
#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>
#include <QTemporaryDir>
#include <QWheelEvent>

namespace {

// A navy line on row 20 of a white picture, with one pixel near its colour
// and one just past the tolerance, both on row 22.
constexpr QRgb Navy = qRgb(0, 0, 128);
constexpr QPoint NearPixel{30, 22};
constexpr QPoint FarPixel{34, 22};

QImage LinePicture() {
    QImage image(60, 40, QImage::Format_RGB32);
    image.fill(Qt::white);
    for (int x = 5; x < 55; ++x)
        image.setPixel(x, 20, Navy);
    image.setPixel(NearPixel, qRgb(20, 20, 170));
    image.setPixel(FarPixel, qRgb(0, 0, 198));
    return image;
}

} // namespace

class TestLoupe : public QObject {
    Q_OBJECT

  private:
    std::unique_ptr<WindowFixture> fixture;
    QTemporaryDir dir;
    QImage shown; // the picture as loaded, without marks

    LoupeView *View() { return Control<LoupeView>(Loupe, "View"); }
    QString Text() { return Control<QLabel>(Loupe, "Label1")->text(); }
    QWidget *Image1() { return Control<QWidget>(Form2, "Image1"); }

    void Load(const QImage &image, const char *name) {
        shown = image;
        QVERIFY(image.save(dir.filePath(QString::fromLatin1(name)), "BMP"));
        Form2->LoadImage(dir.filePath(QString::fromLatin1(name)));
    }
    void Click(int x, int y) {
        QTest::mouseClick(Image1(), Qt::LeftButton, Qt::NoModifier, QPoint(x, y));
    }
    void OpenWithKey() {
        FocusWindow(Form2);
        QTest::keyClick(Form2, 'l');
        QVERIFY2(Loupe->isVisible(), "the L key shows the loupe");
        QVERIFY(QTest::qWaitForWindowExposed(Loupe));
        QTRY_VERIFY2(Form2->isActiveWindow(), "the image window keeps the keys");
    }
    // A turn in eighths of a degree: 120 is one notch of a common wheel.
    void Wheel(int eighths) {
        const QPointF at(View()->width() / 2.0, View()->height() / 2.0);
        QWheelEvent turn(at, View()->mapToGlobal(at), QPoint(), QPoint(0, eighths), Qt::NoButton,
                         Qt::NoModifier, Qt::NoScrollPhase, false);
        QApplication::sendEvent(View(), &turn);
    }

    // The loupe as the screen shows it now (its window's backing store, not a
    // fresh rendering), and one screen pixel of a picture pixel's cell.
    QImage Painted() {
        QCoreApplication::processEvents();
        const QImage window = Loupe->screen()->grabWindow(Loupe->winId()).toImage();
        return window.copy(QRect(View()->mapTo(Loupe, QPoint(0, 0)), View()->size()))
            .convertToFormat(QImage::Format_RGB32);
    }
    QRgb CellPixel(const QImage &painted, QPoint pixel, int dx, int dy) {
        digitize::LoupeScene scene;
        scene.Centre = View()->Centre();
        scene.Zoom = View()->Zoom();
        const auto c =
            digitize::CellCorner(scene, painted.width(), painted.height(), {pixel.x(), pixel.y()});
        return painted.pixel(static_cast<int>(c.X) + dx, static_cast<int>(c.Y) + dy);
    }
    // The screen pixels of a cell, inside its grid line, unlike the picture pixel.
    int OddPixels(const QImage &painted, QPoint pixel) {
        const int zoom = View()->Zoom();
        int odd = 0;
        for (int dy = 1; dy < zoom; ++dy)
            for (int dx = 1; dx < zoom; ++dx)
                odd += CellPixel(painted, pixel, dx, dy) != shown.pixel(pixel);
        return odd;
    }

  private slots:
    void initTestCase() { QLocale::setDefault(QLocale::c()); }
    void init() { fixture = std::make_unique<WindowFixture>(); }
    void cleanup() { fixture.reset(); }

    void theButtonAndTheKeyShowItAndClosingHidesIt() {
        QVERIFY(!Loupe->isVisible());
        QCOMPARE(Loupe->windowTitle(), QStringLiteral("Loupe"));
        auto *button = Control<QPushButton>(Form1, "Button3");
        QCOMPARE(button->text(), QStringLiteral("L"));
        QTest::mouseClick(button, Qt::LeftButton);
        QVERIFY2(Loupe->isVisible(), "the L button shows the loupe");
        QVERIFY(Loupe->close());
        QVERIFY2(!Loupe->isVisible(), "closing only hides it");
        FocusWindow(Form1);
        QTest::keyClick(Form1, Qt::Key_L, Qt::AltModifier);
        QVERIFY2(Loupe->isVisible(), "Alt+L in the control window shows the loupe");
        Loupe->close();
        OpenWithKey();
        for (QWidget *w : Loupe->findChildren<QWidget *>())
            QVERIFY2(!w->accessibleName().isEmpty(), qPrintable(w->objectName()));
    }

    void itShowsTheCleanPictureAroundTheCrosshair() {
        Load(PatternImage(80, 60), "pattern.bmp");
        Click(40, 30);
        FocusWindow(Form4);
        Tick(Control<QCheckBox>(Form4, "CheckBox1")); // the box, at the next move
        OpenWithKey();
        QTest::keyClick(Form2, Qt::Key_Right);
        QTest::keyClick(Form2, Qt::Key_Left);
        QCOMPARE(View()->Zoom(), 8);
        const QImage marked = PictureNow();
        QImage painted = Painted();
        int inverted = 0;
        // At 8x with a grid, the middle of each cell shows its pixel's own colour.
        for (int y = 22; y <= 38; ++y)
            for (int x = 28; x <= 52; ++x) {
                const QPoint p(x, y);
                inverted += marked.pixel(p) != shown.pixel(p);
                QVERIFY2(CellPixel(painted, p, 4, 4) == shown.pixel(p),
                         qPrintable(QStringLiteral("pixel %1,%2").arg(x).arg(y)));
            }
        QVERIFY2(inverted > 20, "the cross ran through the pixels compared");
        QCOMPARE(Text(), QStringLiteral("X 40  Y 30   R %1 G %2 B %3")
                             .arg(qRed(shown.pixel(40, 30)))
                             .arg(qGreen(shown.pixel(40, 30)))
                             .arg(qBlue(shown.pixel(40, 30))));
        // The crosshair pixel is outlined.
        QCOMPARE(CellPixel(painted, {40, 30}, 0, 4), digitize::LoupeDark);

        // The box's outline (15 pixels out) comes into view at 4x: its own colours, framed.
        Wheel(-240);
        QCOMPARE(View()->Zoom(), 4);
        painted = Painted();
        // Off the cross's column, which crosses the outline and inverts it back.
        const QPoint edge(45, 30 - BoxHalfH);
        QVERIFY2(marked.pixel(edge) != shown.pixel(edge), "the box is drawn in the picture");
        QCOMPARE(CellPixel(painted, edge, 2, 2), shown.pixel(edge));
        QVERIFY(CellPixel(painted, edge, 2, 0) == digitize::LoupeDark ||
                CellPixel(painted, edge, 2, 0) == digitize::LoupeLight);
    }

    void itFollowsTheCrosshairAndTheMouse() {
        Load(PatternImage(80, 60), "pattern.bmp");
        Click(20, 10);
        OpenWithKey();
        QTest::keyClick(Form2, Qt::Key_Down);
        QTest::keyClick(Form2, Qt::Key_Right);
        QTest::keyClick(Form2, Qt::Key_Right);
        QCoreApplication::processEvents();
        QCOMPARE(View()->Centre(), (digitize::Point{22, 11}));
        QVERIFY(Text().startsWith(QStringLiteral("X 22  Y 11   R ")));
        QImage painted = Painted();
        QCOMPARE(CellPixel(painted, {23, 12}, 4, 4), shown.pixel(23, 12));

        QTest::mouseMove(Image1(), QPoint(60, 45));
        QCoreApplication::processEvents();
        QCOMPARE(View()->Centre(), (digitize::Point{60, 45}));
        QVERIFY(Text().startsWith(QStringLiteral("X 60  Y 45   R ")));
        painted = Painted();
        QCOMPARE(CellPixel(painted, {61, 44}, 4, 4), shown.pixel(61, 44));

        // A key move with the mouse still over the picture shows the crosshair again.
        QTest::keyClick(Form2, Qt::Key_Up);
        QCoreApplication::processEvents();
        QCOMPARE(View()->Centre(), (digitize::Point{22, 10}));
    }

    void theWheelSetsTheZoomFromTwoToSixteen_data() {
        QTest::addColumn<QList<int>>("turns"); // each in eighths of a degree
        QTest::addColumn<int>("zoom");
        QTest::newRow("one notch up") << QList<int>{120} << 12;
        QTest::newRow("one notch down") << QList<int>{-120} << 6;
        QTest::newRow("up to the top and past") << QList<int>{120, 120, 600} << 16;
        QTest::newRow("down to the bottom and past") << QList<int>{-360, -1080} << 2;
        QTest::newRow("there and back") << QList<int>{240, -240} << 8;
        // A fine wheel turns in thirds of a notch: three make one.
        QTest::newRow("five thirds up") << QList<int>{40, 40, 40, 40, 40} << 12;
    }
    void theWheelSetsTheZoomFromTwoToSixteen() {
        QFETCH(QList<int>, turns);
        QFETCH(int, zoom);
        Load(PatternImage(80, 60), "pattern.bmp");
        Click(40, 30);
        OpenWithKey();
        for (int eighths : turns)
            Wheel(eighths);
        QCOMPARE(View()->Zoom(), zoom);
        // A cell is zoom pixels wide: its last column is its own, the next-but-one the neighbour's.
        const QImage painted = Painted();
        const QPoint p(42, 32);
        QCOMPARE(CellPixel(painted, p, zoom - 1, zoom - 1), shown.pixel(p));
        QCOMPARE(CellPixel(painted, p, zoom + 1, zoom - 1), shown.pixel(43, 32));
        const bool grid = CellPixel(painted, p, 0, zoom - 1) != shown.pixel(p);
        QCOMPARE(grid, zoom >= 6);
    }

    void itMarksThePixelsOfTheLineColour() {
        Load(LinePicture(), "line.bmp");
        Click(10, 20);
        OpenWithKey();
        QImage painted = Painted();
        QCOMPARE(OddPixels(painted, {12, 20}), 0);

        Form4->show();
        QTest::mouseClick(Control<QPushButton>(Form4, "Button1"), Qt::LeftButton);
        QCOMPARE(LineColor, 0x800000u); // navy, 0x00BBGGRR
        FocusWindow(Form2);
        Click(36, 22); // the cross runs through the near and far pixels, inverting them
        painted = Painted();
        struct Row {
            QPoint pixel;
            bool marked;
        };
        const Row rows[] = {{{40, 20}, true},  {{26, 20}, true},  {{36, 20}, true},
                            {NearPixel, true}, {FarPixel, false}, {{40, 18}, false},
                            {{30, 24}, false}, {{44, 21}, false}, {{45, 22}, false}};
        for (const Row &row : rows)
            QVERIFY2((OddPixels(painted, row.pixel) > 0) == row.marked,
                     qPrintable(QStringLiteral("pixel %1,%2 marked %3")
                                    .arg(row.pixel.x())
                                    .arg(row.pixel.y())
                                    .arg(OddPixels(painted, row.pixel))));
        // A wider colour tolerance typed in the cursor window marks more, at once.
        auto *tolerance = Control<QLineEdit>(Form4, "Edit1");
        FocusWindow(Form4, tolerance);
        tolerance->selectAll();
        QTest::keyClicks(tolerance, QStringLiteral("80"));
        QVERIFY(OddPixels(Painted(), FarPixel) > 0);
        QTest::keyClick(tolerance, Qt::Key_Return);
        QVERIFY(OddPixels(Painted(), FarPixel) > 0);
    }

  private:
    static void Tick(QCheckBox *box) {
        QTest::mouseClick(box, Qt::LeftButton, Qt::NoModifier, QPoint(6, box->height() / 2));
    }
};

QTEST_MAIN(TestLoupe)
#include "tst_loupe.moc"
