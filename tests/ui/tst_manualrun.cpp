// A whole manual digitizing run with real keys and clicks: calibrate with
// Z and A, record with Space, and the keys' limits.
#include "UiTestSupport.h"

#include <QCheckBox>
#include <QClipboard>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTemporaryDir>

class TestManualRun : public QObject {
    Q_OBJECT

  private:
    std::unique_ptr<WindowFixture> fixture;
    QTemporaryDir dir;

    QWidget *Image1() { return Control<QWidget>(Form2, "Image1"); }
    QLineEdit *Edit(const char *name) { return Control<QLineEdit>(Form1, name); }
    QWidget *Panel() { return Control<QWidget>(Form2, "Panel1"); }
    QString HelpLabel(const char *name) { return Control<QLabel>(Form3, name)->text(); }
    QStringList Recorded() { return Lines(Control<QPlainTextEdit>(Form1, "Memo1")).mid(10); }

    void Click(int x, int y) {
        QTest::mouseClick(Image1(), Qt::LeftButton, Qt::NoModifier, QPoint(x, y));
    }
    void Key(Qt::Key key, Qt::KeyboardModifiers mods = Qt::NoModifier) {
        QTest::keyClick(Form2, key, mods);
    }
    void Type(char c) { QTest::keyClick(Form2, c); }

    // Years 1950..1980 at pixels 100..400; Y 0..10 at rows 500..100.
    void Calibrate() {
        TypeField("Edit1", QStringLiteral("1950"));
        TypeField("Edit2", QStringLiteral("1980"));
        TypeField("Edit3", QStringLiteral("0"));
        TypeField("Edit4", QStringLiteral("10"));
        FocusWindow(Form2);
        Click(400, 100);
        Type('A');
        Click(99, 502);
        Key(Qt::Key_Right);
        Key(Qt::Key_Up);
        Key(Qt::Key_Up);
        Type('z');
    }

  private slots:
    void initTestCase() {
        QLocale::setDefault(QLocale::c());
        QVERIFY(PatternImage(1, 1).save(dir.filePath("chart.bmp")));
        QImage white(600, 700, QImage::Format_RGB32);
        white.fill(Qt::white);
        QVERIFY(white.save(dir.filePath("white.bmp")));
    }
    void init() {
        fixture = std::make_unique<WindowFixture>();
        Form2->LoadImage(dir.filePath("white.bmp"));
        FocusWindow(Form2);
    }
    void cleanup() { fixture.reset(); }

    void aWholeRunRecordsTheGraphValuesOfEachPoint() {
        Calibrate();
        QCOMPARE(ZeroPt, (digitize::Point{100, 500}));
        QCOMPARE(MaxPt, (digitize::Point{400, 100}));
        Click(250, 300);
        Type(' ');
        Click(250, 600);
        Type(' ');
        Click(100, 500);
        Type(' ');
        Type(' ');
        Click(401, 99);
        Key(Qt::Key_Left);
        Key(Qt::Key_Down);
        Type(' ');
        QTest::mouseClick(Control<QCheckBox>(Form1, "CheckBox1"), Qt::LeftButton);
        FocusWindow(Form2);
        Click(250, 300);
        Type(' ');
        Click(115, 0);
        Type(' ');
        QCOMPARE(Recorded(),
                 QStringList({"1965.0 ,  5.00", "1965.0 , -2.50", "1950.0 ,  0.00",
                              "1950.0 ,  0.00", "1980.0 , 10.00", "1965 ,  5.00", "1952 , 12.50"}));
    }

    void lockingColoursTheFieldsAndWritesTheHelpLabels() {
        Calibrate();
        QCOMPARE(Edit("Edit1")->palette().color(QPalette::Base), QColor(0xCC, 0xFF, 0xCC));
        QCOMPARE(Edit("Edit4")->palette().color(QPalette::Base), QColor(0xCC, 0xFF, 0xCC));
        QCOMPARE(HelpLabel("Label1"), QStringLiteral("X Zero = 1950 : 100"));
        QCOMPARE(HelpLabel("Label3"), QStringLiteral("Y Zero = 0 : 500"));
        QCOMPARE(HelpLabel("Label2"), QStringLiteral("X Max  = 1980 : 400"));
        QCOMPARE(HelpLabel("Label4"), QStringLiteral("Y Max  = 10 : 100"));
        // Editing a locked field turns it yellow; the label keeps the locked text.
        TypeField("Edit1", QStringLiteral("1940"));
        QCOMPARE(Edit("Edit1")->palette().color(QPalette::Base), QColor(0xFF, 0xFF, 0xCC));
        QCOMPARE(HelpLabel("Label1"), QStringLiteral("X Zero = 1950 : 100"));
        // The label shows a field's text as it stands, whatever it holds.
        Control<QLineEdit>(Form1, "Edit2")->setText(QStringLiteral("%1 %2"));
        FocusWindow(Form2);
        QVERIFY(CatchErrorBox([&] { Click(401, 99); }).shown); // the readout cannot read it
        FocusWindow(Form2);
        // The lock holds; the readout after it cannot read the field.
        QVERIFY(CatchErrorBox([&] { Type('a'); }).shown);
        QCOMPARE(HelpLabel("Label2"), QStringLiteral("X Max  = %1 %2 : 401"));
    }

