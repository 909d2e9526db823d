// The advanced cursor window: interlocks, the steps field, stepping along
// X, Calc-Y, Find-Y and Auto Run, driven with real clicks and keys.
#include "UiTestSupport.h"

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScrollArea>
#include <QScrollBar>
#include <QTemporaryDir>

#include <cmath>

class TestAdvancedCursor : public QObject {
    Q_OBJECT

  private:
    std::unique_ptr<WindowFixture> fixture;
    QTemporaryDir dir;

    QCheckBox *Box(const char *name) { return Control<QCheckBox>(Form4, name); }
    QPushButton *Button(const char *name) { return Control<QPushButton>(Form4, name); }
    QLineEdit *Steps() { return Control<QLineEdit>(Form4, "MaskEdit1"); }
    QLineEdit *Tolerance() { return Control<QLineEdit>(Form4, "Edit1"); }
    QString Readout() { return Control<QLabel>(Form1, "Label3")->text(); }
    QString StepsLabel() { return Control<QLabel>(Form4, "Label2")->text(); }
    QStringList Recorded() { return Lines(Control<QPlainTextEdit>(Form1, "Memo1")).mid(10); }

    void Tick(QCheckBox *box) {
        QTest::mouseClick(box, Qt::LeftButton, Qt::NoModifier, QPoint(6, box->height() / 2));
    }
    void Key(Qt::Key key, Qt::KeyboardModifiers mods = Qt::NoModifier) {
        QTest::keyClick(Form2, key, mods);
    }
    void Click(int x, int y) {
        QTest::mouseClick(Control<QWidget>(Form2, "Image1"), Qt::LeftButton, Qt::NoModifier,
                          QPoint(x, y));
    }
    void SetField(const char *name, const char *text) {
        Control<QLineEdit>(Form1, name)->setText(QString::fromLatin1(text));
    }
    void TypeSteps(const char *digits) {
        FocusWindow(Form4, Steps());
        Steps()->setCursorPosition(0);
        QTest::keyClicks(Steps(), QString::fromLatin1(digits));
    }
    // X years 1950..1980 at pixels 100..400, Y 0..10 at rows 500..100.
    void Calibrate() {
        SetField("Edit1", "1950");
        SetField("Edit2", "1980");
        SetField("Edit3", "0");
        SetField("Edit4", "10");
        FocusWindow(Form2);
        Click(400, 100);
        QTest::keyClick(Form2, 'a');
        Click(100, 500);
        QTest::keyClick(Form2, 'z');
    }
    // The curve: a black band on rows 299..301, its colour sampled at (150, 300);
    // right of column 500 a second one on rows 649..651, near the picture's foot.
    void FollowTheBand() {
        Click(150, 300);
        QTest::mouseClick(Button("Button1"), Qt::LeftButton);
        Tick(Box("CheckBox1"));
        Tick(Box("CheckBox4"));
        QVERIFY(FindYOn && Button("Button2")->isEnabled());
        FocusWindow(Form2);
    }

  private slots:
    void initTestCase() {
        QLocale::setDefault(QLocale::c());
        QImage band(600, 700, QImage::Format_RGB32);
        band.fill(Qt::white);
        for (int y = 299; y <= 301; ++y)
            for (int x = 0; x < 600; ++x) {
                band.setPixel(x, y, qRgb(0, 0, 0));
                if (x >= 500)
                    band.setPixel(x, y + 350, qRgb(0, 0, 0));
            }
        QVERIFY(band.save(dir.filePath("band.bmp")));
        // A band on rows 199..201 that ends at column 134.
        QImage edge(300, 300, QImage::Format_RGB32);
        edge.fill(Qt::white);
        for (int y = 199; y <= 201; ++y)
            for (int x = 0; x <= 134; ++x)
                edge.setPixel(x, y, qRgb(0, 0, 0));
        QVERIFY(edge.save(dir.filePath("edge.bmp")));
    }
    void init() {
        fixture = std::make_unique<WindowFixture>();
        Form2->LoadImage(dir.filePath("band.bmp"));
        Form4->show();
    }
    void cleanup() { fixture.reset(); }

