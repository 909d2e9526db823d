// The calibration follows the user: the step size after locking and after a
// new X value, the distinctness check against locked points only, the
// readout right after a lock, a picture of another size clearing the locks
// and one of the same size keeping them; and the log keeping what the picture
// gives, one unit of its last decimal worth at most a pixel.
#include "UiTestSupport.h"

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTemporaryDir>

class TestCalibrationFollows : public QObject {
    Q_OBJECT

  private:
    std::unique_ptr<WindowFixture> fixture;
    QTemporaryDir dir;

    QWidget *Area() { return Control<QWidget>(Form2, "Image1"); }
    void Click(int x, int y) {
        QTest::mouseClick(Area(), Qt::LeftButton, Qt::NoModifier, QPoint(x, y));
    }
    void Type(char c) { QTest::keyClick(Form2, c); }
    QString Readout() { return Control<QLabel>(Form1, "Label3")->text(); }
    QString Status() { return Control<QLabel>(Form2, "Label2")->text(); }
    QString StepsLabel() { return Control<QLabel>(Form4, "Label2")->text(); }
    QColor Background(const char *field) {
        return Control<QLineEdit>(Form1, field)->palette().color(QPalette::Base);
    }
    QString HelpLabel(const char *name) { return Control<QLabel>(Form3, name)->text(); }
    QStringList Recorded() { return Lines(Control<QPlainTextEdit>(Form1, "Memo1")).mid(10); }
    QString Picture(int width, int height, const char *name) {
        const QString path = dir.filePath(QString::fromLatin1(name));
        if (!BandImage(width, height).save(path))
            qFatal("cannot write %s", qPrintable(path));
        return path;
    }
    void TypeSteps(const char *digits) {
        auto *steps = Control<QLineEdit>(Form4, "MaskEdit1");
        Form4->show();
        FocusWindow(Form4, steps);
        steps->setCursorPosition(0);
        QTest::keyClicks(steps, QString::fromLatin1(digits));
    }
    // X 0..10 at pixels 100..700, Y 0..10 at rows 500..100.
    void Calibrate() {
        TypeField("Edit1", QStringLiteral("0"));
        TypeField("Edit2", QStringLiteral("10"));
        TypeField("Edit3", QStringLiteral("0"));
        TypeField("Edit4", QStringLiteral("10"));
        FocusWindow(Form2);
        Click(700, 100);
        Type('a');
        Click(100, 500);
        Type('z');
    }

  private slots:
    void initTestCase() { QLocale::setDefault(QLocale::c()); }
    void init() { fixture = std::make_unique<WindowFixture>(); }
    void cleanup() { fixture.reset(); }

    // A hundred steps typed before the points are locked: the run takes a
    // hundred steps over the locked distance, not over the start one.
    void theStepSizeFollowsTheLocks() {
        Form2->LoadImage(Picture(800, 600, "band.png"));
        TypeSteps("100");
        Calibrate();
        QCOMPARE(StepsLabel(), QStringLiteral("100 Steps = 0.1"));
        QCOMPARE(StepPixels, 6.0F);
        QCOMPARE(BoxHalfW, 4);
        // Find-Y on the band, the steps field left as it was typed.
        Click(100, 300);
        QTest::mouseClick(Control<QPushButton>(Form4, "Button1"), Qt::LeftButton);
        for (const char *name : {"CheckBox1", "CheckBox4"}) {
            auto *box = Control<QCheckBox>(Form4, name);
            QTest::mouseClick(box, Qt::LeftButton, Qt::NoModifier, QPoint(6, box->height() / 2));
        }
        FocusWindow(Form2);
        QTest::keyClick(Form2, Qt::Key_Home);
        QTest::mouseClick(Control<QPushButton>(Form4, "Button2"), Qt::LeftButton);
        QCoreApplication::processEvents();
        QCOMPARE(Recorded().size(), 101);
        QCOMPARE(Recorded().last(), QStringLiteral("10.00 ,  5.00"));
        // A new X value changes the graph units of a step at once.
        FocusWindow(Form1, Control<QLineEdit>(Form1, "Edit2"));
        Control<QLineEdit>(Form1, "Edit2")->selectAll();
        QTest::keyClicks(Control<QLineEdit>(Form1, "Edit2"), QStringLiteral("20"));
        QCOMPARE(StepsLabel(), QStringLiteral("100 Steps = 0.2"));
    }

