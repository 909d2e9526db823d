// Zoom in the image window, driven by Ctrl+plus, Ctrl+minus, Ctrl+0 and
// Ctrl+wheel: a click lands on the picture pixel the screen shows under the
// pointer at every zoom, arrows still move one picture pixel, the view keeps
// following the crosshair, the wheel keeps the point under the pointer, the
// status line names the zoom, and the picture's pixels never change.
#include "PictureArea.h"
#include "PictureView.h"
#include "UiTestSupport.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QLabel>
#include <QPaintEvent>
#include <QScreen>
#include <QScrollBar>
#include <QWheelEvent>

#include <cmath>

class TestZoom : public QObject {
    Q_OBJECT

  private:
    std::unique_ptr<WindowFixture> fixture;
    QImage pattern;

    static TPictureView &View() { return Form2->View(); }
    static QScrollBar *Across() { return View().horizontalScrollBar(); }
    static QScrollBar *Down() { return View().verticalScrollBar(); }
    static QString ZoomLabel() { return Control<QLabel>(Form2, "Label9")->text(); }
    static void Key(Qt::Key key, Qt::KeyboardModifiers mods = Qt::NoModifier) {
        QTest::keyClick(Form2, key, mods);
    }
    // Ctrl+plus (positive) or Ctrl+minus, as often as asked.
    static void ZoomKeys(int steps) {
        for (int i = 0; i < std::abs(steps); ++i)
            Key(steps > 0 ? Qt::Key_Plus : Qt::Key_Minus, Qt::ControlModifier);
    }
    static void Wheel(QPoint at, int notches) {
        QWidget *port = View().viewport();
        QWheelEvent wheel(at, port->mapToGlobal(QPointF(at)), QPoint(), QPoint(0, 120 * notches),
                          Qt::NoButton, Qt::ControlModifier, Qt::NoScrollPhase, false);
        QApplication::sendEvent(port, &wheel);
    }
    // A click through the window system at a position in the view's viewport.
    static void ClickInView(QPoint at) {
        const QPoint inWindow = View().viewport()->mapTo(Form2, at);
        QTest::mouseClick(Form2->windowHandle(), Qt::LeftButton, Qt::NoModifier, inWindow);
    }
    // What the screen shows at a viewport position (the window's backing store).
    static QRgb ShownAt(QPoint at) {
        for (int i = 0; i < 3; ++i)
            QCoreApplication::processEvents();
        const QImage window = Form2->screen()->grabWindow(Form2->winId()).toImage();
        return window.pixel(View().viewport()->mapTo(Form2, at)) | 0xFF000000u;
    }
    // The mean of the pattern's pixels [x0, x0 + n) x [y0, y0 + n), rounded half up.
    QRgb BlockMean(int x0, int y0, int n) const {
        int sum[3] = {0, 0, 0};
        for (int y = y0; y < y0 + n; ++y)
            for (int x = x0; x < x0 + n; ++x) {
                const QRgb c = pattern.pixel(x, y);
                sum[0] += qRed(c);
                sum[1] += qGreen(c);
                sum[2] += qBlue(c);
            }
        const int count = n * n;
        return qRgb((sum[0] + count / 2) / count, (sum[1] + count / 2) / count,
                    (sum[2] + count / 2) / count);
    }

  private slots:
    void initTestCase() {
        QLocale::setDefault(QLocale::c());
        pattern = PatternImage(3000, 2000);
    }
    void init() {
        fixture = std::make_unique<WindowFixture>();
        const QSize first = Form2->size();
        QGuiApplication::clipboard()->setImage(pattern);
        FocusWindow(Form2);
        Key(Qt::Key_V, Qt::ControlModifier);
        QCOMPARE(Form2->Picture().Width(), 3000);
        // The zoom's stops are measured in the window's first size: a picture
        // this large grows the window to the screen's edges.
        Form2->resize(first);
        QTRY_COMPARE(Form2->size(), first);
    }
    void cleanup() { fixture.reset(); }