    void startsWithItsHelpAndControls() {
        QCOMPARE(Form4->windowTitle(), QStringLiteral("Cursor"));
        const QStringList lines = Lines(Control<QPlainTextEdit>(Form4, "Memo1"));
        QCOMPARE(lines.size(), 137);
        QCOMPARE(lines.at(0), QStringLiteral("Advanced Cursor Functions:"));
        QCOMPARE(lines.at(2), QStringLiteral("* * *  Step Rate  * * *"));
        QCOMPARE(lines.at(31), QStringLiteral("crosshair.  This box will help the user "));
        QCOMPARE(lines.at(95), QStringLiteral("(ctrl-up)  AutoFind the Y."));
        QCOMPARE(lines.at(109), QStringLiteral("stepped through manually."));
        QCOMPARE(lines.at(110), QString());
        QCOMPARE(lines.at(111), QStringLiteral("* * *  Colour Tolerance  * * *"));
        QCOMPARE(lines.at(121), QStringLiteral("* * *  Sub-pixel Y  * * *"));
        QCOMPARE(Steps()->displayText(), QStringLiteral("010"));
        QCOMPARE(Tolerance()->text(), QStringLiteral("64"));
        QCOMPARE(Tolerance()->accessibleName(), QStringLiteral("Colour tolerance"));
        QCOMPARE(Box("CheckBox5")->text(), QStringLiteral("Sub-pixel Y"));
        QVERIFY(!Box("CheckBox5")->isEnabled());
        QCOMPARE(StepsLabel(), QStringLiteral("10 Steps = 10"));
        QVERIFY(!Box("CheckBox3")->isEnabled() && !Box("CheckBox4")->isEnabled());
        QVERIFY(!Button("Button2")->isEnabled());
        QCOMPARE(Box("CheckBox1")->text(), QStringLiteral("Use X Step Rate:"));
    }

    void theCheckBoxesInterlock() {
        // Before the crosshair is on the picture the colour read is "outside": white.
        QTest::mouseClick(Button("Button1"), Qt::LeftButton);
        QCOMPARE(LineColor, digitize::OutsideColour);
        QCOMPARE(Control<QWidget>(Form4, "Panel1")->palette().color(QPalette::Window),
                 QColor(Qt::white));
        QVERIFY(Box("CheckBox3")->isEnabled() && Box("CheckBox4")->isEnabled());
        QVERIFY(Box("CheckBox5")->isEnabled());

        Tick(Box("CheckBox5"));
        QVERIFY2(!Box("CheckBox5")->isChecked() && !SubPixelOn, "Sub-pixel Y needs the step rate");
        Tick(Box("CheckBox4"));
        QVERIFY2(!Box("CheckBox4")->isChecked(), "Find-Y needs the step rate");
        QVERIFY(!FindYOn && !Button("Button2")->isEnabled());
        Tick(Box("CheckBox3"));
        QVERIFY(!Box("CheckBox3")->isChecked() && !CalcYOn);

        Tick(Box("CheckBox1"));
        QVERIFY(XStepOn && BoxShown);
        Tick(Box("CheckBox3"));
        Tick(Box("CheckBox4"));
        Tick(Box("CheckBox5"));
        QVERIFY(CalcYOn && FindYOn && SubPixelOn && Button("Button2")->isEnabled());
        Tick(Box("CheckBox5"));
        QVERIFY(!SubPixelOn && CalcYOn);
        Tick(Box("CheckBox5"));

        Tick(Box("CheckBox1"));
        QVERIFY(!XStepOn && !BoxShown && !CalcYOn && !FindYOn && !SubPixelOn);
        QVERIFY(!Box("CheckBox5")->isChecked());
        QVERIFY(!Box("CheckBox3")->isChecked() && !Box("CheckBox4")->isChecked());
        QVERIFY(!Button("Button2")->isEnabled());
        QVERIFY2(Box("CheckBox3")->isEnabled(), "the boxes stay available once a colour is set");
    }

    void setLineColorSamplesTheCurveUnderTheCrosshair() {
        Click(150, 300);
        QTest::mouseClick(Button("Button1"), Qt::LeftButton);
        QCOMPARE(LineColor, 0x000000u);
        QCOMPARE(Control<QWidget>(Form4, "Panel1")->palette().color(QPalette::Window),
                 QColor(Qt::black));
    }