    void onlyALockedPointCanRefuseALock() {
        FocusWindow(Form2);
        // Max has never been locked: its start pixel (100, 100) refuses nothing.
        Click(100, 37);
        Type('z');
        QVERIFY(!Control<QWidget>(Form2, "Panel1")->isVisible());
        QCOMPARE(ZeroPt, (digitize::Point{100, 37}));
        // Once locked, it does.
        Click(300, 200);
        Type('a');
        Click(300, 400);
        Type('z');
        QVERIFY(Control<QWidget>(Form2, "Panel1")->isVisible());
        QCOMPARE(ZeroPt, (digitize::Point{100, 37}));
    }

    void theReadoutShowsTheNewConversionAtOnce() {
        TypeField("Edit2", QStringLiteral("10"));
        TypeField("Edit4", QStringLiteral("10"));
        FocusWindow(Form2);
        Click(700, 100);
        QCOMPARE(Readout(), QStringLiteral("70.0 , 10.00"));
        Type('a');
        QCOMPARE(Readout(), QStringLiteral("10.00 , 10.00"));
    }

    void aPictureOfAnotherSizeClearsTheCalibration() {
        Form2->LoadImage(Picture(800, 600, "first.png"));
        TypeSteps("050");
        Calibrate();
        QCOMPARE(StepPixels, 12.0F);
        // The same size keeps it: the next chart of one layout.
        Form2->LoadImage(Picture(800, 600, "same.png"));
        QVERIFY2(Status().contains(QStringLiteral("calibration kept")), qPrintable(Status()));
        QCOMPARE(Background("Edit1"), QColor(0xCC, 0xFF, 0xCC));
        QCOMPARE(HelpLabel("Label2"), QStringLiteral("X Max  = 10 : 700"));
        QCOMPARE(StepPixels, 12.0F);
        QCOMPARE(ZeroPt, (digitize::Point{100, 500}));
        // Another size clears the locks, a third point's too, their marks and
        // the step size.
        FocusWindow(Form2);
        Click(700, 500);
        QTest::keyClick(Form2, Qt::Key_C);
        QVERIFY(Form2->ThirdPoint());
        Form2->LoadImage(Picture(640, 480, "smaller.png"));
        QVERIFY(!Form2->ThirdPoint());
        QVERIFY2(Status().contains(QStringLiteral("calibration cleared")), qPrintable(Status()));
        for (const char *field : {"Edit1", "Edit2", "Edit3", "Edit4"})
            QCOMPARE(Background(field), QColor(0xFF, 0xCC, 0xCC));
        QCOMPARE(HelpLabel("Label1"), QStringLiteral("X Zero = 000 : 0"));
        QCOMPARE(HelpLabel("Label4"), QStringLiteral("Y Max  = 100 : 100"));
        QCOMPARE(StepPixels, 10.0F);
        QCOMPARE(StepsLabel(), QStringLiteral("10 Steps = 10"));
        // Nothing is locked now: a first lock anywhere is taken.
        FocusWindow(Form2);
        Click(100, 10);
        Type('z');
        QVERIFY(!Control<QWidget>(Form2, "Panel1")->isVisible());
        QCOMPARE(ZeroPt, (digitize::Point{100, 10}));
    }

    // X 0..10 on 600 pixels is 0.017 a pixel: X takes two decimals, so that
    // rounding the text moves a point by at most half a pixel.
    void theLogKeepsWhatThePictureGives() {
        Calibrate();
        Click(160, 300);
        Type(' ');
        Click(166, 302);
        Type(' ');
        QCoreApplication::processEvents();
        QCOMPARE(Recorded(), QStringList({"1.00 ,  5.00", "1.10 ,  4.95"}));
        QCOMPARE(Readout(), QStringLiteral("1.10 ,  4.95"));
        Control<QCheckBox>(Form1, "CheckBox1")->setChecked(true);
        Type(' ');
        QCoreApplication::processEvents();
        QCOMPARE(Recorded().last(), QStringLiteral("  1 ,  4.95"));
    }
};

QTEST_MAIN(TestCalibrationFollows)
#include "tst_calibrationfollows.moc"
