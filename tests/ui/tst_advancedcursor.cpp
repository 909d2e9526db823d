// The advanced cursor window: interlocks, the steps field, stepping along
// X in exact graph steps, Calc-Y, driven with real clicks and keys.
#include "CursorDriving.h"

#include <QPainter>
#include <QScrollArea>
#include <QScrollBar>

#include <cmath>

class TestAdvancedCursor : public QObject, protected CursorDriving {
    Q_OBJECT

  private slots:
    void initTestCase() { MakePictures(); }
    void init() { Start(); }
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
};

QTEST_MAIN(TestAdvancedCursor)
#include "tst_advancedcursor.moc"