    void theStepsFieldSetsStepSizeBoxAndLabel() {
        Calibrate();
        TypeSteps("030");
        QCOMPARE(StepsLabel(), QStringLiteral(" 30 Steps = 1.0"));
        QCOMPARE(StepPixels, 10.0F);
        QCOMPARE(BoxHalfW, 6);
        QCOMPARE(BoxHalfH, 15);
        // Only digits, signs and blanks go in; the signs and blanks count for nothing.
        Steps()->setCursorPosition(1);
        QTest::keyClick(Steps(), 'x');
        QCOMPARE(Steps()->displayText(), QStringLiteral("030"));
        TypeSteps("+ 5");
        QCOMPARE(Steps()->displayText(), QStringLiteral("+_5"));
        QCOMPARE(StepsLabel(), QStringLiteral("  5 Steps = 6.0"));
        // Cleared, it counts one step over the whole Zero-Max distance.
        Steps()->selectAll();
        QTest::keyClick(Steps(), Qt::Key_Delete);
        QCOMPARE(Steps()->displayText(), QStringLiteral("___"));
        QCOMPARE(StepsLabel(), QStringLiteral("  1 Steps = 30.0"));
        QCOMPARE(StepPixels, 300.0F);
        QCOMPARE(BoxHalfW, 151);
        // A bad X field stops the change before anything is stored.
        SetField("Edit2", "19.8.0");
        const ErrorBoxSeen seen = CatchErrorBox([&] { TypeSteps("5"); });
        QCOMPARE(seen.text, QStringLiteral("'19.8.0' is not a valid floating point value."));
        QCOMPARE(StepsLabel(), QStringLiteral("  1 Steps = 30.0"));
        QCOMPARE(StepPixels, 300.0F);
    }

    void homeThenCtrlRightStepsInExactGraphSteps() {
        Calibrate();
        TypeSteps("030");
        Tick(Box("CheckBox1"));
        FocusWindow(Form2);
        Click(250, 200);
        Key(Qt::Key_Home);
        QCOMPARE(CurX, 100.0F);
        QCOMPARE(CurY, 200.0F);
        for (int i = 0; i < 3; ++i)
            Key(Qt::Key_Right, Qt::ControlModifier);
        QCOMPARE(CurX, 130.0F);
        QCOMPARE(StepIndex, 3);
        // An arrow does not change the step index.
        Key(Qt::Key_Right);
        Key(Qt::Key_Right, Qt::ControlModifier);
        QCOMPARE(CurX, 140.0F);
        Key(Qt::Key_Left, Qt::ControlModifier | Qt::ShiftModifier);
        QCOMPARE(CurX, 130.0F);
        // Home starts the count again at the Zero column.
        Key(Qt::Key_Home);
        QCOMPARE(CurX, 100.0F);
        Key(Qt::Key_Right, Qt::ControlModifier);
        QCOMPARE(CurX, 110.0F);
    }

    void ctrlArrowsWaitForTheirOption_data() {
        QTest::addColumn<int>("key");
        QTest::addColumn<bool>("stepRate");
        QTest::addColumn<QPointF>("lands");
        // The crosshair starts at (250, 280), the band lies on row 300, Zero at column 100.
        QTest::newRow("Ctrl+Right, no step rate")
            << int(Qt::Key_Right) << false << QPointF(250, 280);
        QTest::newRow("Ctrl+Left, no step rate") << int(Qt::Key_Left) << false << QPointF(250, 280);
        QTest::newRow("Ctrl+Up, no Find-Y") << int(Qt::Key_Up) << true << QPointF(250, 280);
        QTest::newRow("Ctrl+Down, no Find-Y") << int(Qt::Key_Down) << true << QPointF(250, 280);
        QTest::newRow("Ctrl+Up, nothing ticked") << int(Qt::Key_Up) << false << QPointF(250, 280);
        QTest::newRow("Ctrl+Right steps, no Find-Y")
            << int(Qt::Key_Right) << true << QPointF(110, 280);
        QTest::newRow("Ctrl+Left steps, no Find-Y")
            << int(Qt::Key_Left) << true << QPointF(90, 280);
    }
    // A colour on the curve is set, so a search would move the crosshair.
    void ctrlArrowsWaitForTheirOption() {
        QFETCH(int, key);
        QFETCH(bool, stepRate);
        QFETCH(QPointF, lands);
        Calibrate();
        TypeSteps("030");
        Click(150, 300);
        QTest::mouseClick(Button("Button1"), Qt::LeftButton);
        if (stepRate)
            Tick(Box("CheckBox1"));
        QCOMPARE(XStepOn, stepRate);
        QVERIFY(!FindYOn);
        FocusWindow(Form2);
        Click(250, 280);
        Key(static_cast<Qt::Key>(key), Qt::ControlModifier);
        QCOMPARE(QPointF(CurX, CurY), lands);
    }