    void zeroLocksAtTheRoundedCrosshairIncludingNegativePixels() {
        Type('z'); // the crosshair's start, (-10, -10)
        QCOMPARE(ZeroPt, (digitize::Point{-10, -10}));
        QCOMPARE(HelpLabel("Label1"), QStringLiteral("X Zero = 000 : -10"));
        QCOMPARE(HelpLabel("Label3"), QStringLiteral("Y Zero = 000 : -10"));
        Form2->MoveCrosshair(57.5F, 80.5F);
        Type('Z');
        QCOMPARE(ZeroPt, (digitize::Point{58, 80}));
        Type('Z');
        QCOMPARE(ZeroPt, (digitize::Point{58, 80}));
        QVERIFY2(!Panel()->isVisible(), "locking twice at one place is accepted");
    }

    void aLockSharingAnAxisWithTheOtherPointIsRefused() {
        Click(100, 100);
        Type('a');
        Click(100, 37); // Max is locked at (100, 100)
        Type('z');
        QVERIFY(Panel()->isVisible());
        QCOMPARE(Panel()->pos(), QPoint(100, 100));
        QCOMPARE(ZeroPt, (digitize::Point{0, 0}));
        QCOMPARE(Edit("Edit1")->palette().color(QPalette::Base), QColor(0xFF, 0xCC, 0xCC));
        QCOMPARE(HelpLabel("Label1"), QStringLiteral("X Zero = 000 : 0"));
        QCOMPARE(Control<QLabel>(Form2, "Label3")->text(), QStringLiteral("ERROR"));
        QCOMPARE(Control<QLabel>(Form2, "Label4")->text(), QStringLiteral("Operation is ignored."));
        // The panel blocks nothing: a lock elsewhere works while it shows.
        Click(30, 37);
        Type('z');
        QCOMPARE(ZeroPt, (digitize::Point{30, 37}));
        Click(30, 60);
        Type('a'); // same X as Zero
        QCOMPARE(MaxPt, (digitize::Point{100, 100}));
        // Close hides it and gives the keys back to the window.
        QTest::mouseClick(Control<QPushButton>(Form2, "Button1"), Qt::LeftButton);
        QVERIFY(!Panel()->isVisible());
        Key(Qt::Key_Right);
        QCOMPARE(CurX, 31.0F);
    }

    // The check rounds the crosshair as the lock does, halves to even.
    void aLockAtAFractionalCrosshairIsRefusedWhereItRoundsOntoTheOtherPoint_data() {
        QTest::addColumn<QPointF>("crosshair");
        QTest::addColumn<bool>("refused");
        QTest::addColumn<QPoint>("zero"); // Max stays at (100, 100)
        QTest::newRow("X 99.6") << QPointF(99.6, 50) << true << QPoint(0, 0);
        QTest::newRow("X 100.5") << QPointF(100.5, 50) << true << QPoint(0, 0);
        QTest::newRow("X 101.5") << QPointF(101.5, 50) << false << QPoint(102, 50);
        QTest::newRow("X 99.4") << QPointF(99.4, 50) << false << QPoint(99, 50);
        QTest::newRow("Y 99.6") << QPointF(50, 99.6) << true << QPoint(0, 0);
        QTest::newRow("Y 100.5") << QPointF(50, 100.5) << true << QPoint(0, 0);
        QTest::newRow("Y 100.6") << QPointF(50, 100.6) << false << QPoint(50, 101);
    }

    void aLockAtAFractionalCrosshairIsRefusedWhereItRoundsOntoTheOtherPoint() {
        QFETCH(QPointF, crosshair);
        QFETCH(bool, refused);
        QFETCH(QPoint, zero);
        Click(100, 100);
        Type('a');
        Form2->MoveCrosshair(static_cast<float>(crosshair.x()), static_cast<float>(crosshair.y()));
        Type('z');
        QCOMPARE(Panel()->isVisible(), refused);
        QCOMPARE(ZeroPt, (digitize::Point{zero.x(), zero.y()}));
    }

