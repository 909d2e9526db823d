// The image window with a picture larger than itself: the view scrolls with
// the wheel, follows the crosshair, and maps the pointer through the scroll
// offset, down to the pixel under it on a scaled screen too.
#include "UiTestSupport.h"
#include "digitize/view/ScrollFollow.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QLabel>
#include <QPlainTextEdit>
#include <QScreen>
#include <QScrollArea>
#include <QScrollBar>
#include <QWheelEvent>

class TestScrolling : public QObject {
    Q_OBJECT

  private:
    std::unique_ptr<WindowFixture> fixture;
    static QScrollArea *View() { return Control<QScrollArea>(Form2, "ScrollBox1"); }
    static QScrollBar *Across() { return View()->horizontalScrollBar(); }
    static QScrollBar *Down() { return View()->verticalScrollBar(); }
    static QString Readout() { return Control<QLabel>(Form1, "Label3")->text(); }

    static void Paste(const QImage &image) {
        QGuiApplication::clipboard()->setImage(image);
        FocusWindow(Form2);
        QTest::keyClick(Form2, Qt::Key_V, Qt::ControlModifier);
        QCOMPARE(Form2->Picture().Width(), image.width());
    }
    // The part of the picture the view shows, in picture pixels.
    static QRect Visible() {
        return QRect(QPoint(Across()->value(), Down()->value()), View()->viewport()->size());
    }
    static void Wheel(Qt::KeyboardModifiers modifiers) {
        QWidget *port = View()->viewport();
        const QPointF at(50, 50);
        QWheelEvent wheel(at, port->mapToGlobal(at), QPoint(), QPoint(0, -120), Qt::NoButton,
                          modifiers, Qt::NoScrollPhase, false);
        QApplication::sendEvent(port, &wheel);
    }

  private slots:
    void initTestCase() { QLocale::setDefault(QLocale::c()); }
    void init() { fixture = std::make_unique<WindowFixture>(); }
    void cleanup() { fixture.reset(); }

    void scrollBarsShowOnlyForALargerPicture() {
        Paste(PatternImage(300, 200));
        QTest::qWait(20);
        QVERIFY(!Across()->isVisible() && !Down()->isVisible());
        Paste(PatternImage(3000, 2000));
        QTRY_VERIFY(Across()->isVisible() && Down()->isVisible());
        QCOMPARE(Across()->maximum(), 3000 - View()->viewport()->width());
        // A new picture starts at its top-left corner.
        Across()->setValue(900);
        Down()->setValue(700);
        Paste(PatternImage(2500, 1500));
        QCOMPARE(Visible().topLeft(), QPoint(0, 0));
    }

    void theWheelScrollsDownAndShiftWheelAcross() {
        Paste(PatternImage(3000, 2000));
        Wheel(Qt::NoModifier);
        QVERIFY(Down()->value() > 0);
        QCOMPARE(Across()->value(), 0);
        const int down = Down()->value();
        Wheel(Qt::ShiftModifier);
        QVERIFY(Across()->value() > 0);
        QCOMPARE(Down()->value(), down);
    }

    void aClickAfterScrollingTakesThePixelUnderThePointer() {
        Paste(PatternImage(3000, 2000));
        Across()->setValue(1000);
        Down()->setValue(500);
        QWidget *port = View()->viewport();
        // Through the window, as the window system delivers a click.
        const QPoint inWindow = port->mapTo(Form2, QPoint(100, 50));
        QTest::mouseClick(Form2->windowHandle(), Qt::LeftButton, Qt::NoModifier, inWindow);
        QCOMPARE(CurX, 1100.0F);
        QCOMPARE(CurY, 550.0F);
        QCOMPARE(Readout(), QStringLiteral("1100.0 , 550.00"));
        // A visible crosshair does not move the view.
        QCOMPARE(Visible().topLeft(), QPoint(1000, 500));
    }

    void theViewFollowsTheKeysAndOnlyThem() {
        Paste(PatternImage(3000, 2000));
        Form2->resize(200, 300);
        QTRY_COMPARE(View()->viewport()->width(), 200 - Down()->width());
        QTest::mouseClick(Form2->windowHandle(), Qt::LeftButton, Qt::NoModifier, QPoint(10, 200));
        for (int i = 0; i < 200; ++i)
            QTest::keyClick(Form2, Qt::Key_Right);
        QCOMPARE(CurX, 210.0F);
        QVERIFY2(Visible().contains(QPoint(210, 200)), "the view followed the crosshair");
        QVERIFY(Across()->value() > 0);
        QTest::keyClick(Form2, Qt::Key_Space);
        const QStringList lines = Lines(Control<QPlainTextEdit>(Form1, "Memo1"));
        QCOMPARE(lines.last(), QStringLiteral("210.0 , 200.00"));
        // Moves that stay in sight leave the view where it is.
        const QRect before = Visible();
        for (Qt::Key key : {Qt::Key_Left, Qt::Key_Up, Qt::Key_Down, Qt::Key_Left})
            QTest::keyClick(Form2, key);
        QCOMPARE(Visible(), before);
        QCOMPARE(CurX, 208.0F);
        // Off the top of the view: it follows upward just enough.
        for (int i = 0; i < 190; ++i)
            QTest::keyClick(Form2, Qt::Key_Up);
        QCOMPARE(CurY, 10.0F);
        QCOMPARE(Down()->value(), 0);
        // Scrolled away, a lock brings the crosshair back into view.
        for (int i = 0; i < 3; ++i)
            Wheel(Qt::NoModifier);
        QVERIFY(!Visible().contains(QPoint(208, 10)));
        QTest::keyClick(Form2, Qt::Key_Z);
        QCOMPARE(ZeroPt, (digitize::Point{208, 10}));
        QVERIFY2(Visible().contains(QPoint(208, 10)), "the view shows the locked point");
    }