    void fractionalStepsLandOnExactValues() {
        SetField("Edit1", "0");
        SetField("Edit2", "7");
        FocusWindow(Form2);
        Click(200, 200);
        QTest::keyClick(Form2, 'a');
        Click(100, 300);
        QTest::keyClick(Form2, 'z');
        TypeSteps("007");
        QCOMPARE(StepsLabel(), QStringLiteral("  7 Steps = 1.0"));
        Tick(Box("CheckBox1"));
        FocusWindow(Form2);
        Key(Qt::Key_Home);
        for (int i = 0; i < 3; ++i)
            Key(Qt::Key_Right, Qt::ControlModifier);
        QCOMPARE(CurX, 100.0F + 3 * (100.0F / 7.0F));
        // 0.07 a pixel: two decimals, the last worth at most a pixel.
        QVERIFY(Control<QLabel>(Form1, "Label3")->text().startsWith(QStringLiteral("3.00 , ")));
    }

    void calcYReadsTheBoxAverage() {
        Calibrate();
        TypeSteps("030");
        Click(150, 300);
        QTest::mouseClick(Button("Button1"), Qt::LeftButton);
        Tick(Box("CheckBox1"));
        Tick(Box("CheckBox3"));
        FocusWindow(Form2);
        Click(200, 295); // the band is centred on row 300: Y 5.00
        QCOMPARE(Control<QLabel>(Form1, "Label3")->text(), QStringLiteral("1960.0 ,  5.00"));
        Click(250, 200); // no band in the box: the plain Y of this row, not of the column
        QCOMPARE(Control<QLabel>(Form1, "Label3")->text(), QStringLiteral("1965.0 ,  7.50"));
    }

    // The readout averages the box around the point it reads: the crosshair
    // at its exact, fractional X, or the mouse, each at its own row.
    void calcYCentresTheBoxOnThePointItReads() {
        Form2->LoadImage(dir.filePath("edge.bmp")); // the start calibration: values are pixels
        TypeSteps("007"); // 100/7 pixels a step, a box 8 columns either side
        Click(50, 200);
        QTest::mouseClick(Button("Button1"), Qt::LeftButton);
        Tick(Box("CheckBox1"));
        Tick(Box("CheckBox3"));
        FocusWindow(Form2);
        Click(5, 195);
        Key(Qt::Key_Home);
        for (int i = 0; i < 10; ++i)
            Key(Qt::Key_Right, Qt::ControlModifier);
        // X 142.857 rounds to 143: the box's first column is 135, past the band.
        QCOMPARE(Readout(), QStringLiteral("142.9 , 195.00"));
        struct Row {
            QPoint mouse;
            const char *readout;
        };
        const Row rows[] = {
            {{60, 150}, "60.0 , 150.00"},   // the band below its box: its own row
            {{60, 190}, "60.0 , 199.98"},   // the band in its box, its upper rows nearer
            {{170, 190}, "170.0 , 190.00"}, // no band in its box
            {{142, 190}, "142.0 , 199.98"}, // its box reaches the band's last column
        };
        QWidget *image = Control<QWidget>(Form2, "Image1");
        for (const Row &row : rows) {
            QTest::mouseMove(image, row.mouse);
            QCOMPARE(Readout(), QString::fromLatin1(row.readout));
        }
    }

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

QTEST_MAIN(TestAdvancedCursor)
#include "tst_advancedcursor.moc"
