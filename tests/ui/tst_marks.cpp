// The marks of recorded points as a user sees them: a ring for every point
// taken with Space or Auto Run, shown over the picture and never put into
// it, repainted alone when new, picked with a click and deleted with Delete
// (Ctrl+Z brings the point back), hidden and shown with M or the Marks box,
// and ringed in the loupe too. Read from what the screen shows.
#include "LoupeView.h"
#include "LoupeWindow.h"
#include "PictureArea.h"
#include "PictureView.h"
#include "UiTestSupport.h"
#include "digitize/loupe/Loupe.h"
#include "digitize/view/PointMarks.h"

#include <QCheckBox>
#include <QLineEdit>
#include <QPaintEvent>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScreen>
#include <QTemporaryDir>
#include <QUndoStack>

namespace {

// The first series' marks, vermillion (0x00BBGGRR 0x005ED5).
const QColor Vermillion(0xD5, 0x5E, 0x00);

} // namespace

class TestMarks : public QObject {
    Q_OBJECT

  private:
    std::unique_ptr<WindowFixture> fixture;
    QTemporaryDir dir;
    QImage band; // as loaded: white with a black band on rows 299..301

    QStringList Log() { return Lines(Control<QPlainTextEdit>(Form1, "Memo1")).mid(10); }
    QWidget *Area() { return Form2->View().Area(); }
    QCheckBox *MarksBox() { return Control<QCheckBox>(Form1, "CheckBox5"); }
    void Key(Qt::Key key, Qt::KeyboardModifiers mods = Qt::NoModifier) {
        QTest::keyClick(Form2, key, mods);
    }
    void Key(char typed) { QTest::keyClick(Form2, typed); }
    void Click(int x, int y) {
        QTest::mouseClick(Area(), Qt::LeftButton, Qt::NoModifier, QPoint(x, y));
    }
    void RecordAt(std::initializer_list<QPoint> pixels) {
        for (const QPoint p : pixels) {
            Click(p.x(), p.y());
            Key(Qt::Key_Space);
        }
    }
    // What the screen shows of the picture area (the window's backing store).
    QImage Shown() {
        Settle();
        const QImage window = Form2->screen()->grabWindow(Form2->winId()).toImage();
        return window.copy(QRect(Area()->mapTo(Form2, QPoint(0, 0)), Area()->size()))
            .convertToFormat(QImage::Format_RGB32);
    }
    // A pixel of a point's ring up and right of its centre, at one to one,
    // off the crosshair's lines through the point.
    static QPoint RingPixel(QPoint point) { return point + QPoint(3, -3); }

  private slots:
    void initTestCase() {
        QLocale::setDefault(QLocale::c());
        band = BandImage(600, 400);
        QVERIFY(band.save(dir.filePath("band.bmp")));
    }
    void init() {
        fixture = std::make_unique<WindowFixture>();
        Form2->LoadImage(dir.filePath("band.bmp"));
        FocusWindow(Form2);
    }
    void cleanup() { fixture.reset(); }

    void marksAppearForSpaceAndAutoRunAndLeaveThePictureAlone() {
        Click(100, 100);
        const QImage before = PictureNow();
        QCOMPARE(Shown().pixelColor(RingPixel({100, 100})), QColor(Qt::white));
        Key(Qt::Key_Space);
        QCOMPARE(Shown().pixelColor(RingPixel({100, 100})), Vermillion);
        QVERIFY2(Differences(before, PictureNow()).isEmpty(), "a mark went into the picture");

        // Auto Run along the band from X 0 to 500 in 50 steps.
        Control<QLineEdit>(Form1, "Edit2")->setText(QStringLiteral("500"));
        Click(500, 100);
        Key('a');
        Click(0, 350);
        Key('z');
        Click(2, 300);
        FollowCurveInSteps(QStringLiteral("050"));
        FocusWindow(Form2);
        Key(Qt::Key_Home);
        QTest::mouseClick(Control<QPushButton>(Form4, "Button2"), Qt::LeftButton);
        const auto &points = fixture->Windows().Points().Series().front().Points;
        QCOMPARE(points.size(), std::size_t{52});
        const QImage shown = Shown();
        for (std::size_t i = 1; i < points.size(); ++i) {
            const QPoint at(static_cast<int>(points[i].X), static_cast<int>(points[i].Y));
            QVERIFY2(shown.pixelColor(RingPixel(at)) == Vermillion,
                     qPrintable(QStringLiteral("no mark for point %1 at %2, %3")
                                    .arg(i)
                                    .arg(at.x())
                                    .arg(at.y())));
        }
        // Without the crosshair's own marks, every pixel is the picture's as loaded.
        const digitize::Surface &picture = Form2->Picture();
        const digitize::DrawnMarks marks = Form2->Marks();
        for (int y = 0; y < band.height(); ++y)
            for (int x = 0; x < band.width(); ++x) {
                const digitize::Colour c = digitize::CleanPixel(picture, marks, x, y);
                const QRgb want = band.pixel(x, y);
                QVERIFY2(c == (static_cast<digitize::Colour>(qRed(want)) |
                               static_cast<digitize::Colour>(qGreen(want)) << 8 |
                               static_cast<digitize::Colour>(qBlue(want)) << 16),
                         qPrintable(QStringLiteral("pixel %1, %2 changed").arg(x).arg(y)));
            }
    }

