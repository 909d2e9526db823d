// The advanced cursor's searches: Find-Y after every step, Auto Run to X
// Max, the colour tolerance and Sub-pixel Y, driven with real clicks and keys.
#include "CursorDriving.h"

#include <QPainter>
#include <QScrollArea>
#include <QScrollBar>

#include <cmath>

class TestCursorSearch : public QObject, protected CursorDriving {
    Q_OBJECT

  private slots:
    void initTestCase() { MakePictures(); }
    void init() { Start(); }
    void cleanup() { fixture.reset(); }

    void findYPutsTheCrosshairOnTheCurveAfterEveryStep() {
        Calibrate();
        TypeSteps("030");
        FollowTheBand();
        Click(250, 280);
        Key(Qt::Key_Up, Qt::ControlModifier);
        QCOMPARE(CurY, 300.0F);
        QCOMPARE(CurX, 250.0F);
        Key(Qt::Key_Home);
        Key(Qt::Key_Down);
        Key(Qt::Key_Down);
        Key(Qt::Key_Right, Qt::ControlModifier);
        QCOMPARE(CurX, 110.0F);
        QCOMPARE(CurY, 300.0F);
        // The search reaches down to five rows above the picture's foot.
        Click(550, 630);
        Key(Qt::Key_Down, Qt::ControlModifier);
        QCOMPARE(CurY, 650.0F);
    }

    void autoRunRecordsEveryStepUpToMax() {
        Calibrate();
        TypeSteps("030");
        FollowTheBand();
        Key(Qt::Key_Home);
        // In a narrow window the run ends out of the view it started in.
        auto *view = Control<QScrollArea>(Form2, "ScrollBox1");
        Form2->resize(250, 400);
        QTRY_VERIFY(view->viewport()->width() < 250);
        QTest::mouseClick(Button("Button2"), Qt::LeftButton);
        const QRect shown(view->horizontalScrollBar()->value(), view->verticalScrollBar()->value(),
                          view->viewport()->width(), view->viewport()->height());
        QVERIFY2(shown.contains(QPoint(410, 300)), "the view follows the run's end");
        const QStringList lines = Recorded();
        QCOMPARE(lines.size(), 31);
        QCOMPARE(lines.first(), QStringLiteral("1950.0 ,  5.00"));
        QCOMPARE(lines.at(15), QStringLiteral("1965.0 ,  5.00"));
        QCOMPARE(lines.last(), QStringLiteral("1980.0 ,  5.00"));
        QCOMPARE(CurX, 410.0F);
    }

    void autoRunFollowsTheStepIndexNotTheCrosshair() {
        Calibrate();
        TypeSteps("030");
        FollowTheBand();
        Key(Qt::Key_Home);
        for (int i = 0; i < 30; ++i)
            Key(Qt::Key_Right, Qt::ControlModifier);
        QCOMPARE(CurX, 400.0F);
        Click(250, 300);
        QTest::mouseClick(Button("Button2"), Qt::LeftButton);
        QCOMPARE(Recorded(), QStringList({"1965.0 ,  5.00"}));
        QCOMPARE(CurX, 410.0F);
    }

    void autoRunCanStartBeforeZero() {
        Calibrate();
        TypeSteps("030");
        FollowTheBand();
        Key(Qt::Key_Home);
        Key(Qt::Key_Left, Qt::ControlModifier);
        Key(Qt::Key_Left, Qt::ControlModifier);
        QTest::mouseClick(Button("Button2"), Qt::LeftButton);
        QCOMPARE(Recorded().size(), 33);
        QCOMPARE(Recorded().first(), QStringLiteral("1948.0 ,  5.00"));
    }

    // Zero locked right of Max: the steps are negative and the run goes left to Max.
    void autoRunWithNegativeStepsRunsTowardsMaxAndEnds() {
        SetField("Edit1", "1980");
        SetField("Edit2", "1950");
        FocusWindow(Form2);
        Click(100, 100);
        QTest::keyClick(Form2, 'a');
        Click(400, 500);
        QTest::keyClick(Form2, 'z');
        TypeSteps("030");
        QCOMPARE(StepPixels, -10.0F);
        FollowTheBand();
        Key(Qt::Key_Home);
        QTest::mouseClick(Button("Button2"), Qt::LeftButton);
        const QStringList lines = Recorded();
        QCOMPARE(lines.size(), 31);
        QCOMPARE(lines.first(), QStringLiteral("1980.0 , 50.00"));
        QCOMPARE(lines.last(), QStringLiteral("1950.0 , 50.00"));
        QCOMPARE(CurX, 90.0F);
    }