    // A crosshair between pixels is in sight where it rounds to, as it is drawn.
    void aFractionalCrosshairIsFollowedWhereItRounds() {
        Paste(PatternImage(3000, 2000));
        const auto width = static_cast<float>(View()->viewport()->width());
        const auto margin = static_cast<float>(digitize::FollowMargin);
        Form2->MoveCrosshair(width - margin - 1.4F, 100); // the last column outside the margin
        QCOMPARE(Across()->value(), 0);
        Form2->MoveCrosshair(width - margin - 0.4F, 100); // the margin's first column
        QCOMPARE(Across()->value(), 1);
    }

    // Down follows the picture's height, not its width.
    void aTallPictureIsFollowedToItsLastRow() {
        Paste(PatternImage(300, 3000));
        Form2->MoveCrosshair(150, 2999);
        QVERIFY2(Visible().contains(QPoint(150, 2999)), "the view followed to the last row");
    }

    void theCrosshairStaysAMarginInsideTheEdgeSeen() {
        Paste(PatternImage(3000, 2000));
        // Whole on the screen: every pixel of the view is seen.
        const QRect screen = Form2->screen()->availableGeometry();
        const int width = qMin(700, screen.width() - 20);
        Form2->move(screen.topLeft());
        Form2->resize(width, qMin(500, screen.height() - 40));
        QWidget *port = View()->viewport();
        QTRY_COMPARE(port->width(), width - Down()->width());
        const QPoint inWindow = port->mapTo(Form2, QPoint(300, 200));
        QTest::mouseClick(Form2->windowHandle(), Qt::LeftButton, Qt::NoModifier, inWindow);
        QCOMPARE(Visible().topLeft(), QPoint(0, 0));
        const int margin = digitize::FollowMargin;
        for (int i = 0; i < 600; ++i) {
            QTest::keyClick(Form2, Qt::Key_Right);
            const int inView = static_cast<int>(CurX) - Across()->value();
            QVERIFY2(inView >= margin && inView < port->width() - margin,
                     qPrintable(QStringLiteral("x %1 at %2 in the view").arg(CurX).arg(inView)));
        }
        QCOMPARE(CurX, 900.0F);
        // A click near the edge is in sight: the picture does not move under the mouse.
        const int before = Across()->value();
        QTest::mouseClick(Form2->windowHandle(), Qt::LeftButton, Qt::NoModifier,
                          port->mapTo(Form2, QPoint(port->width() - 3, 100)));
        QCOMPARE(Across()->value(), before);
        // A window reaching past the screen's edge: the edge seen is the screen's.
        Form2->move(screen.right() - 400, Form2->y());
        QTRY_COMPARE(Form2->pos().x(), screen.right() - 400);
        for (int i = 0; i < 300; ++i) {
            QTest::keyClick(Form2, Qt::Key_Right);
            const int onScreen = port->mapToGlobal(QPoint(int(CurX) - Across()->value(), 0)).x();
            QVERIFY2(onScreen <= screen.right() - margin,
                     qPrintable(QStringLiteral("x %1 shown at %2, the screen ends at %3")
                                    .arg(CurX)
                                    .arg(onScreen)
                                    .arg(screen.right())));
        }
    }

    void enlargingTheWindowShowsMoreOfThePicture() {
        QImage red(3000, 2000, QImage::Format_RGB32);
        red.fill(Qt::red);
        Paste(red);
        Form2->resize(1200, 900);
        // What the screen shows, from the window's backing store, not a fresh rendering.
        QTest::qWait(50);
        const QImage shown = Form2->screen()->grabWindow(Form2->winId()).toImage();
        const qreal ratio = qreal(shown.width()) / Form2->width();
        for (const QPoint p : {QPoint(20, 20), QPoint(1000, 700), QPoint(1150, 850)})
            QCOMPARE(shown.pixelColor((QPointF(p) * ratio).toPoint()), QColor(Qt::red));
    }

    void aFractionalPositionGoesToThePixelUnderThePointer() {
        Paste(PatternImage(300, 200));
        QWidget *area = Control<QWidget>(Form2, "Image1");
        const QPointF at(100.75, 50.6);
        QMouseEvent press(QEvent::MouseButtonPress, at, area->mapToGlobal(at), Qt::LeftButton,
                          Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(area, &press);
        QCOMPARE(CurX, 100.0F);
        QCOMPARE(CurY, 50.0F);
        QMouseEvent move(QEvent::MouseMove, QPointF(7.99, 3.5),
                         area->mapToGlobal(QPointF(7.99, 3.5)), Qt::NoButton, Qt::NoButton,
                         Qt::NoModifier);
        QApplication::sendEvent(area, &move);
        QCOMPARE(Readout(), QStringLiteral("7.0 ,  3.00"));
    }
};

QTEST_MAIN(TestScrolling)
#include "tst_scrolling.moc"
