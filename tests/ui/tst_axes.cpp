// Log and date axes, the third reference point and the page chooser, through
// the windows with real keys and clicks.
#include "PageChooser.h"
#include "UiTestSupport.h"

#include <QCheckBox>
#include <QClipboard>
#include <QLabel>
#include <QLineEdit>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <QPlainTextEdit>
#include <QSpinBox>
#include <QTemporaryDir>

class TestAxes : public QObject {
    Q_OBJECT

  private:
    std::unique_ptr<WindowFixture> fixture;
    std::unique_ptr<QTemporaryDir> dir;

    QWidget *Image1() { return Control<QWidget>(Form2, "Image1"); }
    QCheckBox *Box(const char *name) { return Control<QCheckBox>(Form1, name); }
    QString Readout() { return Control<QLabel>(Form1, "Label3")->text(); }
    QString HelpLabel(const char *name) { return Control<QLabel>(Form3, name)->text(); }
    QStringList Recorded() { return Lines(Control<QPlainTextEdit>(Form1, "Memo1")).mid(10); }
    QWidget *Panel() { return Control<QWidget>(Form2, "Panel1"); }

    void Click(int x, int y) {
        QTest::mouseClick(Image1(), Qt::LeftButton, Qt::NoModifier, QPoint(x, y));
    }
    void Key(Qt::Key key, Qt::KeyboardModifiers mods = Qt::NoModifier) {
        FocusWindow(Form2);
        QTest::keyClick(Form2, key, mods);
    }
    // Zero at (50, 450), Max at (450, 50), with the values typed.
    void Calibrate(const QString &x0, const QString &x1, const QString &y0, const QString &y1) {
        TypeField("Edit1", x0);
        TypeField("Edit2", x1);
        TypeField("Edit3", y0);
        TypeField("Edit4", y1);
        FocusWindow(Form2);
        Click(450, 50);
        Key(Qt::Key_A);
        Click(50, 450);
        Key(Qt::Key_Z);
    }
    // Ticks or clears a log box from the keyboard: Tab reaches it, Space toggles it.
    void ToggleWithKeys(const char *box, const char *before) {
        FocusWindow(Form1, Control<QWidget>(Form1, before));
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        QCOMPARE(QApplication::focusWidget(), Box(box));
        QTest::keyClick(Box(box), Qt::Key_Space);
    }