    void aNewPointRepaintsOnlyItsMark() {
        Click(200, 150);
        Settle();
        PaintRecorder recorder;
        Area()->installEventFilter(&recorder);
        Key(Qt::Key_Space);
        Settle();
        Area()->removeEventFilter(&recorder);
        const digitize::Rect mark = digitize::MarkBounds(
            digitize::MarkCentre(200, 150, digitize::OneToOne), digitize::PlainRing);
        const QRect ring(mark.Left, mark.Top, mark.Right - mark.Left, mark.Bottom - mark.Top);
        QVERIFY2(!recorder.painted.isEmpty(), "the new mark was painted");
        QVERIFY2(recorder.painted.subtracted(ring).isEmpty(),
                 "a new point repainted more than its mark");
    }

    void aClickedMarkIsSelectedAndDeleteTakesItsPointAwayUntilCtrlZ() {
        RecordAt({{100, 100}, {200, 150}, {300, 120}});
        const QStringList three = Log();
        QCOMPARE(three.size(), 3);
        // Nothing selected: Delete does nothing.
        Click(400, 200);
        Key(Qt::Key_Delete);
        QCOMPARE(Log(), three);
        // A click near the middle mark picks it, and moves the crosshair as any click.
        QCOMPARE(Shown().pixelColor(208, 150), QColor(Qt::white));
        Click(202, 153);
        QCOMPARE(CurX, 202.0F);
        QCOMPARE(CurY, 153.0F);
        QCOMPARE(Form2->View().SelectedPoint(), (std::optional<PointRef>(PointRef{0, 1})));
        QCOMPARE(Shown().pixelColor(208, 150), Vermillion); // the larger ring of the chosen one
        const int steps = fixture->Windows().Undo().count();
        Key(Qt::Key_Delete);
        QCOMPARE(Log(), QStringList({three.at(0), three.at(2)}));
        QCOMPARE(fixture->Windows().Undo().count(), steps + 1);
        QVERIFY(!Form2->View().SelectedPoint());
        const QImage gone = Shown();
        QCOMPARE(gone.pixelColor(RingPixel({200, 150})), QColor(Qt::white));
        QCOMPARE(gone.pixelColor(208, 150), QColor(Qt::white));
        // A second Delete has nothing chosen to remove.
        Key(Qt::Key_Delete);
        QCOMPARE(Log().size(), 2);
        Key(Qt::Key_Z, Qt::ControlModifier);
        QCOMPARE(Log(), three);
        QCOMPARE(Shown().pixelColor(RingPixel({200, 150})), Vermillion);
    }

    void mAndTheMarksBoxHideAndShowThemInTheLoupeToo() {
        QVERIFY2(MarksBox()->isChecked(), "marks are shown at start");
        QCOMPARE(MarksBox()->accessibleName(), QStringLiteral("Marks"));
        RecordAt({{150, 100}});
        QCOMPARE(Shown().pixelColor(RingPixel({150, 100})), Vermillion);
        Key('l');
        QVERIFY(QTest::qWaitForWindowExposed(Loupe));
        auto *loupe = Control<LoupeView>(Loupe, "View");
        // The crosshair's cell is in the loupe's middle; its ring reaches 8 above.
        const QPoint middle((loupe->width() - loupe->Zoom()) / 2 + loupe->Zoom() / 2,
                            (loupe->height() - loupe->Zoom()) / 2 + loupe->Zoom() / 2);
        const auto loupeShows = [&] {
            Settle();
            const QImage window = Loupe->screen()->grabWindow(Loupe->winId()).toImage();
            const QPoint at = loupe->mapTo(Loupe, middle - QPoint(0, 8));
            return window.pixelColor(at);
        };
        QCOMPARE(loupeShows(), Vermillion);

        FocusWindow(Form2);
        Key('m');
        QVERIFY(!MarksBox()->isChecked());
        QVERIFY(!Form2->View().MarksShown());
        QCOMPARE(Shown().pixelColor(RingPixel({150, 100})), QColor(Qt::white));
        QVERIFY(loupeShows() != Vermillion);
        // Hidden marks cannot be picked or deleted.
        Click(151, 101);
        Key(Qt::Key_Delete);
        QCOMPARE(Log().size(), 1);
        Key('M');
        QVERIFY(MarksBox()->isChecked());
        QCOMPARE(Shown().pixelColor(RingPixel({150, 100})), Vermillion);
        QCOMPARE(loupeShows(), Vermillion);

        // The box does the same, by a click.
        const auto tick = [&] {
            QTest::mouseClick(MarksBox(), Qt::LeftButton, Qt::NoModifier,
                              QPoint(6, MarksBox()->height() / 2));
        };
        tick();
        QVERIFY(!Form2->View().MarksShown());
        QCOMPARE(Shown().pixelColor(RingPixel({150, 100})), QColor(Qt::white));
        tick();
        QVERIFY(Form2->View().MarksShown());
        QCOMPARE(Shown().pixelColor(RingPixel({150, 100})), Vermillion);
    }
};

QTEST_MAIN(TestMarks)
#include "tst_marks.moc"