    void keysActOnlyWhileTheImageWindowHasTheFocus() {
        Click(100, 100);
        Type('a');
        Click(100, 37); // shares its X with Max: the panel shows
        Type('z');
        auto *close = Control<QPushButton>(Form2, "Button1");
        close->setFocus(Qt::TabFocusReason);
        QTest::keyClick(close, Qt::Key_Left);
        QCOMPARE(CurX, 100.0F);
        QTest::keyClick(close, Qt::Key_Space); // presses the button
        QVERIFY(!Panel()->isVisible());
        QCOMPARE(QApplication::focusWidget(), Form2);
        Key(Qt::Key_Left);
        QCOMPARE(CurX, 99.0F);

        // Keys typed into the control window's fields edit the fields only.
        FocusWindow(Form1, Edit("Edit2"));
        QTest::keyClick(Edit("Edit2"), Qt::Key_Left);
        QTest::keyClick(Edit("Edit2"), 'z');
        QTest::keyClick(Edit("Edit2"), ' ');
        QCOMPARE(CurX, 99.0F);
        QCOMPARE(ZeroPt, (digitize::Point{0, 0}));
        QVERIFY(Recorded().isEmpty());
        QCOMPARE(Edit("Edit2")->text(), QStringLiteral("10z 0"));
    }

    void modifiersFollowTheKeyTables() {
        Click(50, 60);
        // Shift moves ten pixels (tst_keyboardonly); Alt and the keypad are ignored.
        Key(Qt::Key_Left, Qt::ShiftModifier);
        QCOMPARE(CurX, 40.0F);
        Key(Qt::Key_Left);
        QCOMPARE(CurX, 39.0F);
        Key(Qt::Key_Right);
        QCOMPARE(CurX, 40.0F);
        Key(Qt::Key_Right);
        Key(Qt::Key_Left);
        Key(Qt::Key_Right, Qt::ShiftModifier);
        Key(Qt::Key_Left);
        QCOMPARE(CurX, 49.0F);
        Key(Qt::Key_Up, Qt::AltModifier);
        QCOMPARE(CurY, 59.0F);
        Key(Qt::Key_Left, Qt::KeypadModifier);
        QCOMPARE(CurX, 48.0F);
        // Ctrl+Left with the step rate off does nothing at all.
        Key(Qt::Key_Left, Qt::ControlModifier);
        QCOMPARE(CurX, 48.0F);
        // Ctrl with a letter types nothing: no lock, no record.
        QTest::keyClick(Form2, Qt::Key_Z, Qt::ControlModifier);
        QTest::keyClick(Form2, Qt::Key_A, Qt::ControlModifier);
        QTest::keyClick(Form2, Qt::Key_Space, Qt::ControlModifier);
        QCOMPARE(ZeroPt, (digitize::Point{0, 0}));
        QCOMPARE(MaxPt, (digitize::Point{100, 100}));
        QVERIFY(Recorded().isEmpty());
        // Shift+Z types "Z", which locks.
        QTest::keyClick(Form2, Qt::Key_Z, Qt::ShiftModifier);
        QCOMPARE(ZeroPt, (digitize::Point{48, 59}));
        // Fractions survive arrows: 10.4 becomes 11.4.
        Form2->MoveCrosshair(10.4F, 20);
        Key(Qt::Key_Right);
        QCOMPARE(CurX, 11.4F);
    }

    void homeJumpsToTheZeroColumnEvenWithoutTheStepRate() {
        Click(70, 80);
        Type('z');
        Click(200, 150);
        Key(Qt::Key_Home);
        QCOMPARE(CurX, 70.0F);
        QCOMPARE(CurY, 150.0F);
        QCOMPARE(StepIndex, 0);
        Key(Qt::Key_Home, Qt::ControlModifier);
        Click(200, 150);
        Key(Qt::Key_Home, Qt::ControlModifier); // Ctrl+Home does nothing
        QCOMPARE(CurX, 200.0F);
    }

    void ctrlVPastesAPicture() {
        const QString path = dir.filePath("chart.bmp");
        QGuiApplication::clipboard()->setText(path);
        Key(Qt::Key_V, Qt::ControlModifier);
        QCOMPARE(PathShown(), path);
        QCOMPARE(PictureNow().size(), QSize(1, 1));
        // Plain V is not a paste.
        QGuiApplication::clipboard()->setText(dir.filePath("white.bmp"));
        Type('v');
        QCOMPARE(PathShown(), path);
    }

    void aFieldThatIsNotANumberStopsTheRecordButNotTheMove() {
        TypeField("Edit3", QStringLiteral("x"));
        Edit("Edit3")->setText(QStringLiteral("1.5.5"));
        FocusWindow(Form2);
        const QString readout = Control<QLabel>(Form1, "Label3")->text();
        ErrorBoxSeen seen = CatchErrorBox([&] { Click(20, 30); });
        QCOMPARE(seen.text, QStringLiteral("'1.5.5' is not a valid floating point value."));
        QCOMPARE(CurX, 20.0F); // moved and drawn, readout kept
        QVERIFY(CrossDrawn);
        QCOMPARE(Control<QLabel>(Form1, "Label3")->text(), readout);
        FocusWindow(Form2);
        seen = CatchErrorBox([&] { Type(' '); });
        QVERIFY(seen.shown);
        QVERIFY(Recorded().isEmpty());
    }
};

QTEST_MAIN(TestManualRun)
#include "tst_manualrun.moc"