    void findYNeverLeavesAMarkBehind() {
        Calibrate();
        TypeSteps("030");
        Click(150, 300);
        QTest::mouseClick(Button("Button1"), Qt::LeftButton);
        FocusWindow(Form2);
        const QImage clean = [&] {
            Form2->MoveCrosshair(-5000, -5000);
            return PictureNow();
        }();
        Click(250, 280); // cross drawn, no box yet
        Tick(Box("CheckBox1"));
        Tick(Box("CheckBox4"));
        FocusWindow(Form2);
        Key(Qt::Key_Up, Qt::ControlModifier);
        QCOMPARE(CurY, 300.0F);
        Form2->MoveCrosshair(-5000, -5000);
        QCOMPARE(Differences(clean, PictureNow()), QList<QPoint>());
        // Nor when the step count changed since the box was drawn.
        Click(260, 290);
        TypeSteps("010");
        FocusWindow(Form2);
        Key(Qt::Key_Down, Qt::ControlModifier);
        Form2->MoveCrosshair(-5000, -5000);
        QCOMPARE(Differences(clean, PictureNow()), QList<QPoint>());
    }

    void aFieldErrorEndsAutoRunKeepingItsLines() {
        Calibrate();
        TypeSteps("030");
        FollowTheBand();
        Key(Qt::Key_Home);
        Control<QLineEdit>(Form1, "Edit4")->setText(QStringLiteral("ten"));
        const ErrorBoxSeen seen =
            CatchErrorBox([&] { QTest::mouseClick(Button("Button2"), Qt::LeftButton); });
        QCOMPARE(seen.text, QStringLiteral("'ten' is not a valid floating point value."));
        QVERIFY(Recorded().isEmpty());
    }

    // Black band on rows 299..301 (the sampled colour) and a grey one (100 a
    // channel off it) on rows 269..271, nearer the crosshair at row 280.
    void theToleranceFieldDecidesWhatFindYTakesForTheCurve() {
        QImage bands(600, 700, QImage::Format_RGB32);
        bands.fill(Qt::white);
        for (int x = 0; x < 600; ++x)
            for (int d = -1; d <= 1; ++d) {
                bands.setPixel(x, 300 + d, qRgb(0, 0, 0));
                bands.setPixel(x, 270 + d, qRgb(100, 100, 100));
            }
        QVERIFY(bands.save(dir.filePath("bands.bmp")));
        Form2->LoadImage(dir.filePath("bands.bmp"));
        Calibrate();
        TypeSteps("030");
        FollowTheBand();
        const auto findFrom = [&](int row) {
            Click(250, row);
            Key(Qt::Key_Up, Qt::ControlModifier);
            return CurY;
        };
        QCOMPARE(findFrom(280), 300.0F);

        const auto type = [&](const char *text, Qt::Key leave) {
            FocusWindow(Form4, Tolerance());
            Tolerance()->selectAll();
            QTest::keyClicks(Tolerance(), QString::fromLatin1(text));
            return CatchErrorBox([&] { QTest::keyClick(Tolerance(), leave); });
        };
        QVERIFY(!type("120", Qt::Key_Tab).shown);
        QCOMPARE(ColorTolerance, 120);
        FocusWindow(Form2);
        QCOMPARE(findFrom(280), 270.0F);

        // A refused text is named in the error box; the field goes back to the
        // tolerance in use, and the search with it.
        struct Refused {
            const char *text;
            const char *message;
        };
        for (const Refused &row :
             {Refused{"300", "'300' is not a colour tolerance from 1 to 255."},
              Refused{"0", "'0' is not a colour tolerance from 1 to 255."},
              Refused{"1,2,3", "'1,2,3' is not a valid floating point value."}}) {
            const ErrorBoxSeen seen = type(row.text, Qt::Key_Return);
            QVERIFY2(seen.shown, row.text);
            QCOMPARE(seen.title, QStringLiteral("Curvelift"));
            QCOMPARE(seen.text, QString::fromLatin1(row.message));
            QVERIFY(seen.critical);
            QCOMPARE(Tolerance()->text(), QStringLiteral("120"));
            QCOMPARE(ColorTolerance, 120);
        }
        QVERIFY(!type(" 64", Qt::Key_Return).shown);
        QCOMPARE(Tolerance()->text(), QStringLiteral("64"));
        FocusWindow(Form2);
        QCOMPARE(findFrom(280), 300.0F);
    }