    QString Pdf(const QString &name) {
        const QString path = dir->filePath(name);
        QPdfWriter writer(path);
        writer.setResolution(72);
        writer.setPageSize(QPageSize(QSizeF(288, 216), QPageSize::Point));
        writer.setPageMargins(QMarginsF(0, 0, 0, 0));
        QPainter painter(&writer);
        painter.fillRect(QRectF(0, 0, 288, 216), Qt::red);
        writer.newPage();
        painter.fillRect(QRectF(0, 0, 288, 216), Qt::green);
        painter.end();
        return path;
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

    void logBoxesMakeTheirAxesLogarithmic() {
        Calibrate("10", "100000", "1", "10001");
        Click(250, 250);
        QCOMPARE(Readout(), QStringLiteral("50005.0 , 5001.00"));
        QCOMPARE(HelpLabel("Label1"), QStringLiteral("X Zero = 10 : 50"));
        ToggleWithKeys("CheckBox2", "Edit1");
        QVERIFY(Form1->LogX());
        Click(250, 250);
        // Four decades on 400 pixels: three significant digits.
        QCOMPARE(Readout(), QStringLiteral("1000 , 5001.00"));
        QCOMPARE(HelpLabel("Label1"), QStringLiteral("X Zero = 10 : 50 (log)"));
        QCOMPARE(HelpLabel("Label2"), QStringLiteral("X Max  = 100000 : 450 (log)"));
        // Long X labels push the Y labels right, and the window grows to show them.
        for (const char *y : {"Label3", "Label4"}) {
            auto *label = Control<QLabel>(Form3, y);
            QVERIFY(label->x() > Control<QLabel>(Form3, "Label2")->geometry().right());
            QVERIFY(label->geometry().right() < Form3->width());
        }
        QCOMPARE(HelpLabel("Label3"), QStringLiteral("Y Zero = 1 : 450"));
        // Taking back a lock puts back the label as the lock wrote it.
        FocusWindow(Form2);
        Click(60, 440);
        Key(Qt::Key_Z);
        QCOMPARE(HelpLabel("Label1"), QStringLiteral("X Zero = 10 : 60 (log)"));
        Key(Qt::Key_Z, Qt::ControlModifier);
        QCOMPARE(HelpLabel("Label1"), QStringLiteral("X Zero = 10 : 50 (log)"));
        ToggleWithKeys("CheckBox3", "Edit3");
        QVERIFY(Form1->LogY());
        QCOMPARE(HelpLabel("Label4"), QStringLiteral("Y Max  = 10001 : 50 (log)"));
        FocusWindow(Form2);
        Click(251, 150);
        Key(Qt::Key_Space);
        QCOMPARE(Readout(), QStringLiteral("1023 ,  1000"));
        QCOMPARE(Recorded(), QStringList({"1023 ,  1000"}));
        // Unticked, everything reads as before.
        Box("CheckBox2")->setChecked(false);
        Box("CheckBox3")->setChecked(false);
        Click(250, 250);
        QCOMPARE(Readout(), QStringLiteral("50005.0 , 5001.00"));
        QCOMPARE(HelpLabel("Label2"), QStringLiteral("X Max  = 100000 : 450"));
    }

    void aLogAxisRefusesValuesNotAboveZero() {
        Calibrate("10", "1000", "000", "100");
        Click(200, 200);
        const QString before = Readout();
        Box("CheckBox3")->setChecked(true);
        for (const auto &[what, action] :
             {std::pair<const char *, std::function<void()>>{"move", [&] { Click(260, 210); }},
              {"record", [&] { Key(Qt::Key_Space); }}}) {
            const ErrorBoxSeen seen = CatchErrorBox(action);
            QVERIFY2(seen.shown && seen.critical, what);
            // A message ending in a quote takes no full stop.
            QCOMPARE(seen.text, QStringLiteral("Log Y needs Y Zero and Y Max above 0, not '000'"));
        }
        QCOMPARE(Readout(), before);
        QVERIFY(Recorded().isEmpty());
    }

    void datesAlongXReadAsIso8601_data() {
        QTest::addColumn<QString>("zero");
        QTest::addColumn<QString>("max");
        QTest::addColumn<QString>("readout");
        QTest::addColumn<QString>("steps");
        QTest::newRow("twenty years: days") << "2000-01-01"
                                            << "2020-01-01"
                                            << "2010-01-19 , 50.00"
                                            << " 20 Steps = 365.3 d";
        QTest::newRow("a month: hours") << "2020-03-01"
                                        << "2020-03-31"
                                        << "2020-03-16T02 , 50.00"
                                        << " 20 Steps = 1.5 d";
        QTest::newRow("ten hours: minutes") << "2020-03-15 08:00"
                                            << "2020-03-15T18:00"
                                            << "2020-03-15T13:02 , 50.00"
                                            << " 20 Steps = 30.0 min";
    }
    void datesAlongXReadAsIso8601() {
        QFETCH(QString, zero);
        QFETCH(QString, max);
        QFETCH(QString, readout);
        QFETCH(QString, steps);
        Calibrate(zero, max, "0", "100");
        // Leaving the fields keeps the dates as typed.
        QCOMPARE(Control<QLineEdit>(Form1, "Edit1")->text(), zero);
        QCOMPARE(HelpLabel("Label1"), QStringLiteral("X Zero = ") + zero + QStringLiteral(" : 50"));
        Click(251, 250);
        QCOMPARE(Readout(), readout);
        Key(Qt::Key_Space);
        QCOMPARE(Recorded(), QStringList({readout}));
        FollowCurveInSteps(QStringLiteral("020"));
        QCOMPARE(Control<QLabel>(Form4, "Label2")->text(), steps);
        // Steps stay equal in pixels.
        Key(Qt::Key_Home);
        Key(Qt::Key_Right, Qt::ControlModifier);
        QCOMPARE(CurX, 70.0F);
        // A date axis is not logarithmic.
        Box("CheckBox2")->setChecked(true);
        const ErrorBoxSeen seen = CatchErrorBox([&] { Click(300, 300); });
        QCOMPARE(seen.text, QStringLiteral("Log X does not apply to dates."));
    }

    void keyCLocksAThirdPointForTheAffineMap() {
        Calibrate("0", "100", "0", "100");
        // A sheared chart: X axis drawn from (50, 450) to (350, 470), Y axis
        // from there to (450, 50).
        Click(200, 460);
        QCOMPARE(Readout(), QStringLiteral("37.5 , -2.50"));
        QVERIFY(!Control<QLabel>(Form3, "Label5")->isVisibleTo(Form3));
        Click(250, 250);
        Key(Qt::Key_C);
        QVERIFY2(Panel()->isVisible(), "three points on one line are refused");
        QVERIFY(Control<QLabel>(Form2, "Label1")
                    ->text()
                    .startsWith(QStringLiteral("The three reference points are on one line.")));
        QVERIFY(!Form2->ThirdPoint());
        QTest::mouseClick(Control<QWidget>(Form2, "Button1"), Qt::LeftButton);
        Click(350, 470);
        Key(Qt::Key_C);
        QCOMPARE(Form2->ThirdPoint(), std::optional(digitize::Point{350, 470}));
        QCOMPARE(HelpLabel("Label5"), QStringLiteral("C = 100, 0 : 350, 470"));
        QVERIFY(Control<QLabel>(Form3, "Label5")->isVisibleTo(Form3));
        Click(200, 460);
        QCOMPARE(Readout(), QStringLiteral("50.0 ,  0.00"));
        Click(400, 260);
        QCOMPARE(Readout(), QStringLiteral("100.0 , 50.00"));
        // Steps run along the drawn X axis from Zero to the third point,
        // keeping the height across it; no line colour is set, so nothing is
        // found and the searches leave the height alone.
        Form4->show();
        auto *steps = Control<QLineEdit>(Form4, "MaskEdit1");
        FocusWindow(Form4, steps);
        steps->setCursorPosition(0);
        QTest::keyClicks(steps, QStringLiteral("010"));
        Control<QCheckBox>(Form4, "CheckBox1")->setChecked(true);
        Click(50, 450);
        Key(Qt::Key_Home);
        for (int i = 0; i < 5; ++i)
            Key(Qt::Key_Right, Qt::ControlModifier);
        QCOMPARE(CurX, 200.0F);
        QCOMPARE(CurY, 460.0F);
        // Auto Run stops past the line through the third point and Max, not
        // past Max's column: steps 0 to 10, none of which finds a line.
        Key(Qt::Key_Home);
        Form2->RunAuto();
        QCOMPARE(Control<QLabel>(Form2, "Label2")->text(),
                 QStringLiteral("0 points, 11 steps without the line skipped"));
        QVERIFY(Recorded().isEmpty());
        // Max on the line through the other two is refused too.
        Click(200, 460);
        Key(Qt::Key_A);
        QVERIFY(Panel()->isVisible());
        QCOMPARE(MaxPt, (digitize::Point{450, 50}));
        QTest::mouseClick(Control<QWidget>(Form2, "Button1"), Qt::LeftButton);
        // Ctrl+Z takes the third point back, Shift+C takes it away.
        Key(Qt::Key_Z, Qt::ControlModifier);
        QVERIFY(!Form2->ThirdPoint());
        QVERIFY(!Control<QLabel>(Form3, "Label5")->isVisibleTo(Form3));
        Click(200, 460);
        QCOMPARE(Readout(), QStringLiteral("37.5 , -2.50"));
        Key(Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier);
        QVERIFY(Form2->ThirdPoint());
        Key(Qt::Key_C, Qt::ShiftModifier);
        QVERIFY(!Form2->ThirdPoint());
        QCOMPARE(Readout(), QStringLiteral("37.5 , -2.50"));
    }

    void aPdfShowsItsPageChooserUntilAnotherPictureComes() {
        auto *chooser = Form2->findChild<PageChooser *>();
        QVERIFY(chooser != nullptr);
        QVERIFY(!chooser->isVisible());
        Form2->LoadImage(Pdf("two.pdf"));
        QVERIFY(chooser->isVisible());
        QCOMPARE(PictureNow().size(), QSize(1200, 900));
        QCOMPARE(PictureNow().pixel(600, 450), qRgb(255, 0, 0));
        Form2->MoveCrosshair(40, 30);
        Control<QSpinBox>(chooser, "SpinEdit1")->setValue(2);
        QCOMPARE(PictureNow().pixel(600, 450), qRgb(0, 255, 0));
        QVERIFY2(!CrossDrawn, "a new page holds no cross");
        Control<QSpinBox>(chooser, "SpinEdit2")->setValue(72);
        QCOMPARE(PictureNow().size(), QSize(288, 216));
        QGuiApplication::clipboard()->setImage(PatternImage(20, 10));
        Form2->PasteImage();
        QVERIFY(!chooser->isVisible());
        QVERIFY(!chooser->HasDocument());
    }
};

QTEST_MAIN(TestAxes)
#include "tst_axes.moc"