    void aClickLandsOnThePixelShownUnderThePointer_data() {
        QTest::addColumn<int>("steps"); // Ctrl+plus (+) or Ctrl+minus (-) from one to one
        QTest::addColumn<int>("num");
        QTest::addColumn<int>("den");
        QTest::addColumn<QString>("label");
        QTest::newRow("1/4x") << -4 << 1 << 4 << QStringLiteral("Zoom 25%");
        QTest::newRow("1x") << 0 << 1 << 1 << QStringLiteral("Zoom 100%");
        QTest::newRow("4x") << 3 << 4 << 1 << QStringLiteral("Zoom 400%");
    }
    void aClickLandsOnThePixelShownUnderThePointer() {
        QFETCH(int, steps);
        QFETCH(int, num);
        QFETCH(int, den);
        QFETCH(QString, label);
        const QImage before = PictureNow();
        ZoomKeys(steps);
        QCOMPARE(ZoomLabel(), label);
        QCOMPARE(Control<QLabel>(Form2, "Label9")->accessibleName(), QStringLiteral("Zoom"));
        QCOMPARE(View().Area()->width(), 3000 * num / den);
        QVERIFY2(Differences(before, PictureNow()).isEmpty(), "zooming changed the picture");
        // Scrolled somewhere inside, where scrolling is possible.
        Across()->setValue(Across()->maximum() / 3);
        Down()->setValue(Down()->maximum() / 2);
        // (Not at 0, 0: a null position clicks the window's middle.)
        for (const QPoint at :
             {QPoint(1, 2), QPoint(37, 53), QPoint(101, 202), QPoint(250, 150), QPoint(403, 301)}) {
            const int vx = Across()->value() + at.x();
            const int vy = Down()->value() + at.y();
            const int px = vx * den / num;
            const int py = vy * den / num;
            // What is shown there before the click draws the cross over it.
            const QRgb shown = ShownAt(at);
            ClickInView(at);
            QCOMPARE(CurX, static_cast<float>(px));
            QCOMPARE(CurY, static_cast<float>(py));
            const QRgb want = num >= den ? pattern.pixel(px, py) : BlockMean(px, py, den / num);
            QVERIFY2(shown == want, qPrintable(QStringLiteral("at %1, %2 the screen shows %3, "
                                                              "not pixel %4, %5 (%6)")
                                                   .arg(at.x())
                                                   .arg(at.y())
                                                   .arg(shown, 0, 16)
                                                   .arg(px)
                                                   .arg(py)
                                                   .arg(want, 0, 16)));
        }
        // Arrows move one picture pixel whatever the zoom.
        const float x = CurX;
        const float y = CurY;
        Key(Qt::Key_Right);
        Key(Qt::Key_Down);
        QCOMPARE(CurX, x + 1);
        QCOMPARE(CurY, y + 1);
        Key(Qt::Key_0, Qt::ControlModifier);
        QCOMPARE(ZoomLabel(), QStringLiteral("Zoom 100%"));
        QCOMPARE(View().Area()->width(), 3000);
    }

    void aCrosshairMoveRepaintsOnlyItsLines_data() {
        QTest::addColumn<int>("steps");
        QTest::newRow("1/4x") << -4;
        QTest::newRow("1x") << 0;
        QTest::newRow("4x") << 3;
    }
    void aCrosshairMoveRepaintsOnlyItsLines() {
        QFETCH(int, steps);
        ZoomKeys(steps);
        ClickInView({200, 150});
        Settle();
        const digitize::Point at{static_cast<int>(CurX), static_cast<int>(CurY)};
        PaintRecorder recorder;
        View().Area()->installEventFilter(&recorder);
        Key(Qt::Key_Right);
        Settle();
        // The cross's two lines before and after, in view pixels.
        QRegion lines;
        for (const int x : {at.X, at.X + 1})
            for (const digitize::Rect &r : {digitize::Rect{x - 1000, at.Y, x + 1000, at.Y + 1},
                                            digitize::Rect{x, at.Y - 1000, x + 1, at.Y + 1000}}) {
                const digitize::Rect v = digitize::ViewRect(r, View().Zoom());
                lines += QRect(v.Left, v.Top, v.Right - v.Left, v.Bottom - v.Top);
            }
        QVERIFY2(!recorder.painted.isEmpty(), "the move was repainted");
        QVERIFY2(recorder.painted.subtracted(lines).isEmpty(),
                 "a move repainted more than the cross's lines");
        // Away and back in one turn of the event loop changes no pixel: nothing to repaint.
        const QImage before = PictureNow();
        recorder.painted = {};
        Form2->FormKeyDown(Qt::Key_Left, Qt::NoModifier);
        Form2->FormKeyDown(Qt::Key_Right, Qt::NoModifier);
        Settle();
        View().Area()->removeEventFilter(&recorder);
        QVERIFY2(recorder.painted.isEmpty(), "a move and its undoing repainted the picture");
        QVERIFY(Differences(before, PictureNow()).isEmpty());
    }