    // A 2-pixel anti-aliased line of slope 1 whose centre is row x + 0.4 at
    // column x; 7 steps of 300/7 pixels put the crosshair between columns.
    void subPixelYRecordsTheLineCentreAtTheExactX() {
        QImage line(600, 700, QImage::Format_RGB32);
        line.fill(Qt::white);
        {
            QPainter painter(&line);
            painter.setRenderHint(QPainter::Antialiasing);
            painter.setPen(QPen(QColor(20, 40, 170), 2.0, Qt::SolidLine, Qt::FlatCap));
            // Pixel (x, y) is centred on (x + 0.5, y + 0.5) in painter coordinates.
            painter.drawLine(QPointF(120.5, 120.9), QPointF(380.5, 380.9));
        }
        QVERIFY(line.save(dir.filePath("line.bmp")));
        Form2->LoadImage(dir.filePath("line.bmp"));
        Calibrate();
        TypeSteps("007");
        Click(250, 250);
        QTest::mouseClick(Button("Button1"), Qt::LeftButton);
        Tick(Box("CheckBox1"));
        Tick(Box("CheckBox4"));
        const auto stepThrice = [&] {
            FocusWindow(Form2);
            Key(Qt::Key_Home);
            for (int i = 0; i < 3; ++i)
                Key(Qt::Key_Right, Qt::ControlModifier);
        };
        // Today's record: Find-Y's row in the column the step rounds to.
        stepThrice();
        QCOMPARE(CurX, 229.0F);
        QCOMPARE(CurY, 229.0F);
        Key(Qt::Key_Space);
        QCOMPARE(Recorded().last(), QStringLiteral("1962.9 ,  6.78"));

        // Sub-pixel Y keeps the step's exact X and reads the centre there.
        Tick(Box("CheckBox5"));
        QVERIFY(SubPixelOn);
        stepThrice();
        const float x = 100.0F + 3 * (300.0F / 7.0F); // 228.57
        QCOMPARE(CurX, x);
        QCOMPARE(CurY, 229.0F);
        const QImage before = PictureNow();
        Key(Qt::Key_Space);
        const QStringList parts = Recorded().last().split(QStringLiteral(" , "));
        QCOMPARE(parts.size(), 2);
        QCOMPARE(parts[0], QStringLiteral("1962.9"));
        // Two decimals cannot show a tenth of a pixel, 0.0025: three can.
        QVERIFY2(parts[1].indexOf(QLatin1Char('.')) == parts[1].size() - 4, qPrintable(parts[1]));
        const double centre = 12.5 - (x + 0.4) / 40.0;
        QVERIFY2(std::fabs(parts[1].toDouble() - centre) <= 0.1 / 40.0,
                 qPrintable(parts[1] + " for " + QString::number(centre)));
        QCOMPARE(Readout(), Recorded().last());
        // The marks were lifted for the estimate and are back, unchanged.
        QVERIFY(CrossDrawn && BoxDrawn);
        QCOMPARE(Differences(before, PictureNow()), QList<QPoint>());

        // With no line in the box, Y is the crosshair's.
        Click(300, 450);
        QCOMPARE(Readout(), QStringLiteral("1970.0 , 1.250"));
        Tick(Box("CheckBox1"));
        QVERIFY(!SubPixelOn);
        FocusWindow(Form2);
        Click(300, 450);
        QCOMPARE(Readout(), QStringLiteral("1970.0 ,  1.25"));
    }
};

QTEST_MAIN(TestCursorSearch)
#include "tst_cursorsearch.moc"