    void zoomRunsFromTheFitToEightTimes() {
        ZoomKeys(-20);
        const QString fit = ZoomLabel();
        QVERIFY2(fit.endsWith(QStringLiteral("% (fit)")), qPrintable(fit));
        // The scroll bars go once the view has laid itself out.
        QTRY_VERIFY2(!Across()->isVisible() && !Down()->isVisible(),
                     "the whole picture is in view");
        QVERIFY(View().Area()->width() <= View().viewport()->width());
        QVERIFY(View().Area()->height() <= View().viewport()->height());
        QVERIFY(View().Area()->width() == View().viewport()->width() ||
                View().Area()->height() == View().viewport()->height());
        // A larger window fits again.
        Form2->resize(Form2->width() + 200, Form2->height() + 100);
        QTRY_VERIFY(ZoomLabel() != fit);
        QVERIFY(ZoomLabel().endsWith(QStringLiteral("% (fit)")));
        ZoomKeys(20);
        QCOMPARE(ZoomLabel(), QStringLiteral("Zoom 800%"));
        QCOMPARE(View().Area()->width(), 24000);
        // The plus key unshifted and the wheel's back turn zoom as well.
        Key(Qt::Key_0, Qt::ControlModifier);
        Key(Qt::Key_Equal, Qt::ControlModifier);
        QCOMPARE(ZoomLabel(), QStringLiteral("Zoom 200%"));
        Wheel({100, 100}, -2);
        QCOMPARE(ZoomLabel(), QStringLiteral("Zoom 67%"));
    }

    void ctrlWheelKeepsThePointUnderThePointer() {
        Across()->setValue(500);
        Down()->setValue(300);
        const QPoint at(100, 80); // over picture point (600, 380)
        Wheel(at, 1);
        QCOMPARE(ZoomLabel(), QStringLiteral("Zoom 200%"));
        QCOMPARE(Across()->value(), 1100);
        QCOMPARE(Down()->value(), 680);
        Wheel(at, 2);
        QCOMPARE(ZoomLabel(), QStringLiteral("Zoom 400%"));
        ClickInView(at);
        QCOMPARE(CurX, 600.0F);
        QCOMPARE(CurY, 380.0F);
        Wheel(at, -4);
        QCOMPARE(ZoomLabel(), QStringLiteral("Zoom 67%"));
        ClickInView(at);
        QVERIFY2(std::abs(CurX - 600.0F) <= 2 && std::abs(CurY - 380.0F) <= 2,
                 "the point under the pointer stays under it");
        // A plain wheel still scrolls.
        const int down = Down()->value();
        QWheelEvent plain(QPointF(at), View().viewport()->mapToGlobal(QPointF(at)), QPoint(),
                          QPoint(0, -120), Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
        QApplication::sendEvent(View().viewport(), &plain);
        QVERIFY(Down()->value() > down);
        QCOMPARE(ZoomLabel(), QStringLiteral("Zoom 67%"));
    }

    void marksKeepTheirPlaceAndSizeAtEveryZoom() {
        Across()->setValue(500);
        Down()->setValue(300);
        ClickInView({100, 80});
        Key(Qt::Key_Space); // a point at (600, 380)
        for (const int notches : {0, 3, -7}) {
            Wheel({100, 80}, notches);
            const double z = View().Zoom().Factor();
            // A pixel of the ring, up and right of its centre, off the cross's lines.
            const QPoint ring(static_cast<int>(std::floor(600.5 * z)) + 3 - Across()->value(),
                              static_cast<int>(std::floor(380.5 * z)) - 3 - Down()->value());
            QVERIFY2(ShownAt(ring) == qRgb(0xD5, 0x5E, 0x00),
                     qPrintable(QStringLiteral("no ring at %1").arg(ZoomLabel())));
        }
        QCOMPARE(ZoomLabel(), QStringLiteral("Zoom 25%"));
    }

    void theSearchReadsTheWholePictureAtEveryZoom() {
        QImage band(3000, 2000, QImage::Format_RGB32);
        band.fill(Qt::white);
        for (int x = 0; x < 3000; ++x)
            for (int y = 1899; y <= 1901; ++y)
                band.setPixel(x, y, qRgb(0, 0, 0));
        QGuiApplication::clipboard()->setImage(band);
        Key(Qt::Key_V, Qt::ControlModifier);
        ZoomKeys(-20);
        ClickInView({100, 200});
        QVERIFY(CurY < 1000);
        FindYOn = true;
        LineColor = 0; // black
        Key(Qt::Key_Down, Qt::ControlModifier);
        QCOMPARE(CurY, 1900.0F);
    }

    void theViewFollowsTheCrosshairWhenZoomedIn() {
        ZoomKeys(3);
        ClickInView({20, 20});
        const float x0 = CurX;
        for (int i = 0; i < 300; ++i)
            Key(Qt::Key_Right);
        QCOMPARE(CurX, x0 + 300);
        const int cell = static_cast<int>(CurX) * 4;
        QVERIFY2(cell >= Across()->value() &&
                     cell + 4 <= Across()->value() + View().viewport()->width(),
                 "the crosshair's cell is in view");
        // Zooming by keys keeps the crosshair where it is on screen.
        const int onScreen = cell - Across()->value();
        Key(Qt::Key_Minus, Qt::ControlModifier);
        QCOMPARE(ZoomLabel(), QStringLiteral("Zoom 300%"));
        QVERIFY(std::abs(static_cast<int>(CurX) * 3 + 1 - Across()->value() - onScreen) <= 2);
    }
};

QTEST_MAIN(TestZoom)
#include "tst_zoom.moc"
